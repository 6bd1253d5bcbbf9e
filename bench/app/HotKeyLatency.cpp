// How long a global hotkey takes to act: Ctrl+Right ("Next Track") sent by xdotool, timed
// from just before the process is started until the player's play event, which NextTrack
// raises. Nothing is subtracted, so the figure includes starting xdotool (fork, exec, its
// X connection and keysym lookup), the X server passing the key to our root-window grab,
// the event loop reading it and the dispatcher asking the player for the next track. For
// telling those apart, xdotool's bare run time (a key nobody listens to, start to exit)
// is printed too. Run on an X display:
//   scripts/with-desktop.sh build/bench/app/hotkey_latency
#include "AppBenchRig.h"
#include "LatencyStats.h"

#include "player/simulated/SimulatedPlayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int kPresses = 30;
constexpr int kPlayTimeoutMs = 2000;
constexpr int kCloseTimeoutMs = 5000;
constexpr int kProcessTimeoutMs = 5000;
constexpr double kNsPerMs = 1e6;
constexpr double kTargetMedianMs = 20;

const QString kXdotool = QStringLiteral("xdotool");

// Start to exit of `xdotool key shift`, in ms, for each run that finished cleanly.
std::vector<double> bareXdotoolRuns(int runs)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(kXdotool, { QStringLiteral("key"), QStringLiteral("shift") });
        if (process.waitForFinished(kProcessTimeoutMs) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0)
            samples.push_back(double(clock.nsecsElapsed()) / kNsPerMs);
    }
    return samples;
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("no display: skipped");
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::puts("no display: skipped");
        return 0;
    }
    if (QStandardPaths::findExecutable(kXdotool).isEmpty()) {
        std::puts("no xdotool: skipped");
        return 0;
    }

    AppBenchRig rig({ { QStringLiteral("EnableHotKey"), QStringLiteral("1") },
        { QStringLiteral("HotKeyMod"), QStringLiteral("Ctrl") },
        { QStringLiteral("NextTrackKey"), QStringLiteral("Right") } });
    if (!rig.startPlayer()) {
        std::fprintf(stderr, "hotkey_latency: %s\n", qPrintable(rig.error()));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    qint64 playAt = -1;
    // Connected ahead of the window, so the time is taken before the notification's work.
    QObject::connect(&rig.player(), &PlayerApplication::OnPlayerPlayEvent, [&] {
        if (playAt < 0)
            playAt = clock.nsecsElapsed();
        loop.quit();
    });
    if (!rig.loadWindow()) {
        std::fprintf(stderr, "hotkey_latency: %s\n", qPrintable(rig.error()));
        return 1;
    }
    for (const QString& message : rig.messages())
        std::fprintf(stderr, "hotkey_latency: the program said: %s\n", qPrintable(message));
    rig.closeNotification(kCloseTimeoutMs);

    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

    std::vector<double> samples;
    int missed = 0;
    for (int i = 0; i < kPresses; ++i) {
        playAt = -1;
        const qint64 pressAt = clock.nsecsElapsed();
        if (!QProcess::startDetached(kXdotool, { QStringLiteral("key"), QStringLiteral("ctrl+Right") })) {
            std::fprintf(stderr, "hotkey_latency: xdotool did not start\n");
            return 1;
        }
        if (playAt < 0) {
            timeout.start(kPlayTimeoutMs);
            loop.exec();
            timeout.stop();
        }
        if (playAt < 0)
            ++missed;
        else
            samples.push_back(double(playAt - pressAt) / kNsPerMs);
        if (!rig.closeNotification(kCloseTimeoutMs)) {
            std::fprintf(stderr, "hotkey_latency: the pop-ups did not go\n");
            return 1;
        }
    }

    std::printf("xdotool key ctrl+Right to the play event, %d presses\n", kPresses);
    printSummary("hotkey (xdotool start-up included)", samples);
    printSummary("xdotool key shift, bare run", bareXdotoolRuns(kPresses));
    if (missed)
        std::printf("missed (no play event within %d ms): %d\n", kPlayTimeoutMs, missed);
    const double median = summarize(samples).median;
    std::printf("target: median under %.0f ms: %s\n", kTargetMedianMs,
        !samples.empty() && median < kTargetMedianMs ? "met" : "NOT met");
    return samples.empty() ? 1 : 0;
}
