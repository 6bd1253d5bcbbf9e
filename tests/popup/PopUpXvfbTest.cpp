#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"

#include "platform/screen/QtClock.h"
#include "platform/screen/modFunctions.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

// Real windows on a real X server: run with DISPLAY set and QT_QPA_PLATFORM "xcb;offscreen";
// everywhere else these tests skip.
namespace {

constexpr int kWidthTwips = 3000; // 200 pixels at 96 dpi
constexpr int kHeightTwips = 1200; // 80 pixels
constexpr int kPopUps = 3;
constexpr int kLimitMs = 10000;

// The real clock, remembering when each tick asked for the time.
class RecordingClock : public Clock {
public:
    RecordingClock() { m_precise.start(); }
    qint64 now() const override
    {
        m_ticks.push_back(m_precise.nsecsElapsed());
        return m_clock.now();
    }
    // Milliseconds between successive ticks, to the microsecond.
    std::vector<double> intervals() const
    {
        constexpr double kNanosPerMilli = 1e6;
        std::vector<double> result;
        for (std::size_t i = 1; i < m_ticks.size(); ++i)
            result.push_back(double(m_ticks[i] - m_ticks[i - 1]) / kNanosPerMilli);
        return result;
    }

private:
    QtClock m_clock;
    QElapsedTimer m_precise;
    mutable std::vector<qint64> m_ticks;
};

// The window's rectangle as the X server has it.
QRect serverGeometry(const QWidget* window)
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), { QStringLiteral("-id"), QString::number(window->winId()) });
    if (!xwininfo.waitForFinished(5000))
        return {};
    const QString text = QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
    const auto field = [&text](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(text).captured(1).toInt();
    };
    return { field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height") };
}

template <typename Predicate>
bool runUntil(Predicate done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < kLimitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Where the i-th pop-up's top-left corner sits relative to the anchor, in pixels.
QPoint stackOffset(int direction, int i)
{
    switch (direction) {
    case 0: return { 0, -80 * (i + 1) };
    case 1: return { 0, 80 * i };
    case 3: return { 200 * i, 0 };
    default: return { -200 * (i + 1), 0 };
    }
}

class OnXServer : public testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
    }

    // Shows three pop-ups from the anchor in the area right × bottom twips and runs them out.
    std::vector<std::shared_ptr<PopUpMessage>> showThree(PopUpMessages& popups, int right, int bottom)
    {
        const int direction = GetParam();
        popups.setPopUpDirection(direction);
        popups.setShowDelay(kLimitMs * 2);
        popups.setXPos(direction == 2 || direction == 4 ? right : direction == 3 ? 0 : right - kWidthTwips);
        popups.setYPos(direction == 0 ? bottom : direction == 4 ? bottom - kHeightTwips : 0);
        std::vector<std::shared_ptr<PopUpMessage>> shown;
        for (int i = 0; i < kPopUps; ++i) {
            shown.push_back(std::make_shared<PopUpMessage>());
            shown.back()->setCaption(QStringLiteral("Pop-up %1").arg(i + 1));
            shown.back()->setMessage(QStringLiteral("Direction %1").arg(direction));
            popups.Show(shown.back());
        }
        EXPECT_TRUE(runUntil([&] { return shown.back()->Percent() == 100; }));
        return shown;
    }
};

TEST_P(OnXServer, ThreePopUpsStackFlushWithTheAnchor)
{
    RecordingClock clock;
    PopUpServices services;
    services.clock = &clock;
    PopUpMessages popups(services, kWidthTwips, kHeightTwips);
    popups.setMovementIndex(10);
    const auto shown = showThree(popups, GetWorkAreaRight(), GetWorkAreaBottom());

    // The cadence is recorded, not asserted: a loaded machine stretches it, and speed
    // targets live in bench/.
    std::vector<double> intervals = clock.intervals();
    ASSERT_GE(intervals.size(), 5u);
    std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2, intervals.end());
    RecordProperty("medianTickMicroseconds", int(intervals[intervals.size() / 2] * 1000));

    // Let the server catch up with the last move, then ask it where the windows are.
    QGuiApplication::sync();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const QPoint anchor(TwipsToPixelsX(popups.XPos()), TwipsToPixelsY(popups.YPos()));
    for (int i = 0; i < kPopUps; ++i) {
        const QRect rect = serverGeometry(shown[std::size_t(i)]->WindowHandle());
        EXPECT_EQ(rect, QRect(anchor + stackOffset(GetParam(), i), QSize(200, 80))) << "pop-up " << i;
    }

    const QString shot = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral("popup-direction-%1.png").arg(GetParam()));
    QProcess import;
    import.start(QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), shot });
    EXPECT_TRUE(import.waitForFinished(10000));
}

TEST_P(OnXServer, HostedPopUpsStackInsideTheirParentWindow)
{
    QWidget host;
    host.setGeometry(100, 100, 640, 400);
    host.show();
    PopUpMessages popups({}, kWidthTwips, kHeightTwips);
    popups.setParentHandle(&host);
    popups.setMovementIndex(25);
    popups.setScrollDelay(10);
    const auto shown = showThree(popups, 640 * 15, 400 * 15);
    const QPoint anchor(TwipsToPixelsX(popups.XPos()), TwipsToPixelsY(popups.YPos()));
    for (int i = 0; i < kPopUps; ++i) {
        const QWidget* window = shown[std::size_t(i)]->WindowHandle();
        const QPoint expected = anchor + stackOffset(GetParam(), i);
        EXPECT_EQ(window->parentWidget(), &host);
        EXPECT_EQ(window->geometry(), QRect(expected, QSize(200, 80))) << "pop-up " << i;
        EXPECT_EQ(window->mapToGlobal(QPoint(0, 0)), host.mapToGlobal(expected)) << "pop-up " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, OnXServer, testing::Values(0, 1, 2, 3, 4));

}
