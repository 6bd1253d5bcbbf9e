#pragma once

#include "KeyAcceleration.h"
#include "ShowPicGeometry.h"
#include "ShowPicServices.h"

#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QAction;
class QLabel;
class QMenu;

// The floating, frameless window that shows the current track's artwork. The user drags it
// with the left button or moves it with Ctrl + arrows, locks it, keeps it on top, copies or
// prints the picture through the right-click menu, and closes it with a double-click; its
// position is remembered in the settings store ("Position") across runs.
//
// Geometry is kept in twips, the unit of the stored position, so a position survives being
// read and written back unchanged; pixels appear only at the edge where Qt is told where the
// window is or reports where the mouse is (applyGeometry, toTwips).
class frmShowPic : public QWidget
{
    Q_OBJECT
public:
    // Oversize flags: the picture is wider (1) or taller (2) than the screen.
    static constexpr quint16 kOversizeWidth = 1;
    static constexpr quint16 kOversizeHeight = 2;

    explicit frmShowPic(const ShowPicServices& services, QWidget* parent = nullptr);
    ~frmShowPic() override;

    // Loads a picture file and places the window at the stored position, sized to the
    // picture (or spanning the screen on an axis where the picture is larger), without
    // showing it: callers show it. A path in double quotes is unquoted. An empty path beeps
    // and unloads the window. False when the path was empty, the stored position is not
    // "left,top" or the picture cannot be loaded; the window is then not shown by this call,
    // and a picture shown before stays.
    bool showpicture(const QString& path);

    // Hides the window and stores its position, unless an oversized picture has pinned it to
    // the screen's edges or it was never placed. Emits unloaded(); the program-wide instance
    // is then destroyed once control is back in the event loop.
    void Unload();
    // Stores "left,top" in twips under "Position", a negative value as "0".
    void WriteRegistry();

    QRect geometryTwips() const;
    QPoint pictureOffsetTwips() const;
    quint16 oversize() const { return m_oversize; }
    bool isLocked() const { return m_locked; }
    bool isOnTop() const { return m_onTop; }
    // The unquoted path of the picture last loaded; empty before the first one.
    QString picturePath() const { return m_picturePath; }
    const QPixmap& picture() const { return m_picture; }
    int repeatCount() const { return m_acceleration.repeatCount(); }
    int speed() const { return m_acceleration.speed(); }

signals:
    void unloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum MenuEntry { OnTop, Locked, Copy, Print, Close, MenuEntryCount };

    // The last key release and the keyboard state it ended, kept until the next press.
    struct KeyRelease {
        int key;
        quint64 timestamp;
        KeyAcceleration acceleration;
        bool controlHeld;
    };

    void buildMenu();
    void readScreen();
    bool readPosition();
    void fitPicture();

    void Picture1_MouseDown(Qt::MouseButton Button, const QPointF& position, const QPoint& globalPosition);
    void Picture1_MouseMove(Qt::MouseButtons Buttons, const QPointF& position);
    void Picture1_DblClick();
    void Form_KeyDown(int KeyCode);
    void Form_KeyUp(int KeyCode);
    void umn_Click(int Index);

    void setOnTop(bool onTop);
    void setLocked(bool locked);
    void moveBy(int dx, int dy);
    void printPicture();

    // The Qt edge: twips to the window's and the picture's pixels, and mouse pixels to twips.
    void applyGeometry();
    QPointF toTwips(const QPointF& pixels) const;

    SettingsStore& m_settings;
    Desktop& m_desktop;
    Screen& m_screen;
    Beeper& m_beeper;
    PicturePrinter& m_printer;

    QLabel* Picture1;
    QMenu* mnpopup;
    std::array<QAction*, MenuEntryCount> umn {};

    ShowPicGeometry::Placement m_placement;
    QPixmap m_picture;
    QString m_picturePath;
    QPointF m_grabPoint;
    KeyAcceleration m_acceleration;
    std::optional<KeyRelease> m_lastRelease;
    bool m_controlHeld = false;
    int m_pixelStepX = 0;
    int m_pixelStepY = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    quint16 m_oversize = 0;
    bool m_locked = false;
    bool m_onTop = false;
    // The window has been put at a stored position, so it has a position worth storing.
    bool m_placed = false;
};
