#pragma once

#include "PopUpServices.h"
#include "frmPopUpMessage.h"

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QString>

#include <memory>

class PopUpMessages;

// One notification. The caller fills in its content, hands it to PopUpMessages::Show, and
// may later update Value or call ClosePopUp. It owns its window while shown and carries
// the animation state that PopUpMessages::AnimatePopups advances. Shown pop-ups are
// shared: the collection keeps one reference until the pop-up has gone.
class PopUpMessage : public QObject, public std::enable_shared_from_this<PopUpMessage>
{
    Q_OBJECT
public:
    // A colour naming the system's button face.
    static constexpr quint32 kButtonFace = 0x8000000Fu;
    // And the colour of text on it: the palette's, light or dark.
    static constexpr quint32 kButtonText = 0x80000012u;

    PopUpMessage();
    // A window still present is unloaded, without reaching the collection.
    ~PopUpMessage() override;

    QString key() const { return m_key; }
    void setKey(const QString& key) { m_key = key; }
    // With NoBkStretch, "height,width" of the background picture instead of a caption.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    // One line a line ("\r\n" or "\n"); the pop-up grows to show them all and a line too
    // long for the width ends in "…".
    QString message() const { return m_message; }
    void setMessage(const QString& message) { m_message = message; }
    bool NoBkStretch() const { return m_noBkStretch; }
    void setNoBkStretch(bool noBkStretch) { m_noBkStretch = noBkStretch; }
    // A click anywhere on a clickable pop-up but its close button raises the collection's
    // PopupMessageClicked (and retracts it, as any click on the content does).
    bool Clickable() const { return m_clickable; }
    void setClickable(bool clickable) { m_clickable = clickable; }
    // Colours are 0x00BBGGRR, or a system colour reference (see OleColor.h).
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 color) { m_foreColor = color; }
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 color) { m_backColor = color; }
    QPixmap Logo() const { return m_logo; }
    void setLogo(const QPixmap& logo) { m_logo = logo; }
    // With NoBkStretch the picture also shapes the window (see SizeIn).
    QPixmap Background() const { return m_background; }
    void setBackground(const QPixmap& background) { m_background = background; }
    QString WavFile() const { return m_wavFile; }
    void setWavFile(const QString& path) { m_wavFile = path; }
    bool ProgressBar() const { return m_progressBar; }
    void setProgressBar(bool progressBar) { m_progressBar = progressBar; }
    int Value() const { return m_value; }
    // Stores the value and moves the progress bar of a shown window at once.
    void setValue(int value);
    // A track's title, artist and album lead the message: the title in bold, the others quieter.
    bool TrackLayout() const { return m_trackLayout; }
    void setTrackLayout(bool trackLayout) { m_trackLayout = trackLayout; }
    bool Sticky() const { return m_sticky; }
    void setSticky(bool sticky) { m_sticky = sticky; }
    // Whether the pop-up has a window.
    bool Visible() const;
    // Whether the user dragged the window away; false without a window.
    bool Disconnected() const;

    // Draws a shown window again with the caption, colours and background as they are now:
    // after a change of palette, which a window's own colours do not follow, or of caption.
    void refreshLook();
    // Asks the scheduler to retract the pop-up and end it; one that has not started
    // growing ends on the scheduler's next visit, without growing or sound.
    void ClosePopUp();

    // Engine use (PopUpMessages) from here on.
    // Resets the animation state and creates the hidden window, collapsed at the anchor.
    void CreateWindow(PopUpMessages& collection);
    // The window, nullptr without one.
    QWidget* WindowHandle() const;
    frmPopUpMessage* window() const { return mfrmPopup; }
    // The size (twips) of its window in a stack of width × height pop-ups: that size, or for
    // a picture shown unstretched, the picture's shape as large as fits in it.
    QSize SizeIn(int width, int height) const;
    // The height (twips) its text needs at the width it was created with; 0 when the text
    // is blank. Kept after the window has gone.
    int ContentHeight() const { return m_contentHeight; }
    int Percent() const { return m_percent; }
    void setPercent(int percent) { m_percent = percent; }
    qint64 ShownTick() const { return m_shownTick; }
    void setShownTick(qint64 tick) { m_shownTick = tick; }
    bool FullyShown() const { return m_fullyShown; }
    void setFullyShown(bool fullyShown) { m_fullyShown = fullyShown; }
    bool CloseRequested() const { return m_closeRequested; }
    bool IsFinished() const { return (m_closeRequested || m_fullyShown) && m_percent == 0; }
    // Moves and sizes the window (twips); the first call shows it without activation.
    void PlaceWindow(int left, int top, int width, int height);
    // Sets the window's opacity from Percent when Percent changed since the last call.
    void ApplyFade();
    // Unloads the window; its Closing removes this pop-up from the collection.
    void UnloadWindow();

private:
    void mfrmPopup_CloseGraceFully();
    void mfrmPopup_Closing();
    void mfrmPopup_Click();
    void fillColours(frmPopUpMessage& form) const;
    void fillControls(frmPopUpMessage& form) const;
    void windowDestroyed();
    void releaseWindow();

    QString m_key;
    QString m_caption;
    QString m_message;
    bool m_noBkStretch = false;
    bool m_clickable = false;
    quint32 m_foreColor = kButtonText;
    quint32 m_backColor = kButtonFace;
    QPixmap m_logo;
    QPixmap m_background;
    QString m_wavFile;
    bool m_progressBar = false;
    int m_value = 0;
    bool m_sticky = false;
    bool m_trackLayout = false;

    int m_percent = 0;
    bool m_fullyShown = false;
    qint64 m_shownTick = 0;
    bool m_closeRequested = false;
    int m_fadedPercent = 0;
    int m_contentHeight = 0;
    // Non-owning: the collection owns this pop-up, not the other way round.
    QPointer<PopUpMessages> m_parent;
    PopUpServices m_services;
    QPointer<frmPopUpMessage> mfrmPopup;
};
