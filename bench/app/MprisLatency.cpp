// How long mpv's track change takes to reach the screen: from its Metadata change arriving
// on the bus to the X server exposing Bolvin's title pop-up. mpv announces a new track
// twice, first with the file name and a moment later with the tags; Bolvin waits for the
// tags, so both figures are given. Then, with mpv playing and no pop-up, counts the timer
// events Bolvin's own objects receive: between track changes it should have none. Needs
// mpv with its MPRIS plugin, sox, an X display and a session bus:
//   scripts/with-desktop.sh build/bench/app/mpris_latency
#include "AppBenchRig.h"
#include "LatencyStats.h"
#include "MetadataWatch.h"

#include "app/frmMain.h"
#include "app/notification/TrackNotification.h"
#include "player/mpris/MprisPlayerBackend.h"
#include "popup/PopUpMessage.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace
{
constexpr int kTrackChanges = 30;
constexpr int kTracks = 3;
constexpr int kExposeTimeoutMs = 3000;
constexpr int kCloseTimeoutMs = 5000;
constexpr int kStartTimeoutMs = 10000;
constexpr int kIdleMs = 5000;
constexpr double kNsPerMs = 1e6;
constexpr double kTargetMedianMs = 50;
const QString kPlugin = QStringLiteral("/usr/lib/mpv-mpris/mpris.so");
const QString kService = QStringLiteral("org.mpris.MediaPlayer2.mpv");

int skip(const char* why)
{
    std::printf("%s: skipped\n", why);
    return 0;
}

// Tagged tones long enough that mpv never moves on by itself.
bool makeTracks(const QDir& folder, QStringList& files)
{
    for (int i = 0; i < kTracks; ++i) {
        const QString tags = folder.filePath(QStringLiteral("tags.txt"));
        QFile file(tags);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QStringLiteral("TITLE=Tone %1\nARTIST=Bench\nALBUM=Latency\n").arg(i + 1).toUtf8());
        file.close();
        const QString out = folder.filePath(QStringLiteral("%1.ogg").arg(i));
        if (QProcess::execute(QStringLiteral("sox"),
                { QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("8000"), QStringLiteral("-c"),
                    QStringLiteral("1"), QStringLiteral("--comment-file"), tags, out, QStringLiteral("synth"),
                    QStringLiteral("300"), QStringLiteral("sine"), QString::number(300 + 100 * i) })
            != 0)
            return false;
        files << out;
    }
    return true;
}

bool waitForService(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (QDBusConnection::sessionBus().interface()->isServiceRegistered(kService))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// The first expose of the title pop-up's window, whichever pop-up is the title one when it
// comes: the pop-up is only made once the player has announced the track.
class TitleExposeWatch : public QObject
{
public:
    TitleExposeWatch(frmMain& form, const QElapsedTimer& clock, QEventLoop& loop)
        : m_form(form)
        , m_clock(clock)
        , m_loop(loop)
    {
    }
    void reset() { m_exposedAt = -1; }
    qint64 exposedAt() const { return m_exposedAt; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || m_exposedAt >= 0)
            return false;
        const PopUpMessage* title = m_form.notification().titlePopUp();
        const QWidget* widget = title ? title->WindowHandle() : nullptr;
        auto* window = qobject_cast<QWindow*>(object);
        if (widget && window && window == widget->windowHandle() && window->isExposed()) {
            m_exposedAt = m_clock.nsecsElapsed();
            m_loop.quit();
        }
        return false;
    }

private:
    frmMain& m_form;
    const QElapsedTimer& m_clock;
    QEventLoop& m_loop;
    qint64 m_exposedAt = -1;
};

// Timer events for any object but the one that ends the count.
class TimerCount : public QObject
{
public:
    explicit TimerCount(const QObject* own)
        : m_own(own)
    {
    }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Timer && object != m_own)
            ++m_count;
        return false;
    }

