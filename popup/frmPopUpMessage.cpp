#include "frmPopUpMessage.h"

#include "CloseButtonPictures.h"
#include "PopUpFontSource.h"
#include "PopUpFrame.h"
#include "PopUpMessageLabel.h"
#include "platform/screen/WindowKind.h"
#include "platform/screen/modFunctions.h"

#include <QFrame>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>

#include <algorithm>
#include <array>

namespace
{
// The size the window is built at, in twips, before it is given its own.
constexpr int kDesignWidth = 4500;
constexpr int kDesignHeight = 1800;
constexpr int kMessageDesignHeight = 735;

// Every kind of line break as \n. Without a regular expression: the engine behind one costs
// half a megabyte of memory for the rest of the run.
QString withNewlines(const QString& text)
{
    return QString(text)
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
constexpr int kProgressMaximum = 100;
}

frmPopUpMessage::Spacing frmPopUpMessage::spacing() const
{
    const double line = m_lblCaption->fontMetrics().lineSpacing() * m_twipsPerPixelY;
    const auto part = [line](double share) { return RoundHalfEven(line * share); };
    return { part(0.5), part(0.125), part(0.5), part(0.5), part(5.0 / 6.0), part(0.5), part(1.0) };
}

frmPopUpMessage::frmPopUpMessage(double twipsPerPixelX, double twipsPerPixelY, const PopUpFontSource* fonts)
    : QWidget(nullptr)
    , m_twipsPerPixelX(twipsPerPixelX)
    , m_twipsPerPixelY(twipsPerPixelY)
    , m_fonts(fonts)
{
    MakeNotificationWindow(this);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    buildControls();
    // Loading the window puts the normal picture on the close button.
    refreshCloseButton();
}

void frmPopUpMessage::buildControls()
{
    m_frame = new PopUpFrame(this);
    m_picHolder = new QWidget(this);
    m_imgBackground = new QLabel(m_picHolder);
    m_imgBackground->setScaledContents(true);
    m_shpBorder = new QFrame(m_picHolder);
    m_shpBorder->setFrameShape(QFrame::Box);
    colourBorder();
    // An outline only: the pointer reaches whatever lies below it.
    m_shpBorder->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_imgDown = new QLabel(m_picHolder);
    m_imgDown->hide();
    m_imgUp = new QLabel(m_picHolder);
    m_imgUp->hide();
    m_imgClose = new QLabel(m_picHolder);
    m_imgLogo = new QLabel(m_picHolder);
    m_imgLogo->setScaledContents(true);
    m_lblCaption = new QLabel(m_picHolder);
    // Track names are shown as they are, never as markup.
    m_lblCaption->setTextFormat(Qt::PlainText);
    QFont captionFont = m_lblCaption->font();
    captionFont.setBold(true);
    m_lblCaption->setFont(captionFont);
    m_lblMessage = new PopUpMessageLabel(m_picHolder);
    m_lblMessage->setTextFormat(Qt::PlainText);
    m_lblMessage->setAlignment(Qt::AlignCenter);
    m_prgBar = new QProgressBar(m_picHolder);
    m_prgBar->setRange(0, kProgressMaximum);
    m_prgBar->setValue(0);
    m_prgBar->setTextVisible(false);
    m_prgBar->hide();

    for (QWidget* control : std::initializer_list<QWidget*> {
             m_picHolder, m_imgBackground, m_imgClose, m_imgLogo, m_lblCaption, m_lblMessage, m_prgBar }) {
        control->installEventFilter(this);
        control->setFocusPolicy(Qt::NoFocus);
    }

    const int captionHeight = RoundHalfEven(m_lblCaption->fontMetrics().height() * m_twipsPerPixelY);
    const Spacing spacing = this->spacing();
    placeControl(m_picHolder, { 0, 0, kDesignWidth, kDesignHeight });
    placeControl(m_imgBackground, { 0, 0, kDesignWidth, kDesignHeight });
    placeControl(m_imgClose,
        { 0, spacing.margin, RoundHalfEven(kCloseButtonSize * m_twipsPerPixelX),
            RoundHalfEven(kCloseButtonSize * m_twipsPerPixelY) });
    placeControl(m_imgLogo, { spacing.margin, spacing.margin, 0, 0 });
    placeControl(m_lblCaption, { spacing.margin, 0, kDesignWidth / 2, captionHeight });
    placeControl(m_lblMessage, { 0, 0, kDesignWidth - 2 * spacing.margin, kMessageDesignHeight });
    placeControl(m_prgBar, { 0, 0, kDesignWidth - 2 * spacing.margin, spacing.barHeight });
    resize(RoundHalfEven(kDesignWidth / m_twipsPerPixelX), RoundHalfEven(kDesignHeight / m_twipsPerPixelY));
    m_imgBackground->lower();
    m_frame->setGeometry(rect());
    m_frame->raise();
}

void frmPopUpMessage::setRoundedFrame(bool rounded)
{
    if (!isWindow() || rounded == (m_frame->shadowMargin() > 0))
        return;
    setAttribute(Qt::WA_TranslucentBackground, rounded);
    m_frame->setShadowMargin(rounded ? m_frame->cornerRadius() : 0);
    placeControl(m_picHolder, m_twips.value(m_picHolder));
}

void frmPopUpMessage::placeControl(QWidget* control, const QRect& twips)
{
    m_twips.insert(control, twips);
    // Edges are rounded, not sizes, so neighbouring controls never gap or overlap.
    const int left = RoundHalfEven(twips.x() / m_twipsPerPixelX);
    const int top = RoundHalfEven(twips.y() / m_twipsPerPixelY);
    const int right = RoundHalfEven((twips.x() + twips.width()) / m_twipsPerPixelX);
    const int bottom = RoundHalfEven((twips.y() + twips.height()) / m_twipsPerPixelY);
    const int margin = control == m_picHolder ? m_frame->shadowMargin() : 0;
    control->setGeometry(left + margin, top + margin, std::max(0, right - left), std::max(0, bottom - top));
}

void frmPopUpMessage::AlignHolder()
{
    // The edge the content sticks to, by scroll direction (0 to 3).
    static constexpr std::array kDocks { Dock::Top, Dock::Bottom, Dock::Left, Dock::Right };
    m_dock = m_direction >= 0 && m_direction < int(kDocks.size()) ? kDocks[std::size_t(m_direction)] : Dock::None;
    dockHolder();
}

void frmPopUpMessage::dockHolder()
{
    // The holder keeps its full size and sticks to the window's moving edge, so the
    // content slides out of the anchor edge while the window grows.
    const int margin = m_frame->shadowMargin();
    QPoint at = m_picHolder->pos();
    switch (m_dock) {
    case Dock::None:
        return;
    case Dock::Top:
    case Dock::Left:
        at = { margin, margin };
        break;
    case Dock::Bottom:
        at = { margin, height() - margin - m_picHolder->height() };
        break;
    case Dock::Right:
        at = { width() - margin - m_picHolder->width(), margin };
        break;
    }
    m_picHolder->move(at);
}

void frmPopUpMessage::setMessageText(const QString& text)
{
    m_messageText = text;
    m_lblMessage->setText(withNewlines(text));
}

void frmPopUpMessage::setClickable(bool clickable)
{
    m_clickable = clickable;
    m_picHolder->setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_lblMessage->setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_imgClose->setCursor(Qt::ArrowCursor);
}

void frmPopUpMessage::ResizeControls(int Height, int Width, bool NoBkStretch)
{
    // The font comes first: the room the message needs depends on it.
    if (m_fonts)
        m_lblMessage->setFont(m_fonts->messageFont());
    const Spacing spacing = this->spacing();
    const bool hasLogo = !m_imgLogo->pixmap().isNull();
    QRect logo = m_twips.value(m_imgLogo);
    QRect caption = m_twips.value(m_lblCaption);
    const int borderTop = spacing.headerGap + (hasLogo ? logo.height() : caption.height());
    QRect bar = m_twips.value(m_prgBar);
    const int reserve = m_prgBar->property("tag").toBool() ? bar.height() + spacing.barReserveGap : 0;
    // Lines are never wrapped, so the height they need does not depend on the width.
    const int textHeight
        = m_messageText.trimmed().isEmpty() ? 0 : RoundHalfEven(m_lblMessage->sizeHint().height() * m_twipsPerPixelY);
    m_neededHeight = textHeight == 0
        ? 0
        : borderTop + spacing.margin + textHeight + reserve + spacing.margin + spacing.borderInset;
    Height = std::max(Height, m_neededHeight);

    placeControl(m_picHolder, { 0, 0, Width, Height });
    dockHolder();

    placeControl(m_imgBackground, { 0, 0, Width, Height });
    if (m_backgroundWhole) {
        m_backgroundWhole = false;
        setBackgroundPicture(m_background);
    }
    m_imgBackground->setScaledContents(true);
    // A box across the picture would cut into it; the window's own frame is enough.
    m_shpBorder->setVisible(!NoBkStretch);
    if (NoBkStretch) {
        const QStringList parts = m_lblCaption->text().split(QLatin1Char(','));
        m_lblCaption->clear();
        if (parts.size() < 2)
            return;
        bool heightOk = false;
        bool widthOk = false;
        const double pictureHeight = parts.at(0).trimmed().toDouble(&heightOk);
        const double pictureWidth = parts.at(1).trimmed().toDouble(&widthOk);
        if (!heightOk || !widthOk || pictureHeight <= 0 || pictureWidth <= 0)
            return;
        // The whole picture, as large as fits, centred.
        const double scale = std::min(Width / pictureWidth, Height / pictureHeight);
        const int width = RoundHalfEven(pictureWidth * scale);
        const int height = RoundHalfEven(pictureHeight * scale);
        placeControl(m_imgBackground,
            { RoundHalfEven((Width - width) / 2.0), RoundHalfEven((Height - height) / 2.0), width, height });
        m_backgroundWhole = true;
        m_imgBackground->setScaledContents(false);
        scaleBackground();
    }

    logo.moveTo(spacing.margin, spacing.margin);
    placeControl(m_imgLogo, logo);

    QRect close = m_twips.value(m_imgClose);
    // Level with the caption, in the band above the border.
    close.moveTo(Width - spacing.margin - close.width(), RoundHalfEven((borderTop - close.height()) / 2.0));
    placeControl(m_imgClose, close);

    const QRect border(
        spacing.borderInset, borderTop, Width - 2 * spacing.borderInset, Height - borderTop - spacing.borderInset);
    placeControl(m_shpBorder, border);

    bar = { border.x() + spacing.margin, border.y() + border.height() - bar.height() - spacing.margin,
        border.width() - spacing.barInset, bar.height() };
    placeControl(m_prgBar, bar);

    caption.moveTo(hasLogo ? logo.width() + 2 * spacing.margin : spacing.margin,
        RoundHalfEven((borderTop - caption.height()) / 2.0));
    // The caption runs up to the close button.
    caption.setWidth(std::max(0, close.x() - spacing.margin - caption.x()));
    placeControl(m_lblCaption, caption);
    setCaptionText(m_lblCaption->text());

    QRect message = m_twips.value(m_lblMessage);
    const int messageWidth = border.width() - spacing.messageInset;
    if (textHeight > 0)
        message.setHeight(textHeight);
    message = { border.x() + RoundHalfEven((border.width() - messageWidth) / 2.0),
        border.y() + RoundHalfEven((border.height() - reserve - message.height()) / 2.0), messageWidth,
        message.height() };
    placeControl(m_lblMessage, message);
    elideMessage();
}

void frmPopUpMessage::elideMessage()
{
    const QFontMetrics metrics(m_lblMessage->font());
    QStringList lines = withNewlines(m_messageText).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        // Blank lines only make room: cut down, they would show as "…".
        if (!line.trimmed().isEmpty())
            line = metrics.elidedText(line, Qt::ElideRight, m_lblMessage->width());
    }
    m_lblMessage->setText(lines.join(QLatin1Char('\n')));
}

