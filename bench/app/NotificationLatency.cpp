// How long a track change takes to reach the screen: from the player's play event to the
// moment the X server exposes the title pop-up's window. The figure covers the whole
// notification work on the GUI thread (closing the last one, reading the track, saving
// and, for PNG covers, converting the cover with FreeImage, building both pop-ups) plus the
// wait for the scheduler's first tick, which places and shows the window, and the X round
// trip that maps it. Run on an X display:
//   scripts/with-desktop.sh build/bench/app/notification_latency
#include "AppBenchRig.h"
#include "LatencyStats.h"

#include "app/frmMain.h"
#include "app/notification/TrackNotification.h"
#include "player/PlayerArtwork.h"
#include "player/simulated/SimulatedPlayer.h"
#include "popup/PopUpMessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace
{
constexpr int kTrackChanges = 50;
constexpr int kExposeTimeoutMs = 2000;
constexpr int kCloseTimeoutMs = 5000;
constexpr double kNsPerMs = 1e6;
constexpr double kTargetMedianMs = 50;

// Catches the first expose of one widget's native window, application-wide: the window
// only comes into being when the scheduler first shows it.
class ExposeWatch : public QObject
{
public:
    ExposeWatch(const QElapsedTimer& clock, QEventLoop& loop)
        : m_clock(clock)
        , m_loop(loop)
    {
    }

    void watch(const QWidget* widget)
    {
        m_widget = widget;
        m_exposedAt = -1;
    }
    // Nanoseconds on the clock, -1 before the expose.
    qint64 exposedAt() const { return m_exposedAt; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && m_widget && m_exposedAt < 0) {
            auto* window = qobject_cast<QWindow*>(object);
            if (window && window == m_widget->windowHandle() && window->isExposed()) {
                m_exposedAt = m_clock.nsecsElapsed();
                m_loop.quit();
            }
        }
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    QEventLoop& m_loop;
    const QWidget* m_widget = nullptr;
    qint64 m_exposedAt = -1;
};

bool currentCoverIsPng(const SimulatedPlayer& player)
{
    try {
        const auto artwork = player.CurrentTrack()->Artwork();
        return artwork->Count() > 0 && artwork->Item(1)->Format() == PlayerArtwork::PNG;
    } catch (...) {
        return false;
    }
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

    AppBenchRig rig;
    if (!rig.startPlayer()) {
        std::fprintf(stderr, "notification_latency: %s\n", qPrintable(rig.error()));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    qint64 playAt = -1;
    bool png = false;
    // Connected ahead of the window, so the time is taken before any of its work.
    QObject::connect(&rig.player(), &PlayerApplication::OnPlayerPlayEvent, [&] {
        playAt = clock.nsecsElapsed();
        png = currentCoverIsPng(rig.player());
    });
    if (!rig.loadWindow()) {
        std::fprintf(stderr, "notification_latency: %s\n", qPrintable(rig.error()));
        return 1;
    }
    rig.closeNotification(kCloseTimeoutMs);

    QEventLoop loop;
    ExposeWatch watch(clock, loop);
    app.installEventFilter(&watch);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

    std::vector<double> all;
    std::vector<double> pngCovers;
    // The part spent inside the play event, before control returns to the event loop.
    std::vector<double> handling;
    int missed = 0;
    for (int i = 0; i < kTrackChanges; ++i) {
        playAt = -1;
        rig.player().NextTrack();
        const qint64 handledAt = clock.nsecsElapsed();
        const PopUpMessage* title = rig.form().notification().titlePopUp();
        const QWidget* window = title ? title->WindowHandle() : nullptr;
        if (playAt < 0 || !window) {
            ++missed;
            rig.closeNotification(kCloseTimeoutMs);
            continue;
        }
        watch.watch(window);
        timeout.start(kExposeTimeoutMs);
        loop.exec();
        timeout.stop();
        if (watch.exposedAt() < 0) {
            ++missed;
        } else {
            const double ms = double(watch.exposedAt() - playAt) / kNsPerMs;
            all.push_back(ms);
            handling.push_back(double(handledAt - playAt) / kNsPerMs);
            if (png)
                pngCovers.push_back(ms);
        }
        watch.watch(nullptr);
        if (!rig.closeNotification(kCloseTimeoutMs)) {
            std::fprintf(stderr, "notification_latency: the pop-ups did not go\n");
            return 1;
        }
    }
    app.removeEventFilter(&watch);

    std::printf("Play event to title pop-up exposed, %d track changes\n", kTrackChanges);
    printSummary("all tracks", all);
    printSummary("tracks with PNG covers", pngCovers);
    printSummary("of which handling the play event", handling);
    if (missed)
        std::printf("missed (no play event, no pop-up or no expose within %d ms): %d\n", kExposeTimeoutMs, missed);
    const double median = summarize(all).median;
    std::printf("target: median under %.0f ms: %s\n", kTargetMedianMs,
        !all.empty() && median < kTargetMedianMs ? "met" : "NOT met");
    return all.empty() ? 1 : 0;
}
