#include "PrivateBus.h"

#include "player/PlayerError.h"
#include "player/mpris/MprisPlayerBackend.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Real mpv with the mpv-mpris plugin on a private bus of the test's own, playing audio the
// test generates. Skipped where mpv, the plugin or sox is not installed.
namespace
{

const QString kPlugin = QStringLiteral("/usr/lib/mpv-mpris/mpris.so");
constexpr int kStartMs = 10000;
constexpr int kEventWaitMs = 5000;
constexpr int kTrackSeconds = 20;

// Polls pred while events run, for what mpv does on its own schedule; false when time is up.
bool waitUntil(const std::function<bool()>& pred, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

QString trackName(PlayerApplication& player)
{
    try {
        return player.CurrentTrack()->Name();
    } catch (const PlayerError&) {
        return QString();
    }
}

class MprisMpvTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("mpv").isEmpty() || QStandardPaths::findExecutable("sox").isEmpty()
            || !QFile::exists(kPlugin))
            GTEST_SKIP() << "mpv, mpv-mpris or sox is not installed";
        ASSERT_TRUE(m_dir.isValid());
        for (int n = 1; n <= 3; ++n)
            ASSERT_TRUE(makeTrack(n));
        // mpv-mpris publishes a cover only from a picture beside the audio, not an embedded one.
        QImage cover(8, 8, QImage::Format_RGB32);
        cover.fill(Qt::red);
        ASSERT_TRUE(cover.save(m_dir.filePath("cover.png")));

        ASSERT_TRUE(m_bus.start(QStringLiteral("mpris-mpv-client"))) << m_bus.error().toStdString();
        m_backend = std::make_unique<MprisPlayerBackend>("mpv", m_bus.client(), 400);
        startMpv();
    }

    // Starts mpv and waits, bounded, until it plays the first track with its tags.
    void startMpv()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.address());
        m_mpv.setProcessEnvironment(env);
        // --no-config keeps the system's auto-loaded copy of the plugin from loading twice.
        m_mpv.start("mpv",
            { "--no-config", "--script=" + kPlugin, "--ao=null", "--no-video", "--idle=yes", "--no-terminal",
                m_dir.filePath("t1.ogg"), m_dir.filePath("t2.ogg"), m_dir.filePath("t3.ogg") });
        ASSERT_TRUE(m_mpv.waitForStarted(kStartMs));
        ASSERT_TRUE(waitUntil([&] { return (m_player = m_backend->createApplication()) != nullptr; }, kStartMs))
            << m_backend->lastError().toStdString();
        ASSERT_TRUE(waitUntil([&] { return trackName(*m_player) == "Song 1"; }, kStartMs));
    }

    void TearDown() override
    {
        m_player.reset();
        if (m_mpv.state() != QProcess::NotRunning) {
            m_mpv.kill();
            m_mpv.waitForFinished(kStartMs);
        }
        m_bus.stop();
    }

    bool makeTrack(int n)
    {
        const QString tags = m_dir.filePath(QStringLiteral("tags%1.txt").arg(n));
        QFile file(tags);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QStringLiteral("TITLE=Song %1\nARTIST=Band %1\nALBUM=Record\n").arg(n).toUtf8());
        file.close();
        return QProcess::execute("sox",
                   { "-n", "-r", "44100", "-c", "2", "--comment-file", tags,
                       m_dir.filePath(QStringLiteral("t%1.ogg").arg(n)), "synth", QString::number(kTrackSeconds),
                       "sine", QString::number(220 * n) })
            == 0;
    }

    QTemporaryDir m_dir;
    PrivateBus m_bus;
    QProcess m_mpv;
    std::unique_ptr<MprisPlayerBackend> m_backend;
    std::shared_ptr<PlayerApplication> m_player;
};

TEST_F(MprisMpvTest, FollowsTracksAndCommands)
{
    EXPECT_EQ(m_backend->executableName(), "mpv");
    EXPECT_TRUE(m_backend->runningExecutables()->contains("mpv"));
    EXPECT_EQ(m_player->PlayerState(), PlayerApplication::Playing);
    // A slow start (a sanitizer build) may still be announcing the first track: let that
    // settle before counting events.
    ASSERT_TRUE(waitUntil([&] { return trackName(*m_player) == "Song 1"; }, kEventWaitMs));
    QTest::qWait(2 * MprisPlayer::kProvisionalGraceMs);

    QSignalSpy play(m_player.get(), &PlayerApplication::OnPlayerPlayEvent);
    QSignalSpy stop(m_player.get(), &PlayerApplication::OnPlayerStopEvent);
    m_player->NextTrack();
    ASSERT_TRUE(play.wait(kEventWaitMs));
    const auto track = m_player->CurrentTrack();
    EXPECT_EQ(track->Name(), "Song 2");
    EXPECT_EQ(track->Artist(), "Band 2");
    EXPECT_EQ(track->Album(), "Record");
    EXPECT_EQ(track->Time(), "0:20");
    ASSERT_EQ(track->Artwork()->Count(), 1);
    EXPECT_EQ(track->Artwork()->Item(1)->Format(), PlayerArtwork::PNG);
    QTest::qWait(2 * MprisPlayer::kProvisionalGraceMs);
    EXPECT_EQ(play.count(), 1);

    m_player->Pause();
    ASSERT_TRUE(stop.wait(kEventWaitMs));
    EXPECT_EQ(m_player->PlayerState(), PlayerApplication::Stopped);
    m_player->Play();
    ASSERT_TRUE(play.wait(kEventWaitMs));

    m_player->SetSoundVolume(40);
    EXPECT_EQ(m_player->SoundVolume(), 40);
    m_player->PreviousTrack();
    EXPECT_TRUE(waitUntil([&] { return trackName(*m_player) == "Song 1"; }, kEventWaitMs));
}

TEST_F(MprisMpvTest, QuittingMpvLeavesUsDisconnectedUntilItReturns)
{
    QSignalSpy quit(m_player.get(), &PlayerApplication::OnAboutToPromptUserToQuitEvent);
    m_player->Quit();
    ASSERT_TRUE(quit.wait(kEventWaitMs));
    EXPECT_THROW(m_player->PlayerState(), PlayerError);
    EXPECT_TRUE(m_mpv.waitForFinished(kStartMs));
    EXPECT_EQ(m_backend->createApplication(), nullptr);

    const std::shared_ptr<PlayerApplication> gone = m_player;
    startMpv();
    EXPECT_NE(m_player, gone);
    EXPECT_EQ(m_player->PlayerState(), PlayerApplication::Playing);
}

} // namespace