void frmPopUpMessage::setBackgroundPicture(const QPixmap& picture)
{
    m_background = picture;
    m_scaledBackgroundSize = {};
    m_imgBackground->setPixmap(picture);
}

void frmPopUpMessage::scaleBackground()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = m_imgBackground->size();
    if (!m_backgroundWhole || m_background.isNull() || size.isEmpty()
        || (size == m_scaledBackgroundSize && ratio == m_scaledBackgroundRatio))
        return;
    m_scaledBackgroundSize = size;
    m_scaledBackgroundRatio = ratio;
    // From the full picture each time, so a cover is never scaled twice over.
    QPixmap scaled = m_background.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    m_imgBackground->setPixmap(scaled);
}

void frmPopUpMessage::setLogoPicture(const QPixmap& picture)
{
    m_imgLogo->setPixmap(picture);
    QRect logo = m_twips.value(m_imgLogo);
    // In the picture's own size, whatever density it was drawn for.
    const QSizeF size = picture.deviceIndependentSize();
    logo.setSize({ RoundHalfEven(size.width() * m_twipsPerPixelX), RoundHalfEven(size.height() * m_twipsPerPixelY) });
    placeControl(m_imgLogo, logo);
}

int frmPopUpMessage::ScaleWidth() const
{
    return RoundHalfEven((width() - 2 * m_frame->shadowMargin()) * m_twipsPerPixelX);
}

