#include "PopUpMessage.h"

#include "OleColor.h"
#include "PopUpMessages.h"
#include "frmPopUpMessage.h"
#include "platform/screen/CompositingManager.h"
#include "platform/screen/modFunctions.h"
#include "platform/screen/modTranslucency.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace
{
constexpr double kOpaque = 255.0;
constexpr double kFull = 100.0;
}

PopUpMessage::PopUpMessage() = default;

PopUpMessage::~PopUpMessage()
{
    if (mfrmPopup) {
        mfrmPopup->disconnect(this);
        mfrmPopup->Unload();
        mfrmPopup->deleteLater();
    }
}

void PopUpMessage::setValue(int value)
{
    m_value = value;
    if (mfrmPopup)
        mfrmPopup->prgBar()->setValue(value);
}

bool PopUpMessage::Visible() const
{
    return mfrmPopup != nullptr;
}

bool PopUpMessage::Disconnected() const
{
    return mfrmPopup && mfrmPopup->Disconnected();
}

void PopUpMessage::ClosePopUp()
{
    m_closeRequested = true;
}

QWidget* PopUpMessage::WindowHandle() const
{
    return mfrmPopup;
}

void PopUpMessage::CreateWindow(PopUpMessages& collection)
{
    m_fullyShown = false;
    m_closeRequested = false;
    m_percent = 0;
    // A new window starts opaque and unlayered, whatever the last one was faded to.
    m_fadedPercent = 0;
    m_parent = &collection;
    m_services = collection.services();

    const Screen& screen = *m_services.screen;
    auto* form = new frmPopUpMessage(TwipsPerPixelX(screen), TwipsPerPixelY(screen), m_services.fonts);
    mfrmPopup = form;
    connect(form, &frmPopUpMessage::CloseGraceFully, this, &PopUpMessage::mfrmPopup_CloseGraceFully);
    connect(form, &frmPopUpMessage::Closing, this, &PopUpMessage::mfrmPopup_Closing);
    connect(form, &frmPopUpMessage::Click, this, &PopUpMessage::mfrmPopup_Click);
    // A host window deletes its children without unloading them: count that as closing.
    connect(form, &QObject::destroyed, this, &PopUpMessage::windowDestroyed);

    if (QWidget* host = collection.ParentHandle())
        form->setParent(host, Qt::Widget);
    else
        form->setRoundedFrame(IsCompositingManagerRunning());
    form->setDirection(collection.PopUpDirection());

    const QSize size = SizeIn(collection.MessageWidth(), collection.MessageHeight());
    form->setTwipsGeometry(0, 0, size.width(), size.height());
    const int innerWidth = form->ScaleWidth();
    const int innerHeight = form->ScaleHeight();
    const int direction = collection.PopUpDirection();
    const bool vertical = direction == 0 || direction == 1;
    const int width = vertical ? innerWidth : 0;
    const int height = vertical ? 0 : innerHeight;
    form->setTwipsGeometry(
        collection.XPos(), direction == 0 ? collection.YPos() - height : collection.YPos(), width, height);

    fillControls(*form);
    form->ResizeControls(innerHeight, innerWidth, m_noBkStretch);
    m_contentHeight = form->NeededHeight();
}

QSize PopUpMessage::SizeIn(int width, int height) const
{
    if (!m_noBkStretch || m_background.isNull())
        return { width, height };
    const double scale = std::min(double(width) / m_background.width(), double(height) / m_background.height());
    return { RoundHalfEven(m_background.width() * scale), RoundHalfEven(m_background.height() * scale) };
}

void PopUpMessage::refreshLook()
{
    if (!mfrmPopup)
        return;
    fillColours(*mfrmPopup);
    if (!m_noBkStretch)
        mfrmPopup->setCaptionText(m_caption);
    // A whole picture (a cover) is content, not a colour of the pop-up.
    if (!m_noBkStretch)
        mfrmPopup->setBackgroundPicture(m_background);
}

void PopUpMessage::fillColours(frmPopUpMessage& form) const
{
    QPalette textColours = form.lblCaption()->palette();
    textColours.setColor(QPalette::WindowText, ColorFromOle(m_foreColor));
    form.lblCaption()->setPalette(textColours);
    form.lblMessage()->setPalette(textColours);
    QPalette background = form.palette();
    background.setColor(QPalette::Window, ColorFromOle(m_backColor));
    form.setPalette(background);
}

void PopUpMessage::fillControls(frmPopUpMessage& form) const
{
    fillColours(form);
    form.lblCaption()->setText(m_caption);
    form.setMessageText(m_message);
    // What a screen reader (or a script) reads for the window: the message on one line.
    form.setWindowTitle(m_message.simplified());
    form.setClickable(m_clickable);
    form.lblMessage()->setTrackLayout(m_trackLayout);
    form.setLogoPicture(m_logo);
    form.setBackgroundPicture(m_background);
    form.prgBar()->setVisible(m_progressBar);
    form.prgBar()->setProperty("tag", QVariant(m_progressBar).toString());
}

void PopUpMessage::PlaceWindow(int left, int top, int width, int height)
{
    if (!mfrmPopup)
        return;
    if (!mfrmPopup->isVisible()) {
        mfrmPopup->AlignHolder();
        mfrmPopup->show();
        MakeWindowTopMost(mfrmPopup, *m_services.stacking);
        mfrmPopup->update();
    }
    mfrmPopup->setTwipsGeometry(left, top, width, height);
}

void PopUpMessage::ApplyFade()
{
    if (m_percent == m_fadedPercent)
        return;
    m_fadedPercent = m_percent;
    const int alpha = std::clamp(RoundHalfEven(m_percent / kFull * kOpaque), 0, int(kOpaque));
    // A refusal leaves the window opaque, which is all a user would miss.
    SetTranslucency(mfrmPopup, quint8(alpha), *m_services.translucency);
}

void PopUpMessage::UnloadWindow()
{
    if (mfrmPopup)
        mfrmPopup->Unload();
}

void PopUpMessage::mfrmPopup_CloseGraceFully()
{
    ClosePopUp();
}

void PopUpMessage::mfrmPopup_Click()
{
    if (m_clickable && m_parent)
        m_parent->RaiseClicked(this);
    ClosePopUp();
}

void PopUpMessage::mfrmPopup_Closing()
{
    // Leaving the collection may drop its last reference to this object.
    const std::shared_ptr<PopUpMessage> keepAlive = weak_from_this().lock();
    if (mfrmPopup)
        mfrmPopup->hide();
    if (m_parent)
        m_parent->RemovePopUp(*this);
    releaseWindow();
}

void PopUpMessage::windowDestroyed()
{
    const std::shared_ptr<PopUpMessage> keepAlive = weak_from_this().lock();
    // The window is half destroyed: forget it without looking at it.
    mfrmPopup.clear();
    if (m_parent)
        m_parent->RemovePopUp(*this);
}

void PopUpMessage::releaseWindow()
{
    if (!mfrmPopup)
        return;
    mfrmPopup->disconnect(this);
    // The window may be the one delivering the event that unloaded it.
    mfrmPopup->deleteLater();
    mfrmPopup = nullptr;
}
