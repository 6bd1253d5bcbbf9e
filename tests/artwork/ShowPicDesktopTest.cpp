// The real window on a real X display, driven by xdotool. Run under scripts/with-desktop.sh;
// skipped elsewhere.
#include "ShowPicFixture.h"

#include "platform/screen/Screen.h"

#include "XServerView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

constexpr int kWaitMs = 5000;
const QColor kPictureColour(200, 60, 40);

void xdotool(const QString& command)
{
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), command.split(QLatin1Char(' '))), 0)
        << "xdotool " << command.toStdString();
}

// Records the window's left edge, in twips, before each Right key-down it handles.
struct RightPressProbe : QObject {
    explicit RightPressProbe(frmShowPic& window)
        : window(window)
    {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Right)
            lefts << window.geometryTwips().left();
        return false;
    }
    frmShowPic& window;
    QList<int> lefts;
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
        artwork.emplace(ShowPicServices { settings, desktop, Screen::system(), beeper, printer });
        settings.values[kPosition] = QStringLiteral("1500,3000"); // 100, 200 pixels
    }

    // Loads the picture into the artwork window, shows it and waits until it is mapped at
    // the place expected and focused.
    frmShowPic& shown(const QPoint& expected)
    {
        frmShowPic& window = artwork->instance();
        EXPECT_TRUE(window.showpicture(writePicture(QSize(160, 120), QStringLiteral("cover.png"), kPictureColour)));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
        EXPECT_TRUE(waitForPosition(window, expected));
        return window;
    }
    bool waitForPosition(const frmShowPic& window, const QPoint& expected)
    {
        return QTest::qWaitFor([&] { return serverGeometry(window).topLeft() == expected; }, kWaitMs);
    }
};

TEST_F(ShowPicDesktopTest, TheWindowAppearsAtTheStoredPlaceAndAcceleratesOnTheServersAutoRepeat)
{
    frmShowPic& first = shown(QPoint(100, 200));
    QTest::qWait(200); // let the server draw what the window painted
    const QImage shot = screenshot(QStringLiteral("artwork-window"));
    EXPECT_EQ(shot.pixelColor(100 + 2, 200 + 2), kCornerColour) << "the picture's corner mark";
    EXPECT_EQ(shot.pixelColor(100 + 80, 200 + 60), kPictureColour) << "the picture fills the window";
    // Pressing and releasing Shift with Ctrl held brings the repeat count back to 0; the
    // held Right then repeats as X11 does it, in release and press pairs.
    RightPressProbe probe(first);
    xdotool(QStringLiteral("keydown ctrl keydown shift keyup shift keydown Right"));
    const bool repeated = QTest::qWaitFor([&] { return probe.lefts.size() >= 10; }, kWaitMs);
    xdotool(QStringLiteral("keyup Right keyup ctrl"));
    ASSERT_TRUE(repeated) << "key-downs seen: " << probe.lefts.size();
    QList<int> steps;
    for (int i = 0; i < 9; ++i)
        steps << (probe.lefts[i + 1] - probe.lefts[i]) / kTwips;
    EXPECT_EQ(steps, (QList<int> { 1, 1, 1, 2, 2, 2, 2, 3, 3 }));
}
