// How long a rating hotkey takes to show in Rhythmbox: from the hotkey's action (what a
// Ctrl+PageUp or Ctrl+PageDown press runs once X has delivered it; hotkey_latency times that
// part) to Rhythmbox's MPRIS metadata holding the new rating, read back as fast as the bus
// answers (Rhythmbox announces no change of rating). Starts its own
// Rhythmbox in a scratch home. Needs Rhythmbox with its MPRIS plugin, sox, an X display and a
// session bus:
//   scripts/with-desktop.sh build/bench/app/rhythmbox_rating_latency
#include "AppBenchRig.h"
#include "LatencyStats.h"

#include "app/commands/GlobalHotKeys.h"
#include "app/frmMain.h"
#include "player/mpris/MprisPlayerBackend.h"
#include "tray/hotkeys/HotKey.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace
{
constexpr int kPresses = 30;
constexpr int kStartTimeoutMs = 20000;
constexpr int kOpenAttempts = 4;
constexpr int kOpenWaitMs = 8000;
constexpr int kChangeTimeoutMs = 2000;
constexpr int kQuitTimeoutMs = 5000;
constexpr double kNsPerMs = 1e6;
constexpr double kTargetMedianMs = 50;
const QString kService = QStringLiteral("org.mpris.MediaPlayer2.rhythmbox");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");

int skip(const char* why)
{
    std::printf("%s: skipped\n", why);
    return 0;
}

bool waitFor(int timeoutMs, const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return condition();
}

QVariantMap playingMetadata()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.mpris.MediaPlayer2.Player") << QStringLiteral("Metadata");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 500);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariantMap();
    const QVariant metadata = reply.arguments().constFirst().value<QDBusVariant>().variant();
    return qdbus_cast<QVariantMap>(metadata);
}

QString playingTitle()
{
    return playingMetadata().value(QStringLiteral("xesam:title")).toString();
}

// -1 when the metadata carries none.
double shownRating()
{
    const QVariant rating = playingMetadata().value(QStringLiteral("xesam:userRating"));
    return rating.isValid() ? rating.toDouble() : -1.0;
}

// Rhythmbox in a home of its own, its music folder holding one tagged tone.
bool startRhythmbox(QProcess& rhythmbox, const QDir& home, QString* track)
{
    const QDir music(home.filePath(QStringLiteral("Music")));
    if (!home.mkpath(QStringLiteral("Music")) || !home.mkpath(QStringLiteral(".config")))
        return false;
    QFile dirs(home.filePath(QStringLiteral(".config/user-dirs.dirs")));
    if (!dirs.open(QIODevice::WriteOnly))
        return false;
    dirs.write(QStringLiteral("XDG_MUSIC_DIR=\"%1\"\n").arg(music.path()).toUtf8());
    dirs.close();
    QFile tags(home.filePath(QStringLiteral("tags.txt")));
    if (!tags.open(QIODevice::WriteOnly))
        return false;
    tags.write("TITLE=Rated Tone\nARTIST=Bench\nALBUM=Latency\n");
    tags.close();
    *track = music.filePath(QStringLiteral("tone.ogg"));
    if (QProcess::execute(QStringLiteral("sox"),
            { QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("8000"), QStringLiteral("-c"),
                QStringLiteral("1"), QStringLiteral("--comment-file"), tags.fileName(), *track, QStringLiteral("synth"),
                QStringLiteral("600"), QStringLiteral("sine"), QStringLiteral("440") })
        != 0)
        return false;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    rhythmbox.setProcessEnvironment(environment);
    rhythmbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    rhythmbox.start(QStringLiteral("rhythmbox"), QStringList());
    if (!rhythmbox.waitForStarted(kStartTimeoutMs) || !waitFor(kStartTimeoutMs, [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value();
        }))
        return false;
    // Rhythmbox may take an open request while still starting up and not act on it.
    const QString uri = QStringLiteral("file://") + *track;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        QDBusMessage open = QDBusMessage::createMethodCall(
            kService, kPath, QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("OpenUri"));
        open << uri;
        QDBusConnection::sessionBus().call(open, QDBus::Block, 2000);
        if (waitFor(kOpenWaitMs, [] { return playingTitle() == QLatin1String("Rated Tone"); }))
            return true;
    }
    return false;
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return skip("no display or session bus");
    if (QStandardPaths::findExecutable(QStringLiteral("rhythmbox")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty())
        return skip("no rhythmbox or sox");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return skip("no X display");
    if (QDBusConnection::sessionBus().interface()->isServiceRegistered(kService).value())
        return skip("another Rhythmbox is on the bus");

    QTemporaryDir home;
    QProcess rhythmbox;
    QString track;
    if (!home.isValid() || !startRhythmbox(rhythmbox, QDir(home.path()), &track)) {
        std::fprintf(stderr, "rhythmbox_rating_latency: Rhythmbox did not start playing the test tone\n");
        rhythmbox.kill();
        rhythmbox.waitForFinished(kQuitTimeoutMs);
        return 1;
    }

    int status = 1;
    {
        AppBenchRig rig;
        MprisPlayerBackend backend(QStringLiteral("rhythmbox"));
        rig.usePlayer(backend);
        if (rig.loadWindow() && rig.form().hotKeys().hotKeyPlayer()
            && rig.form().hotKeys().hotKeyPlayer()->capabilities().rate) {
            QElapsedTimer clock;
            clock.start();
            GlobalHotKeys& hotKeys = rig.form().hotKeys();
            std::vector<double> samples;
            int missed = 0;
            for (int i = 0; i < kPresses; ++i) {
                // Up to five stars and back down, so every press changes the rating.
                const int step = i % 10 < 5 ? HotKeyId::RatingUp : HotKeyId::RatingDown;
                const double before = shownRating();
                const qint64 pressedAt = clock.nsecsElapsed();
                hotKeys.HotKey(step);
                qint64 shownAt = -1;
                const QDeadlineTimer deadline(kChangeTimeoutMs);
                while (shownAt < 0 && !deadline.hasExpired()) {
                    if (shownRating() != before)
                        shownAt = clock.nsecsElapsed();
                }
                if (shownAt >= 0)
                    samples.push_back(double(shownAt - pressedAt) / kNsPerMs);
                else
                    ++missed;
                rig.closeNotification(kQuitTimeoutMs);
            }
            std::printf("Rating hotkey action to the new rating in Rhythmbox's metadata, %d presses\n", kPresses);
            printSummary("all presses", samples);
            if (missed)
                std::printf("missed (no metadata change within %d ms): %d\n", kChangeTimeoutMs, missed);
            const double median = summarize(samples).median;
            std::printf("target: median under %.0f ms: %s\n", kTargetMedianMs,
                !samples.empty() && median < kTargetMedianMs ? "met" : "NOT met");
            status = samples.empty() ? 1 : 0;
        } else {
            std::fprintf(stderr, "rhythmbox_rating_latency: not connected to Rhythmbox, or it cannot be rated: %s\n",
                qPrintable(rig.error()));
        }
    }
    rhythmbox.terminate();
    if (!rhythmbox.waitForFinished(kQuitTimeoutMs))
        rhythmbox.kill();
    return status;
}
