#pragma once

#include "MprisChoice.h"
#include "MprisConnection.h"
#include "MprisPlayer.h"

#include "player/PlayerBackend.h"

#include <QDBusConnection>

#include <memory>

class ExtrasStore;

// Finds MPRIS players on a bus: a player "runs" while it owns an org.mpris.MediaPlayer2.* name.
// The "executable names" the connection logic matches are the bus names' suffixes ("mpv",
// "vlc.instance4711"), so its contains-rule works unchanged. Which player is meant: the one a
// followed MprisChoice has chosen; without one, with a configured name, one whose bus name
// contains it (any case); with none, the first player that is playing, else the first found
// (bus names in alphabetical order). A pinned player that does not run is waited for: no
// other one is meant meanwhile.
class MprisPlayerBackend : public PlayerBackend
{
public:
    static const QString kBusPrefix;

    // playerName may be empty; bus defaults to the session bus. timeoutMs bounds every call.
    // extrasPath: Bolvin's own ratings file for players that keep none; empty for its usual place.
    explicit MprisPlayerBackend(const QString& playerName = QString(),
        const QDBusConnection& bus = QDBusConnection::sessionBus(), int timeoutMs = MprisConnection::kDefaultTimeoutMs,
        const QString& extrasPath = QString());

    // The chosen player's bus name suffix; with none chosen, the pinned name in lower case,
    // which no running player's name contains; empty when nothing is pinned and none runs.
    QString executableName() const override;
    // The suffixes of every MPRIS bus name; nullopt when the bus cannot be asked.
    std::optional<QStringList> runningExecutables() const override;
    // The chosen player's object (the same one again while it lives and has not vanished).
    // An MPRIS player cannot be started by name, so with none chosen this is nullptr and
    // lastError() says why ("Waiting for rhythmbox to start.").
    std::shared_ptr<PlayerApplication> createApplication() override;

    // Any player implementing the MPRIS player interface is accepted, whatever its version.
    bool gatesOnVersion() const override { return false; }
    QString rejectionReason(PlayerApplication& player) const override;

    // Why no player can be attached: following a choice, as things stand now, before any
    // attempt; otherwise as the last createApplication() found. Empty when one can.
    QString lastError() const override;
    // The chosen player's Identity when known without asking it, else the pinned name, else
    // "your media player".
    QString identity() const override;
    // The pinned name; empty when none is.
    QString playerName() const;
    // The full bus name of the player meant now; empty when none runs.
    QString chooseService() const;
    // Leaves the choice among players to choice, which knows what happened on the bus since
    // the start and must outlive this backend.
    void followChoice(const MprisChoice& choice) { m_choice = &choice; }

private:
    std::optional<QStringList> mprisServices() const;
    bool isPlaying(const QString& service) const;
    bool followsChoice() const { return m_choice != nullptr; }
    QString whyNone() const;

    QString m_playerName;
    QDBusConnection m_bus;
    int m_timeoutMs;
    QString m_lastError;
    std::weak_ptr<MprisPlayer> m_player;
    // Opened only when a player's track is first looked up in it.
    std::shared_ptr<ExtrasStore> m_extras;
    const MprisChoice* m_choice = nullptr;
};
