// README.md promises its players table is what the backends answer for each player as it
// appears on the bus; a capability that changes must change the table with it.
#include "FakeRhythmDbService.h"
#include "FakeStrawberryService.h"
#include "MprisFixture.h"

#include <QFile>

#include <functional>

namespace
{

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
    const QString begin = QStringLiteral("<!-- players table begin -->\n");
    QFile readme(QStringLiteral(BOLVIN_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly))
        return QStringLiteral("(no README.md)");
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype from = text.indexOf(begin);
    const qsizetype to = text.indexOf(QStringLiteral("<!-- players table end -->"));
    if (from < 0 || to < from)
        return QStringLiteral("(no players table in README.md)");
    return text.mid(from + begin.size(), to - from - begin.size());
}

class PlayerTableTest : public BusFixture
{
protected:
    // What Bolvin reads from a fake player once it is on the bus.
    PlayerCapabilities capabilitiesOf(FakeMprisService& fake)
    {
        EXPECT_TRUE(fake.start());
        return connectTo(fake)->capabilities();
    }
    PlayerCapabilities typical(
        const QString& suffix, const QString& identity, const std::function<void(FakeMprisService&)>& prepare = {})
    {
        FakeMprisService fake(bus().address(), suffix);
        fake.fillTypical();
        fake.set(FakeMprisService::kRoot, "Identity", identity);
        if (prepare)
            prepare(fake);
        return capabilitiesOf(fake);
    }
};

TEST_F(PlayerTableTest, TheReadmeSaysWhatEachPlayerAllows)
{
    QString table = QStringLiteral("| Player | Show its window | Shuffle | Playlists | My Rating, rating hotkeys | "
                                   "Play counts | Library transfer |\n| --- | --- | --- | --- | --- | --- | --- |\n");
    table += row(QStringLiteral("Jukebox (built in)"), PlayerCapabilities {}, true);
    // The least a player must offer: play state, track, commands.
    table += row(QStringLiteral("Any MPRIS player, at least"),
        typical("plain", "Any player",
            [](FakeMprisService& fake) {
                fake.remove(FakeMprisService::kRoot, "CanRaise");
                fake.remove(FakeMprisService::kRoot, "CanQuit");
                fake.remove(FakeMprisService::kPlayer, "Shuffle");
            }),
        false);
    table += row(QStringLiteral("mpv with mpv-mpris"),
        typical("mpv", "mpv", [](FakeMprisService& fake) { fake.set(FakeMprisService::kRoot, "CanRaise", false); }),
        false);
    table += row(QStringLiteral("VLC"), typical("vlc", "VLC media player"), false);

    FakeRhythmDbService database(bus().address());
    ASSERT_TRUE(database.start());
    table += row(QStringLiteral("Rhythmbox 3.4"),
        typical("rhythmbox", "Rhythmbox",
            [](FakeMprisService& fake) {
                fake.setPlaylists({ { QDBusObjectPath("/org/gnome/Rhythmbox3/Playlist/1"), "Favourites", QString() } });
                QVariantMap metadata = FakeMprisService::track("/org/gnome/Rhythmbox3/Track/1", "Song");
                metadata["xesam:url"] = QStringLiteral("file:///music/song.ogg");
                fake.set(FakeMprisService::kPlayer, "Metadata", metadata);
            }),
        true);

    for (const auto version : { FakeStrawberryService::WithRating, FakeStrawberryService::WithoutRating }) {
        FakeStrawberryService strawberry(bus().address(), version);
        table += row(version == FakeStrawberryService::WithRating ? QStringLiteral("Strawberry 1.0.19 and later")
                                                                  : QStringLiteral("Strawberry 1.0.14 (Debian 12)"),
            capabilitiesOf(strawberry), true);
    }

    EXPECT_EQ(readmeTable().toStdString(), table.toStdString())
        << "README.md's players table differs from what the backends answer; the table above is the current one";
}

} // namespace
