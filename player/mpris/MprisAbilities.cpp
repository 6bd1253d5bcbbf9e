#include "MprisAbilities.h"

#include "MprisConnection.h"
#include "TrackWriter.h"

PlayerCapabilities MprisAbilities::of(const MprisConnection& link, const TrackWriter* writer, bool trackTellsUseCount)
{
    const QString name = link.displayName();
    PlayerCapabilities caps;
    caps.rate = writer ? writer->rateAbility()
                       : PlayerAbility::no(QStringLiteral("%1 does not let other programs rate its tracks.").arg(name));
    caps.writePlayCount = writer
        ? writer->playCountAbility()
        : PlayerAbility::no(QStringLiteral("%1 does not let other programs change play counts.").arg(name));
    caps.minimize = PlayerAbility::no(QStringLiteral("%1 cannot be minimised by other programs.").arg(name));
    caps.miniPlayer = PlayerAbility::no(QStringLiteral("%1 has no mini player other programs can open.").arg(name));
    caps.library = PlayerAbility::no(QStringLiteral("%1 does not expose its library.").arg(name));
    if (link.vanished()) {
        const PlayerAbility gone = PlayerAbility::no(QStringLiteral("%1 has quit.").arg(name));
        caps.raise = caps.quit = caps.shuffle = caps.playlists = caps.readStatistics = gone;
        return caps;
    }
    if (!(writer && writer->readsStatistics()) && !trackTellsUseCount)
        caps.readStatistics = PlayerAbility::no(
            QStringLiteral("%1 does not tell other programs how often its tracks were played.").arg(name));
    if (!link.allows(MprisConnection::kRootInterface, QStringLiteral("CanRaise")))
        caps.raise
            = PlayerAbility::no(QStringLiteral("%1 cannot be brought to the front by other programs.").arg(name));
    if (!link.allows(MprisConnection::kRootInterface, QStringLiteral("CanQuit")))
        caps.quit = PlayerAbility::no(QStringLiteral("%1 cannot be told to quit by other programs.").arg(name));
    if (const auto shuffle = link.known(MprisConnection::kPlayerInterface, QStringLiteral("Shuffle"));
        link.answered(MprisConnection::kPlayerInterface)
        && (!shuffle || shuffle->metaType() != QMetaType::fromType<bool>()))
        caps.shuffle = PlayerAbility::no(QStringLiteral("%1 has no shuffle setting.").arg(name));
    else if (!link.allows(MprisConnection::kPlayerInterface, QStringLiteral("CanControl")))
        caps.shuffle = PlayerAbility::no(QStringLiteral("%1 does not let other programs change shuffle.").arg(name));
    if (link.answered(MprisConnection::kPlaylistsInterface)
        && !link.known(MprisConnection::kPlaylistsInterface, QStringLiteral("PlaylistCount")))
        caps.playlists = PlayerAbility::no(QStringLiteral("%1 does not list its playlists.").arg(name));
    return caps;
}
