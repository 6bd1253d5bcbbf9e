#include "SimulatedPlayer.h"

#include "SimulatedPlaylist.h"
#include "SimulatedSource.h"
#include "SimulatedTrack.h"
#include "player/ListCollection.h"

#include "player/PlayerError.h"

#include <algorithm>

namespace
{

const QString defaultVersion = QStringLiteral("6.0.5.20");
constexpr int defaultVolume = 50;
constexpr int maxVolume = 100;
constexpr int tickIntervalMs = 250;
// A track without a length still takes a moment, so advancing cannot spin.
constexpr qint64 shortestTrackMs = 1000;

} // namespace

SimulatedPlayer::SimulatedPlayer(std::unique_ptr<MusicLibrary> library, QObject* parent)
    : PlayerApplication(parent)
    , m_library(std::move(library))
    , m_window(std::make_shared<SimulatedWindow>(QString::fromLatin1(kName)))
    , m_version(defaultVersion)
    , m_now([] { return QDateTime::currentDateTimeUtc(); })
    , m_random(QRandomGenerator::securelySeeded())
    , m_volume(defaultVolume)
    , m_saver(*m_library)
{
    for (int i = 0; i < int(m_library->playlists().size()); ++i)
        m_playlists.push_back(std::make_shared<SimulatedPlaylist>(this, i));
    m_shuffle.assign(m_playlists.size(), false);

    connect(&m_saver, &LibraryFileSaver::writeFailed, this, &PlayerApplication::libraryWriteFailed);
    connect(&m_saver, &LibraryFileSaver::reloaded, this, [this] {
        emit libraryReloaded();
        emit OnDatabaseChangedEvent();
    });
    m_tickTimer.setInterval(tickIntervalMs);
    connect(&m_tickTimer, &QTimer::timeout, this, &SimulatedPlayer::tick);
}

SimulatedPlayer::~SimulatedPlayer()
{
    flush();
}

void SimulatedPlayer::ensureRunning() const
{
    if (!m_running)
        throw PlayerError(QStringLiteral("%1 is not running.").arg(QString::fromLatin1(kName)));
}

QString SimulatedPlayer::Identity() const
{
    return QString::fromLatin1(kName);
}

QString SimulatedPlayer::Version() const
{
    ensureRunning();
    return m_version;
}

int SimulatedPlayer::PlayerState() const
{
    ensureRunning();
    return m_playing ? Playing : Stopped;
}

void SimulatedPlayer::Play()
{
    ensureRunning();
    if (m_playing)
        return;
    if (m_order.isEmpty()) {
        // Nothing cued: start the current playlist from the top.
        if (m_library->playlists().at(std::size_t(m_currentPlaylist)).tracks->empty())
            return;
        playFrom(m_currentPlaylist, 0);
        return;
    }
    setPlaying(true);
    emit OnPlayerPlayEvent();
}

void SimulatedPlayer::Pause()
{
    ensureRunning();
    if (!m_playing)
        return;
    setPlaying(false);
    emit OnPlayerStopEvent();
}

void SimulatedPlayer::NextTrack()
{
    ensureRunning();
    if (m_order.isEmpty())
        return;
    m_order.next();
    startCurrent();
}

void SimulatedPlayer::PreviousTrack()
{
    ensureRunning();
    if (m_order.isEmpty())
        return;
    m_order.previous();
    startCurrent();
}

int SimulatedPlayer::SoundVolume() const
{
    ensureRunning();
    return m_volume;
}

void SimulatedPlayer::SetSoundVolume(int percent)
{
    ensureRunning();
    m_volume = std::clamp(percent, 0, maxVolume);
}

std::shared_ptr<PlayerTrack> SimulatedPlayer::CurrentTrack() const
{
    ensureRunning();
    const int track = currentLibraryTrack();
    if (track < 0)
        throw PlayerError(QStringLiteral("No track is current."));
    return trackObject(track);
}

std::shared_ptr<PlayerPlaylist> SimulatedPlayer::CurrentPlaylist() const
{
    ensureRunning();
    return m_playlists.at(std::size_t(m_currentPlaylist));
}

bool SimulatedPlayer::CanSetShuffle(const std::shared_ptr<PlayerPlaylist>& playlist) const
{
    ensureRunning();
    return playlist != nullptr;
}

std::shared_ptr<PlayerSource> SimulatedPlayer::LibrarySource() const
{
    ensureRunning();
    std::vector<std::shared_ptr<PlayerPlaylist>> playlists(m_playlists.begin(), m_playlists.end());
    return std::make_shared<SimulatedSource>(std::make_shared<ListCollection<PlayerPlaylist>>(std::move(playlists)));
}

std::shared_ptr<PlayerWindow> SimulatedPlayer::BrowserWindow() const
{
    ensureRunning();
    return m_window;
}

std::shared_ptr<PlayerWindows> SimulatedPlayer::Windows() const
{
    ensureRunning();
    return std::make_shared<ListCollection<PlayerWindow>>(std::vector<std::shared_ptr<PlayerWindow>> { m_window });
}

void SimulatedPlayer::Quit()
{
    ensureRunning();
    emit OnAboutToPromptUserToQuitEvent();
    setPlaying(false);
    m_order.clear();
    m_running = false;
    flush();
}

void SimulatedPlayer::setSpeed(double factor)
{
    if (factor > 0)
        m_speed = factor;
}

void SimulatedPlayer::setRealTime(bool on)
{
    m_realTime = on;
    updateTicking();
}

