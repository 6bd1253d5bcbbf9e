#pragma once

#include "MprisMetadata.h"
#include "player/PlayerCapabilities.h"

#include "player/PlayerApplication.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QTimer>
#include <QVariantMap>

#include <memory>
#include <optional>

class ExtrasStore;
class MprisPlays;
class MprisConnection;
class RemoteArtwork;
class TrackWriter;

// A media player reached through its MPRIS 2 bus name. Every read comes from a copy of the
// player's properties (its root, player and playlists interfaces), asked for without waiting
// at construction, unless someone already heard them, and kept up by its PropertiesChanged
// signals, so nothing is asked of a player in the middle of changing tracks. Until the player
// answers, reads give "no value" and permissions are presumed; a player that answers late
// while playing raises OnPlayerPlayEvent then. Commands go out without waiting: a hung
// player costs its own features, never the caller's time; a command that fails or is not
// answered within the timeout is reported by commandFailed. Only the rating path waits (at
// most the timeout): a rating must be read back. Once the bus name vanishes,
// OnAboutToPromptUserToQuitEvent is raised and every member throws at once.
//
// Events: PlaybackStatus turning "Playing" or a new track while playing raises
// OnPlayerPlayEvent once; leaving "Playing" raises OnPlayerStopEvent; a new rating or play
// count for the same track raises OnDatabaseChangedEvent. A provisional track announcement
// (mpv sends the file name first, the tags a moment later) waits up to the grace time for
// its tags; that single-shot timer is the only one and runs only after such an announcement.
//
// Rating and play statistics: players that offer them through an interface of their own
// (Strawberry's Rating property, Rhythmbox's library database) get their TrackWriter attached
// at construction, found by what the player offers on the bus; tracks write through it, and
// each confirmed write raises OnDatabaseChangedEvent once the current event is handled.
// Every other player is rated in Bolvin's own store, when one is given.
// Strawberry and Rhythmbox never are: theirs would go on showing their own ratings.
class MprisPlayer : public PlayerApplication
{
    Q_OBJECT
public:
    static constexpr int kProvisionalGraceMs = 250;

    // service is the full bus name; timeoutMs bounds every call. heard: what is already known
    // of the player's interfaces (interface name to its properties), which is not asked again.
    // extras: Bolvin's own store, shared by all players; without it a player that keeps no
    // rating of its own cannot be rated. A damaged store is reported by commandFailed.
    MprisPlayer(const QDBusConnection& bus, const QString& service, int timeoutMs,
        const QHash<QString, QVariantMap>& heard = {}, std::shared_ptr<ExtrasStore> extras = {},
        QObject* parent = nullptr);
    ~MprisPlayer() override;

    // MPRIS has no version: this is the player's Identity ("mpv", "Rhythmbox").
    QString Version() const override;
    QString Identity() const override { return identity(); }
    int PlayerState() const override;
    void Play() override;
    void Pause() override;
    void NextTrack() override;
    void PreviousTrack() override;
    // Volume 0..1 as percent, clamped to 0..100 (some players go above 1).
    int SoundVolume() const override;
    void SetSoundVolume(int percent) override;
    // Throws PlayerError when no track is current (empty Metadata or the NoTrack id).
    std::shared_ptr<PlayerTrack> CurrentTrack() const override;
    // The play queue; its Shuffle is the player's Shuffle.
    std::shared_ptr<PlayerPlaylist> CurrentPlaylist() const override;
    // True when the player has a boolean Shuffle and CanControl is true; the playlist is
    // ignored as MPRIS has one shuffle setting.
    bool CanSetShuffle(const std::shared_ptr<PlayerPlaylist>& playlist) const override;
    std::shared_ptr<PlayerSource> LibrarySource() const override;
    std::shared_ptr<PlayerWindow> BrowserWindow() const override;
    // One window, named after the player's Identity.
    std::shared_ptr<PlayerWindows> Windows() const override;
    // Throws PlayerError when the player does not allow it (CanQuit false).
    void Quit() override;

    QString busName() const;
    // The Identity, or the bus name's suffix when the player gives none.
    QString identity() const;
    // Whether the player answers on org.mpris.MediaPlayer2.Player; one that does not is not
    // a player Bolvin can drive.
    bool implementsPlayer() const;
    bool hasVanished() const;
    // Whether the player has answered for each of its interfaces.
    bool answered() const;
    // Reads the optional abilities live; never throws.
    PlayerCapabilities capabilities() const override;

private:
    static inline const QString kPlaying = QStringLiteral("Playing");
    static inline const QString kPlaybackStatus = QStringLiteral("PlaybackStatus");
    static inline const QString kMetadata = QStringLiteral("Metadata");

    void onKept(const QString& interface);
    void takeIdentity();
    void takeState();
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void onServiceUnregistered();
    void onProvisionalExpired();
    void trackChanged(const MprisMetadata& metadata);
    void announcePlay(const MprisMetadata& metadata);
    std::optional<MprisMetadata> knownMetadata() const;
    QString knownStatus() const;
    // Asks for a property the player said had changed without its value.
    void fetchLater(const QString& name);
    void remember(const MprisMetadata& metadata);
    void attachWriter();
    void onTrackWritten();

    std::shared_ptr<MprisConnection> m_link;
    // Null when the player offers nothing beyond MPRIS.
    std::shared_ptr<TrackWriter> m_writer;
    std::shared_ptr<ExtrasStore> m_extras;
    // With Bolvin's own store as the writer: the plays Bolvin counts.
    std::unique_ptr<MprisPlays> m_plays;
    QDBusServiceWatcher m_watcher;
    QTimer m_provisionalTimer;
    std::shared_ptr<RemoteArtwork> m_remoteArtwork;
    QString m_status;
    QString m_trackIdentity;
    int m_rating = 0;
    int m_useCount = 0;
    // Playback started with a provisional track; the play event waits for its tags.
    bool m_playPending = false;
    // A database-changed event is queued; writes in one burst raise it once.
    bool m_databaseChangePending = false;
};
