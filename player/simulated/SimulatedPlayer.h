#pragma once

#include "LibraryFileSaver.h"
#include "LibrarySaveHold.h"
#include "PlayOrder.h"
#include "SimulatedWindow.h"
#include "player/plist/MusicLibrary.h"

#include "player/PlayerApplication.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class SimulatedPlaylist;

// An in-process player, the Jukebox, that plays an "iTunes Music Library.xml" file. Time is
// an input: playback moves only through advanceBy(), which a timer calls in real use
// (setRealTime) and tests call directly. A finished track counts as played and the next one
// starts. Rating and play changes are written back to the library file, coalesced, and at
// once by flush(). After Quit() every member throws PlayerError.
class SimulatedPlayer : public PlayerApplication
{
    Q_OBJECT
public:
    // The name the user sees for this player: its own, not that of the player it imitates.
    static constexpr const char* kName = "Jukebox";

    // The library must be loaded. The current playlist is "Library"; no track is current
    // until something plays or cueFirstTrack() is called.
    explicit SimulatedPlayer(std::unique_ptr<MusicLibrary> library, QObject* parent = nullptr);
    // Writes pending library changes.
    ~SimulatedPlayer() override;

    QString Version() const override;
    QString Identity() const override;
    int PlayerState() const override;
    void Play() override;
    void Pause() override;
    void NextTrack() override;
    void PreviousTrack() override;
    int SoundVolume() const override;
    void SetSoundVolume(int percent) override;
    std::shared_ptr<PlayerTrack> CurrentTrack() const override;
    std::shared_ptr<PlayerPlaylist> CurrentPlaylist() const override;
    bool CanSetShuffle(const std::shared_ptr<PlayerPlaylist>& playlist) const override;
    std::shared_ptr<PlayerSource> LibrarySource() const override;
    std::shared_ptr<PlayerWindow> BrowserWindow() const override;
    std::shared_ptr<PlayerWindows> Windows() const override;
    void Quit() override;

    void setVersion(const QString& version) { m_version = version; }
    // How many times faster than real time playback runs; a factor that is not positive is ignored.
    void setSpeed(double factor);
    double speed() const { return m_speed; }
    // Where "now" comes from for play dates; the system clock by default.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // Seeds the shuffle so a test gets a known order.
    void setShuffleSeed(quint32 seed) { m_random.seed(seed); }
    // Lets a timer feed real elapsed time into advanceBy() while playing. Off by default.
    void setRealTime(bool on);

    // Moves playback on by ms of wall-clock time (scaled by the speed). Each track that ends
    // on the way gains a play, its play date becomes now, and the next one starts.
    void advanceBy(qint64 ms);
    // Makes the current playlist's first track current without playing it; nothing when the
    // playlist is empty.
    void cueFirstTrack();

    // Plays the "Library" playlist from its track at position (0-based), as a double click
    // in the player's list does; nothing for a position outside the playlist.
    void playLibraryAt(int position);

    bool isRunning() const { return m_running; }
    // Index into library().tracks() of the current track; -1 when none is. Never throws.
    int currentTrackIndex() const { return m_running ? currentLibraryTrack() : -1; }
    // Milliseconds of the current track already played.
    qint64 position() const { return m_position; }
    // The window behind BrowserWindow() and Windows(), with what it was told.
    std::shared_ptr<SimulatedWindow> browserWindow() const { return m_window; }
    const MusicLibrary& library() const { return *m_library; }

    // Writes pending changes to the library file now; false when the file could not be
    // written (saveError() says why; the old file is untouched and the changes stay pending).
    // Under a hold (holdSaves) it writes nothing and returns true.
    bool flush();
    // Keeps every write of the library file back while the returned hold lives (the
    // periodic save, flush(), those of Quit() and of the destructor), so that a batch of
    // changes such as an import reaches the file in one write or not at all: a kill at any
    // moment leaves the file as before or as after the batch. Changes already pending are
    // written first, so that the file holds the state before the batch. When the last hold
    // ends keeping its changes, a dated copy of the file is made beside it
    // (MusicLibrary::backUp), then the file is written once; when no copy can be made
    // nothing is written, libraryWriteFailed says why and the changes stay pending, as
    // after any failed write. A player destroyed under a hold leaves the file as before.
    [[nodiscard]] LibrarySaveHold holdSaves();
    std::unique_ptr<LibraryWriteHold> holdLibraryWrites() override;
    bool savesHeld() const { return m_saver.isHeld(); }
    // The copy made before the last batch was written; empty until one was.
    QString lastBackup() const { return m_saver.lastBackup(); }
    QString saveError() const { return m_saver.error(); }
    // How long after the first unsaved change the file is written.
    void setSaveDelay(int ms) { m_saver.setDelay(ms); }

signals:
    // Finer than the player events, for a view of this player: the current track became
    // track (an index into library().tracks(), -1 for none), also while paused; playback
    // started or stopped; a track's rating, play count or play date changed.
    void currentTrackChanged(int track);
    void playingChanged(bool playing);
    void trackChanged(int track);
    // The library was read again from its file (a batch dropped): any track may differ.
    void libraryReloaded();

private:
    friend class SimulatedTrack;
    friend class SimulatedPlaylist;
    friend class SimulatedTrackList;
    friend class LibrarySaveHold;

    bool endHold(bool keep);

    // Throws PlayerError once the player has quit.
    void ensureRunning() const;
    const LibraryTrack& libraryTrack(int track) const;
    void setRating(int track, int rating);
    void setPlayCount(int track, int count);
    void setPlayDate(int track, const QDateTime& date);
    bool shuffleOf(int playlist) const;
    void setShuffleOf(int playlist, bool shuffle);
    void playFrom(int playlist, int position);
    std::shared_ptr<PlayerTrack> trackObject(int track) const;

    void libraryChanged(int track);
    void setPlaying(bool playing);
    void finishCurrentTrack();
    void startCurrent();
    int currentLibraryTrack() const;
    void updateTicking();
    void tick();

    std::unique_ptr<MusicLibrary> m_library;
    std::vector<std::shared_ptr<SimulatedPlaylist>> m_playlists;
    std::vector<bool> m_shuffle;
    std::shared_ptr<SimulatedWindow> m_window;
    QString m_version;
    double m_speed = 1.0;
    std::function<QDateTime()> m_now;
    QRandomGenerator m_random;

    bool m_running = true;
    bool m_playing = false;
    int m_volume;
    int m_currentPlaylist = 0;
    PlayOrder m_order;
    qint64 m_position = 0;

    LibraryFileSaver m_saver;
    bool m_realTime = false;
    QTimer m_tickTimer;
    QElapsedTimer m_sinceTick;
};