void SimulatedPlayer::advanceBy(qint64 ms)
{
    if (!m_running || !m_playing || ms <= 0)
        return;
    m_position += qint64(double(ms) * m_speed);
    // A long stall (a suspended machine, a huge speed) plays the playlist once, not over
    // and over; what is left after that is dropped.
    const int mostTracks = int(m_library->playlists().at(std::size_t(m_currentPlaylist)).tracks->size());
    int finished = 0;
    // A handler may pause or quit the player while a track change is announced.
    while (m_running && m_playing && !m_order.isEmpty()) {
        if (finished == mostTracks) {
            m_position = 0;
            break;
        }
        const qint64 length
            = std::max(m_library->tracks().at(std::size_t(currentLibraryTrack())).totalTimeMs, shortestTrackMs);
        if (m_position < length)
            break;
        const qint64 leftover = m_position - length;
        finishCurrentTrack();
        m_position = leftover;
        ++finished;
    }
}

void SimulatedPlayer::cueFirstTrack()
{
    ensureRunning();
    const int count = int(m_library->playlists().at(std::size_t(m_currentPlaylist)).tracks->size());
    m_order.reset(count, 0, m_shuffle.at(std::size_t(m_currentPlaylist)), m_random);
    m_position = 0;
    emit currentTrackChanged(currentLibraryTrack());
}

void SimulatedPlayer::playLibraryAt(int position)
{
    ensureRunning();
    if (position < 0 || position >= int(m_library->playlists().front().tracks->size()))
        return;
    playFrom(0, position);
}

bool SimulatedPlayer::flush()
{
    return m_saver.flush();
}

LibrarySaveHold SimulatedPlayer::holdSaves()
{
    m_saver.hold();
    return LibrarySaveHold(this);
}

std::unique_ptr<LibraryWriteHold> SimulatedPlayer::holdLibraryWrites()
{
    return std::make_unique<LibrarySaveHold>(holdSaves());
}

bool SimulatedPlayer::endHold(bool keep)
{
    return m_saver.endHold(keep, m_now());
}

const LibraryTrack& SimulatedPlayer::libraryTrack(int track) const
{
    ensureRunning();
    return m_library->tracks().at(std::size_t(track));
}

void SimulatedPlayer::setRating(int track, int rating)
{
    ensureRunning();
    m_library->setRating(track, rating);
    libraryChanged(track);
}

void SimulatedPlayer::setPlayCount(int track, int count)
{
    ensureRunning();
    m_library->setPlayCount(track, count);
    libraryChanged(track);
}

void SimulatedPlayer::setPlayDate(int track, const QDateTime& date)
{
    ensureRunning();
    m_library->setPlayDate(track, date);
    libraryChanged(track);
}

bool SimulatedPlayer::shuffleOf(int playlist) const
{
    ensureRunning();
    return m_shuffle.at(std::size_t(playlist));
}

void SimulatedPlayer::setShuffleOf(int playlist, bool shuffle)
{
    ensureRunning();
    m_shuffle.at(std::size_t(playlist)) = shuffle;
    // Reshuffle around the playing track so it keeps playing.
    if (playlist == m_currentPlaylist && !m_order.isEmpty()) {
        const int count = int(m_library->playlists().at(std::size_t(playlist)).tracks->size());
        m_order.reset(count, m_order.current(), shuffle, m_random);
    }
}

void SimulatedPlayer::playFrom(int playlist, int position)
{
    ensureRunning();
    m_currentPlaylist = playlist;
    const int count = int(m_library->playlists().at(std::size_t(playlist)).tracks->size());
    m_order.reset(count, position, m_shuffle.at(std::size_t(playlist)), m_random);
    setPlaying(true);
    startCurrent();
}

std::shared_ptr<PlayerTrack> SimulatedPlayer::trackObject(int track) const
{
    ensureRunning();
    // A track handed out by a read may still be written to (SetRating), which changes this
    // player; the const read that made it does not make the track read-only.
    return std::make_shared<SimulatedTrack>(const_cast<SimulatedPlayer*>(this), track);
}

void SimulatedPlayer::libraryChanged(int track)
{
    m_saver.changed();
    emit trackChanged(track);
    emit OnDatabaseChangedEvent();
}

void SimulatedPlayer::setPlaying(bool playing)
{
    if (m_playing == playing)
        return;
    m_playing = playing;
    updateTicking();
    emit playingChanged(playing);
}

void SimulatedPlayer::finishCurrentTrack()
{
    const int track = currentLibraryTrack();
    m_library->setPlayCount(track, m_library->tracks().at(std::size_t(track)).playCount + 1);
    m_library->setPlayDate(track, m_now());
    libraryChanged(track);
    if (!m_running || m_order.isEmpty())
        return;
    m_order.next();
    startCurrent();
}

void SimulatedPlayer::startCurrent()
{
    m_position = 0;
    updateTicking();
    emit currentTrackChanged(currentLibraryTrack());
    if (m_playing)
        emit OnPlayerPlayEvent();
}

int SimulatedPlayer::currentLibraryTrack() const
{
    const int position = m_order.current();
    if (position < 0)
        return -1;
    return m_library->playlists().at(std::size_t(m_currentPlaylist)).tracks->at(std::size_t(position));
}

void SimulatedPlayer::updateTicking()
{
    const bool tick = m_realTime && m_running && m_playing;
    if (tick && !m_tickTimer.isActive()) {
        m_sinceTick.start();
        m_tickTimer.start();
    } else if (!tick) {
        m_tickTimer.stop();
    }
}

void SimulatedPlayer::tick()
{
    advanceBy(m_sinceTick.restart());
}
