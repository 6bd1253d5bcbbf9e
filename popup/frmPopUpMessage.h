#pragma once

#include "PopUpMessageLabel.h"

#include <QHash>
#include <QPoint>
#include <QRect>
#include <QWidget>

class PopUpFontSource;
class PopUpFrame;
class QFrame;
class QLabel;
class QMouseEvent;
class QProgressBar;

// The borderless window of one pop-up. Its PopUpMessage fills the controls and moves it;
// the window lays its content out for the full pop-up size in twips, docks that content to
// the edge the pop-up grows from, and turns mouse actions into its three events and a
// drag. It floats above other windows and never takes the focus.
class frmPopUpMessage : public QWidget
{
    Q_OBJECT
public:
    // The twips-per-pixel factors convert the twips layout to pixels. fonts gives the
    // message font; nullptr keeps the window's own font.
    frmPopUpMessage(double twipsPerPixelX, double twipsPerPixelY, const PopUpFontSource* fonts = nullptr);

    // Call before the first show, on a top-level window. Rounded: a translucent window whose
    // content sits on a card with rounded corners inside a margin for its soft shadow; the
    // twips geometry stays the card's. Not rounded (the default): a plain rectangle with a
    // one-pixel border. Only a compositing manager can show a rounded window.
    void setRoundedFrame(bool rounded);
    PopUpFrame* frame() const { return m_frame; }

    // Docks picHolder to the edge given by Direction: 0 top, 1 bottom, 2 left, 3 right;
    // any other value leaves it at the top-left corner. The dock holds from then on.
    void AlignHolder();
    // Lays the content out for a Height × Width pop-up (twips), taller when the message
    // needs it (see NeededHeight); lines too long for the width end in "…". With
    // NoBkStretch the caption holds the background picture's "height,width" and is
    // cleared, and the whole picture shows, centred; a malformed caption ends the layout
    // there, leaving the later controls where they were.
    void ResizeControls(int Height, int Width, bool NoBkStretch);
    // The height (twips) the message's lines need at the chosen font, as of the last
    // layout; 0 for a blank message.
    int NeededHeight() const { return m_neededHeight; }
    // The message, one line a line; laid out by ResizeControls.
    void setMessageText(const QString& text);
    // A clickable window raises Click for a click anywhere but on the close button.
    void setClickable(bool clickable);

    int Direction() const { return m_direction; }
    void setDirection(int direction) { m_direction = direction; }
    // True once the user has dragged the window away.
    bool Disconnected() const { return m_disconnected; }

    // Unloads the window: raises Closing (once, however often it is called) and hides it.
    // The owner deletes the object afterwards.
    void Unload();
    bool IsUnloaded() const { return m_unloaded; }

    // The picture behind the content: stretched over the window, or with NoBkStretch shown
    // whole (see ResizeControls). A null picture clears it.
    void setBackgroundPicture(const QPixmap& picture);
    // Shows a picture in imgLogo, sized to the picture; a null picture clears it.
    void setLogoPicture(const QPixmap& picture);

    // A control's layout rectangle in twips, as last placed; its pixels follow from it.
    QRect twipsRect(const QWidget* control) const { return m_twips.value(control); }
    // The window's inner size (the card's, when rounded) in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Moves and sizes the window's card in twips (client coordinates when it is a child).
    void setTwipsGeometry(int left, int top, int width, int height);

    QWidget* picHolder() const { return m_picHolder; }
    QFrame* shpBorder() const { return m_shpBorder; }
    QLabel* imgDown() const { return m_imgDown; }
    QLabel* imgUp() const { return m_imgUp; }
    QLabel* imgClose() const { return m_imgClose; }
    QLabel* lblCaption() const { return m_lblCaption; }
    QLabel* imgLogo() const { return m_imgLogo; }
    PopUpMessageLabel* lblMessage() const { return m_lblMessage; }
    // The caption, cut short with "…" to the room laid out for it.
    void setCaptionText(const QString& text);
    QLabel* imgBackground() const { return m_imgBackground; }
    QProgressBar* prgBar() const { return m_prgBar; }

signals:
    // A click on the content area or the background picture.
    void CloseGraceFully();
    // The window is unloading, for whatever reason.
    void Closing();
    // A click on the message text, or anywhere but the close button when clickable.
    void Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Dock { None, Top, Bottom, Left, Right };

    void buildControls();
    void placeControl(QWidget* control, const QRect& twips);
    void dockHolder();
    // Draws the close button's pictures for the window's pixel density when it changed.
    void refreshCloseButton();
    void colourBorder();
    // The layout's spacing, in twips, in proportion to a line of the caption's font, so the
    // pop-up keeps its proportions at any font size and screen density. At a 16-pixel line:
    // 4, 2, 8, 8, 13, 8 and 16 pixels.
    struct Spacing {
        int margin;
        int borderInset;
        int headerGap;
        int barInset;
        int messageInset;
        int barReserveGap;
        int barHeight;
    };
    Spacing spacing() const;
    // Scales the unstretched background for its place and the window's pixel density, once.
    void scaleBackground();
    // The message's lines, each elided to the label's width.
    void elideMessage();
    bool handleCloseButton(QEvent* event);
    bool handleContent(QWidget* control, QEvent* event);
    void StartDrag(const QPoint& globalPos);
    void followPointer(const QPoint& globalPos);

    double m_twipsPerPixelX;
    double m_twipsPerPixelY;
    const PopUpFontSource* m_fonts;
    int m_direction = 0;
    bool m_disconnected = false;
    bool m_unloaded = false;
    bool m_clickable = false;
    bool m_closeHeld = false;
    qreal m_closeRatio = 0;
    QColor m_closeInk;
    int m_neededHeight = 0;
    QString m_messageText;
    QPixmap m_background;
    bool m_backgroundWhole = false;
    QSize m_scaledBackgroundSize;
    qreal m_scaledBackgroundRatio = 0;
    Dock m_dock = Dock::None;
    QHash<const QWidget*, QRect> m_twips;

    // The content control a left press began on, while it may still become a click.
    QWidget* m_pressedOn = nullptr;
    QPoint m_pressAt;
    // Set while this window moves itself with the pointer, where the window system
    // cannot move it (child windows, window systems without a move of their own).
    bool m_following = false;
    QPoint m_grabOffset;

    QWidget* m_picHolder = nullptr;
    QFrame* m_shpBorder = nullptr;
    QLabel* m_imgDown = nullptr;
    QLabel* m_imgUp = nullptr;
    QLabel* m_imgClose = nullptr;
    QLabel* m_lblCaption = nullptr;
    QLabel* m_imgLogo = nullptr;
    PopUpMessageLabel* m_lblMessage = nullptr;
    QLabel* m_imgBackground = nullptr;
    QProgressBar* m_prgBar = nullptr;
    PopUpFrame* m_frame = nullptr;
};
