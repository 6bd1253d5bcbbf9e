#pragma once

#include "SimulatedPlayer.h"

#include "player/PlayerBackend.h"

#include <QString>

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

    // The user's own copy of the bundled library folder (the xml and its covers), made in
    // the application data folder on first use so that writes never touch the bundled
    // sample; later calls return the existing copy. Empty when the copy cannot be made.
    static QString userLibraryFile(const QString& bundledLibraryDir);

private:
    QString m_libraryFile;
    double m_speed;
    bool m_realTime = true;
    QString m_lastError;
    std::shared_ptr<SimulatedPlayer> m_player;
};
