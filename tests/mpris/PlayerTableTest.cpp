// The README's table of what Bolvin can do with each player, checked against the answers
// the backends give for players set up as each one appears on the bus.
#include "FakeRhythmDbService.h"
#include "FakeStrawberryService.h"
#include "MprisFixture.h"
#include "PrivateBus.h"

#include "player/mpris/MprisPlayer.h"

#include <gtest/gtest.h>

#include <QFile>

#include <functional>
#include <memory>

namespace {
constexpr int kTimeoutMs = 300;
const QString kBegin = QStringLiteral("<!-- players table begin -->\n");
const QString kEnd = QStringLiteral("<!-- players table end -->");

QString cell(const PlayerAbility& ability)
{
    return ability ? QStringLiteral("yes") : QStringLiteral("no");
}

// libraryFile: the player keeps a library file the Library page can transfer with.
QString row(const QString& player, const PlayerCapabilities& caps, bool libraryFile)
{
    const QString library = caps.library ? QStringLiteral("yes")
        : libraryFile                    ? QStringLiteral("its library file")
                                         : QStringLiteral("no");
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
        .arg(player, cell(caps.raise), cell(caps.shuffle), cell(caps.playlists), cell(caps.rate),
            cell(caps.writePlayCount), library);
}

QString readmeTable()
{
    QFile readme(QStringLiteral(BOLVIN_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly))
        return QStringLiteral("(no README.md)");
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype begin = text.indexOf(kBegin);
    const qsizetype end = text.indexOf(kEnd);
    if (begin < 0 || end < begin)
        return QStringLiteral("(no players table in README.md)");
    return text.mid(begin + kBegin.size(), end - begin - kBegin.size());
}

class PlayerTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bus.start(QStringLiteral("player-table-client"))) << m_bus.error().toStdString();
    }
    // What Bolvin reads from a fake player once it is on the bus.
    PlayerCapabilities capabilitiesOf(FakeMprisService& fake)
    {
        EXPECT_TRUE(fake.start());
        const MprisPlayer player(m_bus.client(), fake.service(), kTimeoutMs);
        EXPECT_TRUE(answeredSoon(player));
        return player.capabilities();
    }
    std::unique_ptr<FakeMprisService> player(const QString& suffix, const QString& identity,
        const std::function<void(FakeMprisService&)>& prepare)
    {
        auto fake = std::make_unique<FakeMprisService>(m_bus.address(), suffix);
        fake->fillTypical();
        fake->set(FakeMprisService::kRoot, "Identity", identity);
        prepare(*fake);
        return fake;
    }

    PrivateBus m_bus;
};
}

TEST_F(PlayerTableTest, TheReadmeSaysWhatEachPlayerAllows)
{
    QString table = QStringLiteral("| Player | Show its window | Shuffle | Playlists | My Rating, rating hotkeys | "
                                   "Play counts | Library transfer |\n| --- | --- | --- | --- | --- | --- | --- |\n");
    table += row(QStringLiteral("Jukebox (built in)"), PlayerCapabilities {}, true);

    // The least a player must offer: play state, track, commands.
    const auto plain = player("plain", "Any player", [](FakeMprisService& fake) {
        for (const char* optional : { "CanRaise", "CanQuit" })
            fake.remove(FakeMprisService::kRoot, optional);
        fake.remove(FakeMprisService::kPlayer, "Shuffle");
    });
    table += row(QStringLiteral("Any MPRIS player, at least"), capabilitiesOf(*plain), false);

    const auto mpv = player("mpv", "mpv", [](FakeMprisService& fake) {
        fake.set(FakeMprisService::kRoot, "CanRaise", false);
    });
    table += row(QStringLiteral("mpv with mpv-mpris"), capabilitiesOf(*mpv), false);

    const auto vlc = player("vlc", "VLC media player", [](FakeMprisService&) {});
    table += row(QStringLiteral("VLC"), capabilitiesOf(*vlc), false);

    FakeRhythmDbService database(m_bus.address());
    ASSERT_TRUE(database.start());
    const auto rhythmbox = player("rhythmbox", "Rhythmbox", [](FakeMprisService& fake) {
        fake.setPlaylists({ { QDBusObjectPath("/org/gnome/Rhythmbox3/Playlist/1"), "Favourites", QString() } });
        QVariantMap metadata = FakeMprisService::track("/org/gnome/Rhythmbox3/Track/1", "Song");
        metadata["xesam:url"] = QStringLiteral("file:///music/song.ogg");
        fake.set(FakeMprisService::kPlayer, "Metadata", metadata);
    });
    table += row(QStringLiteral("Rhythmbox 3.4"), capabilitiesOf(*rhythmbox), true);

    for (const auto version : { FakeStrawberryService::WithRating, FakeStrawberryService::WithoutRating }) {
        FakeStrawberryService strawberry(m_bus.address(), version);
        table += row(version == FakeStrawberryService::WithRating ? QStringLiteral("Strawberry 1.0.19 and later")
                                                                   : QStringLiteral("Strawberry 1.0.14 (Debian 12)"),
            capabilitiesOf(strawberry), true);
    }

    EXPECT_EQ(readmeTable().toStdString(), table.toStdString())
        << "README.md's players table differs from what the backends answer; the table above is the current one";
}
