// The real window on a real X display, driven by xdotool. Run under scripts/with-desktop.sh;
// skipped elsewhere.
#include "ShowPicFixture.h"

#include "platform/screen/Screen.h"

#include "XServerView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace
{
constexpr int kWaitMs = 5000;
const QColor kPictureColour(200, 60, 40);

// Runs xdotool with space-separated arguments and returns its output; empty with a failure
// message when it fails.
QString xdotool(const QString& command)
{
    const QStringList arguments = command.split(QLatin1Char(' '));
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(kWaitMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished(kWaitMs);
        ADD_FAILURE() << "xdotool " << command.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}
}

// Records the window's left edge, in twips, before each Right key-down it handles.
class RightPressProbe : public QObject
{
public:
    explicit RightPressProbe(frmShowPic& window)
        : m_window(window)
    {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Right)
            lefts << m_window.geometryTwips().left();
        return false;
    }
    QList<int> lefts;

private:
    frmShowPic& m_window;
};

class ShowPicDesktopTest : public ShowPicFixture
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display: run under scripts/with-desktop.sh";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "needs xdotool";
        frmShowPic::installServices(realScreen);
        settings.values[QStringLiteral("Position")] = QStringLiteral("1500,3000"); // 100, 200 pixels
        m_picture = writePicture(QSize(160, 120), QStringLiteral("cover.png"), kPictureColour);
    }
    void TearDown() override
    {
        frmShowPic::unloadInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Loads the picture into the program-wide window, shows it and waits until it is mapped,
    // and focused when asked.
    frmShowPic& shown(bool focused = false)
    {
        frmShowPic& window = frmShowPic::instance();
        EXPECT_TRUE(window.showpicture(m_picture));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window, kWaitMs));
        if (focused) {
            window.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
        }
        return window;
    }
    bool waitForPosition(const frmShowPic& window, const QPoint& expected)
    {
        return QTest::qWaitFor([&] { return serverGeometry(window).topLeft() == expected; }, kWaitMs);
    }

    ShowPicServices realScreen { settings, desktop, Screen::system(), beeper, printer };
    QString m_picture;
};

TEST_F(ShowPicDesktopTest, HeldCtrlRightAcceleratesWithTheServersAutoRepeat)
{
    frmShowPic& window = shown(true);
    RightPressProbe probe(window);
    const QList<int>& lefts = probe.lefts;

    // Pressing and releasing Shift with Ctrl held brings the repeat count back to 0; the
    // held Right then repeats as X11 does it, in release and press pairs.
    xdotool(QStringLiteral("keydown ctrl keydown shift keyup shift keydown Right"));
    const bool repeated = QTest::qWaitFor([&] { return lefts.size() >= 10; }, kWaitMs);
    xdotool(QStringLiteral("keyup Right keyup ctrl"));
    ASSERT_TRUE(repeated) << "key-downs seen: " << lefts.size();

    QList<int> steps;
    for (int i = 0; i < 9; ++i)
        steps << (lefts[i + 1] - lefts[i]) / kTwips;
    EXPECT_EQ(steps, (QList<int> { 1, 1, 1, 2, 2, 2, 2, 3, 3 }));
    EXPECT_EQ(lefts[9] - lefts[0], 17 * kTwips);
}

TEST_F(ShowPicDesktopTest, WindowAppearsAtTheStoredPlaceWithThePictureAndUnloadStoresItsPlace)
{
    frmShowPic& window = shown(true);
    EXPECT_TRUE(waitForPosition(window, QPoint(100, 200)));
    QTest::qWait(200); // let the server draw what the window painted
    const QImage first = screenshot(QStringLiteral("artwork-window"));
    EXPECT_EQ(first.pixelColor(100 + 2, 200 + 2), kCornerColour) << "the picture's corner mark";
    EXPECT_NE(first.pixelColor(100 - 2, 200 + 2), kCornerColour) << "the window starts at the mark";
    EXPECT_NE(first.pixelColor(100 + 170, 200 + 60), kPictureColour) << "the window is the picture's size";
    xdotool(QStringLiteral("key --repeat 2 ctrl+Left"));
    ASSERT_TRUE(waitForPosition(window, QPoint(98, 200))) << "one pixel a Ctrl+Left";
    frmShowPic::unloadInstance();
    EXPECT_EQ(settings.values[QStringLiteral("Position")], QStringLiteral("1470,3000"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    frmShowPic& next = shown();
    EXPECT_TRUE(waitForPosition(next, QPoint(98, 200)));
    QTest::qWait(200);
    const QImage shot = screenshot(QStringLiteral("artwork-window-restored"));
    EXPECT_EQ(shot.pixelColor(98 + 2, 200 + 2), kCornerColour);
    EXPECT_EQ(shot.pixelColor(98 + 80, 200 + 60), kPictureColour);
}
