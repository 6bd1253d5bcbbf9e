#include "JukeboxTrackModel.h"

#include "player/RatingScale.h"
#include "player/TrackTime.h"
#include "player/simulated/SimulatedPlayer.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QStyle>

namespace
{

constexpr QChar kStar(0x2605);
// The rating control's gold, darkened to read on a light row.
const QColor kStarColour(0xc8, 0x8a, 0x00);

} // namespace

void JukeboxTrackModel::setPlayer(SimulatedPlayer* player)
{
    beginResetModel();
    m_player = player;
    m_tracks.reset();
    m_rows.clear();
    m_current = -1;
    m_playing = false;
    if (player) {
        m_tracks = player->library().playlists().front().tracks;
        m_rows.reserve(qsizetype(m_tracks->size()));
        for (int row = int(m_tracks->size()) - 1; row >= 0; --row)
            m_rows.insert((*m_tracks)[std::size_t(row)], row);
    }
    endResetModel();
}

int JukeboxTrackModel::rowOf(int track) const
{
    return m_rows.value(track, -1);
}

void JukeboxTrackModel::setCurrent(int track, bool playing)
{
    const int previous = m_current;
    m_current = rowOf(track);
    m_playing = playing;
    if (previous != m_current)
        rowChanged(previous);
    rowChanged(m_current);
}

void JukeboxTrackModel::trackChanged(int track)
{
    rowChanged(rowOf(track));
}

void JukeboxTrackModel::rowChanged(int row)
{
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString JukeboxTrackModel::starsText(int rating)
{
    if (rating <= 0 || rating % RatingScale::kStarStep != 0)
        return QString();
    return QString(int(RatingScale::toStars(rating)), kStar);
}

int JukeboxTrackModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_tracks ? 0 : int(m_tracks->size());
}

int JukeboxTrackModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JukeboxTrackModel::data(const QModelIndex& index, int role) const
{
    if (!m_player || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const LibraryTrack& track = m_player->library().tracks().at(std::size_t((*m_tracks)[std::size_t(index.row())]));
    const bool current = index.row() == m_current;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Name:
            return track.name;
        case Artist:
            return track.artist;
        case Album:
            return track.album;
        case Time:
            return trackTimeText(track.totalTimeMs);
        case Plays:
            return track.playCount > 0 ? QString::number(track.playCount) : QString();
        case Rating:
            return starsText(track.rating);
        }
        return {};
    case Qt::DecorationRole:
        if (current && index.column() == Name)
            return QApplication::style()->standardIcon(m_playing ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause);
        return {};
    case Qt::FontRole:
        if (current) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        if (index.column() == Rating)
            return kStarColour;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == Time || index.column() == Plays)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (index.column() == Rating && track.rating > 0 && starsText(track.rating).isEmpty())
            return tr("Rated %1 of 100, between two stars").arg(track.rating);
        return {};
    }
    return {};
}

QVariant JukeboxTrackModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole && (section == Time || section == Plays))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Name:
        return tr("Name");
    case Artist:
        return tr("Artist");
    case Album:
        return tr("Album");
    case Time:
        return tr("Time");
    case Plays:
        return tr("Plays");
    case Rating:
        return tr("Rating");
    }
    return {};
}
