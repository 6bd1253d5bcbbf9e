#pragma once

#include "SimulatedPlayer.h"

#include "player/PlayerBackend.h"

#include <QString>

#include <functional>
#include <memory>

// Runs the simulated player in-process in place of a separate player program: it "runs"
// from start() or createApplication() until it is told to Quit.
class SimulatedPlayerBackend : public PlayerBackend
{
public:
    // libraryFile is loaded (and written back) on every start; speed as SimulatedPlayer.
    SimulatedPlayerBackend(const QString& libraryFile, double speed);

    QString executableName() const override;
    // The executable name while the player runs; an empty list otherwise.
    std::optional<QStringList> runningExecutables() const override;
    // The running player; one is started (library loaded, "Library" current with its first
    // track cued, not playing) when none runs. nullptr when the library cannot be loaded,
    // with lastError() saying why.
    std::shared_ptr<PlayerApplication> createApplication() override;

    // Starts the player if it does not run, and with play true plays the cued track. False
    // when the library cannot be loaded (see lastError()).
    bool start(bool play);
    QString lastError() const override { return m_lastError; }
    QString identity() const override { return QString::fromLatin1(SimulatedPlayer::kName); }
    // The running player, or nullptr.
    std::shared_ptr<SimulatedPlayer> player() const;
    // Whether started players advance in real time; on by default, tests turn it off and
    // step the player themselves.
    void setRealTime(bool on) { m_realTime = on; }
    // Called with every player this backend starts, before anything plays, so that a view
    // of the player can follow it from its first track; an empty function stops the calls.
    void setPlayerStarted(std::function<void(const std::shared_ptr<SimulatedPlayer>&)> started)
    {
        m_playerStarted = std::move(started);
    }

    // The user's own copy of the bundled library folder (the xml and its covers), made in
    // the application data folder on first use so that writes never touch the bundled
    // sample; later calls return the existing copy. Empty when the copy cannot be made.
    static QString userLibraryFile(const QString& bundledLibraryDir);

    // The player's working copy of a library file the user names (--library): the player
    // rates and counts plays in the copy, never in the user's own file. The copy lives in
    // the application data folder, under "libraries/" in a folder of its own per user file
    // (by the file's absolute path), with the user file's name; covers named relative to
    // the user's file are still found beside it. An existing copy is reused while the
    // user's file keeps the size and modification time it had when the copy was made;
    // when the user's file has changed since, the copy is made again from it, and the
    // player's own changes to the old copy are dropped. Empty, with *error saying why for
    // the user, when the user's file cannot be read or the copy cannot be made; the user's
    // file is then left alone and nothing should be played.
    static QString workingLibraryFile(const QString& userFile, QString* error = nullptr);

private:
    QString m_libraryFile;
    double m_speed;
    bool m_realTime = true;
    QString m_lastError;
    std::shared_ptr<SimulatedPlayer> m_player;
    std::function<void(const std::shared_ptr<SimulatedPlayer>&)> m_playerStarted;
};
