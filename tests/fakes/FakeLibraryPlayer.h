#pragma once

#include "FakePlayer.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

#include <memory>
#include <numeric>
#include <vector>

// The values of one track of a FakeLibraryPlayer.
struct FakeTrackData {
    QString name;
    QString artist;
    int rating = 0;
    int playedCount = 0;
    QDateTime playedDate;
    QString time = QStringLiteral("3:00");
};

// What the tracks and playlists of a FakeLibraryPlayer share: the values, a log of writes,
// and the switches a test turns.
struct FakeLibraryState {
    std::vector<FakeTrackData> tracks;
    // "SetRating 2 80", "SetPlayedCount 2 7", "SetPlayedDate 2 <ISO date or never>".
    QStringList writes;
    // Every read and write counts down; at 0 the next one throws, as a player that vanished.
    long long callsLeft = -1;
    // Search by a hash of whole names (as an index would) rather than by scanning.
    bool indexedSearch = false;
    QMultiHash<QString, int> nameIndex;

    FakeTrackData& track(int index)
    {
        if (callsLeft == 0)
            throw PlayerError(QStringLiteral("The player stopped answering."));
        if (callsLeft > 0)
            --callsLeft;
        return tracks.at(std::size_t(index));
    }
    void buildIndex()
    {
        nameIndex.clear();
        for (int i = int(tracks.size()) - 1; i >= 0; --i)
            nameIndex.insert(tracks[std::size_t(i)].name.toCaseFolded(), i);
    }
};

class FakeLibraryTrack : public PlayerTrack
{
public:
    FakeLibraryTrack(std::shared_ptr<FakeLibraryState> state, int index)
        : m_state(std::move(state))
        , m_index(index)
    {
    }
    QString Name() const override { return data().name; }
    QString Artist() const override { return data().artist; }
    QString Album() const override { return data().name; }
    int Rating() const override { return data().rating; }
    void SetRating(int rating) override
    {
        if (rating < 0 || rating > 100)
            throw PlayerError(QStringLiteral("Bad rating"));
        data().rating = rating;
        log(QStringLiteral("SetRating"), QString::number(rating));
    }
    int PlayedCount() const override { return data().playedCount; }
    void SetPlayedCount(int count) override
    {
        data().playedCount = count;
        log(QStringLiteral("SetPlayedCount"), QString::number(count));
    }
    QDateTime PlayedDate() const override { return data().playedDate; }
    void SetPlayedDate(const QDateTime& date) override
    {
        data().playedDate = date;
        log(QStringLiteral("SetPlayedDate"), date.isValid() ? date.toString(Qt::ISODate) : QStringLiteral("never"));
    }
    QString Time() const override { return data().time; }
    int BitRate() const override { return 128; }
    std::shared_ptr<PlayerCollection<PlayerArtwork>> Artwork() const override
    {
        return std::make_shared<FakeCollection<PlayerArtwork>>();
    }

private:
    FakeTrackData& data() const { return m_state->track(m_index); }
    void log(const QString& call, const QString& value) const
    {
        m_state->writes << QStringLiteral("%1 %2 %3").arg(call).arg(m_index).arg(value);
    }
    std::shared_ptr<FakeLibraryState> m_state;
    int m_index;
};

class FakeLibraryPlaylist : public FakePlaylist
{
public:
    FakeLibraryPlaylist(QString name, std::shared_ptr<FakeLibraryState> state, std::vector<int> indices)
        : FakePlaylist(std::move(name), int(indices.size()))
        , m_tracks(tracksOf(state, indices))
        , m_state(std::move(state))
        , m_indices(std::move(indices))
    {
    }
    std::shared_ptr<PlayerTracks> Tracks() const override { return m_tracks; }
    // Song names containing text, without regard to case; an indexed state finds whole names
    // only. nullptr when nothing matches.
    std::shared_ptr<PlayerTracks> Search(const QString& text, int) const override
    {
        std::vector<int> found;
        if (m_state->indexedSearch) {
            const auto hits = m_state->nameIndex.values(text.toCaseFolded());
            found.assign(hits.begin(), hits.end());
        } else if (!text.isEmpty()) {
            for (const int i : m_indices) {
                if (m_state->tracks[std::size_t(i)].name.contains(text, Qt::CaseInsensitive))
                    found.push_back(i);
            }
        }
        return found.empty() ? nullptr : tracksOf(m_state, found);
    }

private:
    static std::shared_ptr<PlayerTracks> tracksOf(
        const std::shared_ptr<FakeLibraryState>& state, const std::vector<int>& indices)
    {
        auto tracks = std::make_shared<FakeCollection<PlayerTrack>>();
        for (const int i : indices)
            tracks->items << std::make_shared<FakeLibraryTrack>(state, i);
        return tracks;
    }

    std::shared_ptr<PlayerTracks> m_tracks;
    std::shared_ptr<FakeLibraryState> m_state;
    std::vector<int> m_indices;
};

// A player whose library source holds the playlists a test builds from its tracks.
class FakeLibraryPlayer : public FakePlayer
{
public:
    FakeLibraryPlayer() { librarySource = source; }

    // Adds a playlist of the given tracks, by index into state->tracks.
    void addPlaylist(const QString& name, std::vector<int> indices)
    {
        source->playlists->items << std::make_shared<FakeLibraryPlaylist>(name, state, std::move(indices));
    }
    // A "Library" playlist of every track, in order.
    void addLibrary()
    {
        std::vector<int> all(state->tracks.size());
        std::iota(all.begin(), all.end(), 0);
        addPlaylist(QStringLiteral("Library"), std::move(all));
    }
    FakeTrackData& track(int index) { return state->tracks.at(std::size_t(index)); }

    std::shared_ptr<FakeLibraryState> state = std::make_shared<FakeLibraryState>();
    std::shared_ptr<FakeSource> source = std::make_shared<FakeSource>();
};