int frmPopUpMessage::ScaleHeight() const
{
    return RoundHalfEven((height() - 2 * m_frame->shadowMargin()) * m_twipsPerPixelY);
}

void frmPopUpMessage::setTwipsGeometry(int left, int top, int width, int height)
{
    const int x = RoundHalfEven(left / m_twipsPerPixelX);
    const int y = RoundHalfEven(top / m_twipsPerPixelY);
    const int margin = m_frame->shadowMargin();
    setGeometry(x - margin, y - margin, std::max(0, RoundHalfEven((left + width) / m_twipsPerPixelX) - x) + 2 * margin,
        std::max(0, RoundHalfEven((top + height) / m_twipsPerPixelY) - y) + 2 * margin);
}

void frmPopUpMessage::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_following = false;
    emit Closing();
    hide();
}

void frmPopUpMessage::paintEvent(QPaintEvent* event)
{
    // A translucent window gets no background from Qt; the frame wipes what lies beyond the card.
    if (testAttribute(Qt::WA_TranslucentBackground))
        QPainter(this).fillRect(event->rect(), palette().window());
}

void frmPopUpMessage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_frame->setGeometry(rect());
    m_frame->raise();
    dockHolder();
    refreshCloseButton();
}

void frmPopUpMessage::setCaptionText(const QString& text)
{
    m_lblCaption->setText(m_lblCaption->fontMetrics().elidedText(text, Qt::ElideRight, m_lblCaption->width()));
}

void frmPopUpMessage::colourBorder()
{
    // In the window frame's colour: black lines look heavy on a light background.
    QPalette borderColours = m_shpBorder->palette();
    borderColours.setColor(QPalette::WindowText, palette().color(QPalette::Mid));
    m_shpBorder->setPalette(borderColours);
}

void frmPopUpMessage::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        colourBorder();
        refreshCloseButton();
    }
}

void frmPopUpMessage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshCloseButton();
    scaleBackground();
}

void frmPopUpMessage::refreshCloseButton()
{
    // The density is only known for sure once the window is on its screen; the cross is in
    // the caption's colour.
    const qreal ratio = devicePixelRatioF();
    const QColor ink = m_lblCaption->palette().color(QPalette::WindowText);
    if (ratio == m_closeRatio && ink == m_closeInk)
        return;
    m_closeRatio = ratio;
    m_closeInk = ink;
    const QColor paper = palette().color(QPalette::Window);
    m_imgUp->setPixmap(CloseButtonUpPicture(ratio, ink, paper));
    m_imgDown->setPixmap(CloseButtonDownPicture(ratio, ink, paper));
    m_imgClose->setPixmap(m_closeHeld ? m_imgDown->pixmap() : m_imgUp->pixmap());
}
