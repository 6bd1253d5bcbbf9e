#pragma once

#include "player/PlayerApplication.h"
#include "player/PlayerBackend.h"
#include "player/PlayerError.h"

#include <QStringList>

// A collection over a list, counted from 1.
template <typename T> class FakeCollection : public PlayerCollection<T>
{
public:
    explicit FakeCollection(QList<std::shared_ptr<T>> items = {})
        : items(std::move(items))
    {
    }
    int Count() const override { return int(items.size()); }
    std::shared_ptr<T> Item(int index) const override
    {
        if (index < 1 || index > Count())
            throw PlayerError(QStringLiteral("No item %1").arg(index));
        return items.at(index - 1);
    }
    QList<std::shared_ptr<T>> items;
};

class FakePlaylist : public PlayerPlaylist
{
public:
    explicit FakePlaylist(QString name, int trackCount = 1)
        : name(std::move(name))
        , trackCount(trackCount)
    {
    }
    QString Name() const override { return name; }
    bool Shuffle() const override { return shuffle; }
    void SetShuffle(bool on) override { shuffle = on; }
    void PlayFirstTrack() override
    {
        if (trackCount == 0)
            throw PlayerError(QStringLiteral("Empty playlist"));
        ++played;
    }
    std::shared_ptr<PlayerTracks> Tracks() const override { return std::make_shared<FakeCollection<PlayerTrack>>(); }
    std::shared_ptr<PlayerTracks> Search(const QString&, int) const override { return nullptr; }

    QString name;
    int trackCount;
    bool shuffle = false;
    int played = 0;
};

class FakeWindow : public PlayerWindow
{
public:
    QString Name() const override { return name; }
    void SetVisible(bool on) override { calls << QStringLiteral("Visible=%1").arg(on); }
    void SetMinimized(bool on) override { calls << QStringLiteral("Minimized=%1").arg(on); }
    void SetMaximized(bool on) override { calls << QStringLiteral("Maximized=%1").arg(on); }
    void SetMiniPlayer(bool on) override { calls << QStringLiteral("MiniPlayer=%1").arg(on); }

    QString name = QStringLiteral("iTunes");
    QStringList calls;
};

class FakeSource : public PlayerSource
{
public:
    std::shared_ptr<PlayerPlaylists> Playlists() const override { return playlists; }
    std::shared_ptr<FakeCollection<PlayerPlaylist>> playlists = std::make_shared<FakeCollection<PlayerPlaylist>>();
};

// A scriptable player: state is set by the test, commands are recorded.
class FakePlayer : public PlayerApplication
{
public:
    QString Version() const override { return version; }
    QString Identity() const override { return identity; }
    int PlayerState() const override { return state; }
    void Play() override { calls << QStringLiteral("Play"); }
    void Pause() override { calls << QStringLiteral("Pause"); }
    void NextTrack() override { calls << QStringLiteral("NextTrack"); }
    void PreviousTrack() override { calls << QStringLiteral("PreviousTrack"); }
    int SoundVolume() const override { return volume; }
    void SetSoundVolume(int percent) override { volume = percent; }
    std::shared_ptr<PlayerTrack> CurrentTrack() const override
    {
        if (!currentTrack)
            throw PlayerError(QStringLiteral("No current track"));
        return currentTrack;
    }
    std::shared_ptr<PlayerPlaylist> CurrentPlaylist() const override { return orThrow(currentPlaylist); }
    bool CanSetShuffle(const std::shared_ptr<PlayerPlaylist>&) const override { return canSetShuffle; }
    std::shared_ptr<PlayerSource> LibrarySource() const override { return orThrow(librarySource); }
    std::shared_ptr<PlayerWindow> BrowserWindow() const override { return orThrow(browserWindow); }
    std::shared_ptr<PlayerWindows> Windows() const override { return orThrow(windows); }
    void Quit() override
    {
        calls << QStringLiteral("Quit");
        emit OnAboutToPromptUserToQuitEvent();
    }
    PlayerCapabilities capabilities() const override { return abilities; }

    template <typename T> static std::shared_ptr<T> orThrow(const std::shared_ptr<T>& object)
    {
        if (!object)
            throw PlayerError(QStringLiteral("Not available"));
        return object;
    }

    QString version = QStringLiteral("6.0.5.20");
    QString identity = QStringLiteral("Fake Player");
    int state = Stopped;
    int volume = 50;
    std::shared_ptr<PlayerTrack> currentTrack;
    std::shared_ptr<PlayerPlaylist> currentPlaylist;
    std::shared_ptr<PlayerSource> librarySource;
    std::shared_ptr<PlayerWindow> browserWindow;
    std::shared_ptr<PlayerWindows> windows;
    bool canSetShuffle = false;
    PlayerCapabilities abilities;
    mutable QStringList calls;
};

// A backend whose process list and player the test controls.
class FakePlayerBackend : public PlayerBackend
{
public:
    QString executableName() const override { return QStringLiteral("fakeplayer"); }
    std::optional<QStringList> runningExecutables() const override { return running; }
    QString identity() const override { return player ? player->identity : QStringLiteral("Fake Player"); }
    std::shared_ptr<PlayerApplication> createApplication() override
    {
        ++created;
        return player;
    }

    std::optional<QStringList> running = QStringList();
    std::shared_ptr<FakePlayer> player = std::make_shared<FakePlayer>();
    int created = 0;
};
