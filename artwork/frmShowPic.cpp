#include "frmShowPic.h"

#include "Beeper.h"
#include "platform/screen/Screen.h"
#include "platform/screen/WindowKind.h"
#include "platform/screen/WindowPlacement.h"
#include "platform/settings/SettingsStore.h"

#include <QAction>
#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace
{
constexpr auto kPositionKey = "Position";
constexpr auto kDefaultPosition = "600,600";
constexpr double kTwipsPerInch = 1440.0;
constexpr double kPlainDpi = 96.0;

int twipsPerPixel(double dpi)
{
    return qRound(kTwipsPerInch / (dpi > 0.0 ? dpi : kPlainDpi));
}
}

frmShowPic::frmShowPic(const ShowPicServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settings(*services.settings)
    , m_desktop(*services.desktop)
    , m_screen(*services.screen)
    , m_beeper(*services.beeper)
    , m_printer(*services.printer)
    , Picture1(new QLabel(this))
    , mnpopup(new QMenu(this))
{
    setObjectName(QStringLiteral("frmShowPic"));
    MakeUtilityWindow(this);
    setFocusPolicy(Qt::StrongFocus);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->installEventFilter(this);
    buildMenu();
    readScreen();
}

frmShowPic::~frmShowPic() = default;

void frmShowPic::buildMenu()
{
    mnpopup->setObjectName(QStringLiteral("mnpopup"));
    const std::array<QString, MenuEntryCount> captions { QStringLiteral("On Top"), QStringLiteral("Locked"),
        QStringLiteral("Copy"), QStringLiteral("Print"), QStringLiteral("Close") };
    for (int index = 0; index < MenuEntryCount; ++index) {
        QAction* action = mnpopup->addAction(captions[index]);
        action->setObjectName(QStringLiteral("umn%1").arg(index));
        connect(action, &QAction::triggered, this, [this, index] { umn_Click(index); });
        umn[index] = action;
    }
    umn[OnTop]->setCheckable(true);
    umn[Locked]->setCheckable(true);
}

void frmShowPic::readScreen()
{
    m_pixelStepX = twipsPerPixel(m_screen.logicalDpiX());
    m_pixelStepY = twipsPerPixel(m_screen.logicalDpiY());
    // The work area stands for the screen: it is the part a window can be seen in.
    const QRect area = m_screen.workArea();
    m_screenWidth = area.width() * m_pixelStepX;
    m_screenHeight = area.height() * m_pixelStepY;
}

bool frmShowPic::showpicture(const QString& path)
{
    // Changing a window's flags makes Qt hide it, so a frameless window is left as it is.
    if (!windowFlags().testFlag(Qt::FramelessWindowHint))
        setWindowFlag(Qt::FramelessWindowHint, true);

    readScreen();
    // Keyboard moves over a new picture start slow again.
    m_acceleration.keyUp();

    if (path.isEmpty()) {
        m_beeper.beep();
        Unload();
        return false;
    }
    QString file = path;
    if (file.startsWith(QLatin1Char('"')))
        file = file.mid(1, file.size() - 2);

    if (!readPosition())
        return false;

    QImageReader reader(file);
    // A cover file's extension need not match what it holds.
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    m_picture = QPixmap::fromImage(image);
    m_picturePath = file;
    Picture1->setPixmap(m_picture);

    fitPicture();
    setOnTop(umn[OnTop]->isChecked());
    return true;
}

bool frmShowPic::readPosition()
{
    // A stored place that is not two numbers is the default place: the window must still show.
    const auto parse = [](const QString& position, int& left, int& top) {
        const qsizetype comma = position.indexOf(QLatin1Char(','));
        bool leftOk = false;
        bool topOk = false;
        left = position.left(comma).trimmed().toInt(&leftOk);
        top = position.mid(comma + 1).trimmed().toInt(&topOk);
        return comma >= 0 && leftOk && topOk;
    };
    int left = 0;
    int top = 0;
    if (!parse(
            m_settings.GetSetting(QString::fromLatin1(kPositionKey), QString::fromLatin1(kDefaultPosition)), left, top))
        parse(QString::fromLatin1(kDefaultPosition), left, top);
    m_placement.x.windowPos = left;
    m_placement.y.windowPos = top;
    m_placed = true;
    applyGeometry();
    return true;
}

void frmShowPic::fitPicture()
{
    using ShowPicGeometry::fitAxis;
    const auto x = fitAxis(m_placement.x.windowPos, m_picture.width() * m_pixelStepX, m_screenWidth);
    const auto y = fitAxis(m_placement.y.windowPos, m_picture.height() * m_pixelStepY, m_screenHeight);
    m_placement = { x.placement, y.placement };
    // The flags describe the picture now shown, so a picture that fits clears them.
    m_oversize = (x.oversized ? kOversizeWidth : 0) | (y.oversized ? kOversizeHeight : 0);
    applyGeometry();
}

void frmShowPic::applyGeometry()
{
    const auto pixelsX = [this](int twips) { return qRound(double(twips) / m_pixelStepX); };
    const auto pixelsY = [this](int twips) { return qRound(double(twips) / m_pixelStepY); };
    // Through the placement: some window managers (sway) would otherwise put the window where
    // they like.
    WindowPlacement::system().place(this,
        QRect(pixelsX(m_placement.x.windowPos), pixelsY(m_placement.y.windowPos),
            std::max(1, pixelsX(m_placement.x.windowSize)), std::max(1, pixelsY(m_placement.y.windowSize))));
    Picture1->setGeometry(pixelsX(m_placement.x.pictureOffset), pixelsY(m_placement.y.pictureOffset),
        pixelsX(m_placement.x.pictureSize), pixelsY(m_placement.y.pictureSize));
}

QPointF frmShowPic::toTwips(const QPointF& pixels) const
{
    return { pixels.x() * m_pixelStepX, pixels.y() * m_pixelStepY };
}

void frmShowPic::Unload()
{
    // A window pinned to the screen's edges by an oversized picture says nothing about where
    // the user wants it, and one never placed has no position of its own.
    if (m_oversize == 0 && m_placed)
        WriteRegistry();
    mnpopup->hide();
    hide();
    emit unloaded();
}

void frmShowPic::WriteRegistry()
{
    const auto text = [](int twips) { return QString::number(std::max(0, twips)).trimmed(); };
    m_settings.SaveSetting(QString::fromLatin1(kPositionKey),
        text(m_placement.x.windowPos) + QLatin1Char(',') + text(m_placement.y.windowPos));
}

void frmShowPic::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager): the same as any other unload.
    event->accept();
    Unload();
}

QRect frmShowPic::geometryTwips() const
{
    return { m_placement.x.windowPos, m_placement.y.windowPos, m_placement.x.windowSize, m_placement.y.windowSize };
}

QPoint frmShowPic::pictureOffsetTwips() const
{
    return { m_placement.x.pictureOffset, m_placement.y.pictureOffset };
}

void frmShowPic::setOnTop(bool onTop)
{
    m_onTop = onTop;
    umn[OnTop]->setChecked(onTop);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Qt hides a window whose flags change; one the user was looking at stays in view.
    applyGeometry();
    if (shown)
        show();
}

void frmShowPic::setLocked(bool locked)
{
    m_locked = locked;
    umn[Locked]->setChecked(locked);
}

void frmShowPic::moveBy(int dx, int dy)
{
    m_placement.x = ShowPicGeometry::moveAxis(m_placement.x, dx);
    m_placement.y = ShowPicGeometry::moveAxis(m_placement.y, dy);
    applyGeometry();
}