private:
    const QObject* m_own;
    int m_count = 0;
};
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return skip("no display or session bus");
    if (QStandardPaths::findExecutable(QStringLiteral("mpv")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty() || !QFile::exists(kPlugin))
        return skip("no mpv, mpv-mpris or sox");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return skip("no X display");
    if (QDBusConnection::sessionBus().interface()->isServiceRegistered(kService))
        return skip("another mpv is on the bus");

    QTemporaryDir music;
    QStringList files;
    if (!music.isValid() || !makeTracks(QDir(music.path()), files)) {
        std::fprintf(stderr, "mpris_latency: could not make test audio\n");
        return 1;
    }
    QProcess mpv;
    mpv.start(QStringLiteral("mpv"),
        QStringList { QStringLiteral("--no-config"), QStringLiteral("--script=") + kPlugin, QStringLiteral("--ao=null"),
            QStringLiteral("--no-video"), QStringLiteral("--idle=yes"), QStringLiteral("--no-terminal"),
            QStringLiteral("--loop-playlist=inf") }
            + files);
    if (!mpv.waitForStarted(kStartTimeoutMs) || !waitForService(kStartTimeoutMs)) {
        std::fprintf(stderr, "mpris_latency: mpv did not come on the bus\n");
        return 1;
    }

    int status = 0;
    {
        AppBenchRig rig;
        MprisPlayerBackend backend(QStringLiteral("mpv"));
        rig.usePlayer(backend);
        if (!rig.loadWindow()) {
            std::fprintf(stderr, "mpris_latency: %s\n", qPrintable(rig.error()));
            return 1;
        }
        rig.closeNotification(kCloseTimeoutMs);

        QElapsedTimer clock;
        clock.start();
        MetadataWatch metadata(kService, clock);
        metadata.listen();
        QEventLoop loop;
        TitleExposeWatch expose(rig.form(), clock, loop);
        app.installEventFilter(&expose);
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        const QDBusMessage next = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/mpris/MediaPlayer2"),
            QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Next"));

        std::vector<double> fromFirst;
        std::vector<double> fromTags;
        int missed = 0;
        for (int i = 0; i < kTrackChanges; ++i) {
            metadata.reset();
            expose.reset();
            QDBusConnection::sessionBus().send(next);
            timeout.start(kExposeTimeoutMs);
            loop.exec();
            timeout.stop();
            if (expose.exposedAt() < 0 || metadata.firstChangeAt() < 0) {
                ++missed;
            } else {
                fromFirst.push_back(double(expose.exposedAt() - metadata.firstChangeAt()) / kNsPerMs);
                fromTags.push_back(double(expose.exposedAt() - metadata.lastChangeAt()) / kNsPerMs);
            }
            if (!rig.closeNotification(kCloseTimeoutMs)) {
                std::fprintf(stderr, "mpris_latency: the pop-ups did not go\n");
                return 1;
            }
        }
        app.removeEventFilter(&expose);

        // Idle: mpv plays on, nothing changes, no pop-up shows.
        QTimer idleEnd;
        idleEnd.setSingleShot(true);
        TimerCount timers(&idleEnd);
        app.installEventFilter(&timers);
        QObject::connect(&idleEnd, &QTimer::timeout, &loop, &QEventLoop::quit);
        idleEnd.start(kIdleMs);
        loop.exec();
        app.removeEventFilter(&timers);

        std::printf("mpv Metadata change on the bus to title pop-up exposed, %d track changes\n", kTrackChanges);
        printSummary("from the first change (file name)", fromFirst);
        printSummary("from the last change (tags)", fromTags);
        if (missed)
            std::printf("missed (no change or no expose within %d ms): %d\n", kExposeTimeoutMs, missed);
        const double median = summarize(fromFirst).median;
        std::printf("target: median under %.0f ms: %s\n", kTargetMedianMs,
            !fromFirst.empty() && median < kTargetMedianMs ? "met" : "NOT met");
        std::printf("idle with mpv playing, %d s: %d timer events of Bolvin's own\n", kIdleMs / 1000, timers.count());
        status = fromFirst.empty() ? 1 : 0;
    }
    mpv.terminate();
    if (!mpv.waitForFinished(kCloseTimeoutMs))
        mpv.kill();
    return status;
}
