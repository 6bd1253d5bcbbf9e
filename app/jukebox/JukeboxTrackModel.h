#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>

#include <memory>
#include <vector>

class SimulatedPlayer;

// The simulated player's "Library" playlist as rows, one per track, with the current track
// marked; it follows the player's changes as they are announced and reads nothing else.
class JukeboxTrackModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Artist, Album, Time, Plays, Rating, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows player's library from now on, nothing for nullptr.
    void setPlayer(SimulatedPlayer* player);
    // The row showing a track (an index into the library's tracks); -1 when none does.
    int rowOf(int track) const;
    // The track of the current row is marked as playing or paused.
    void setCurrent(int track, bool playing);
    void trackChanged(int track);

    // A rating of 0 to 100 as stars; a value off the 20-step grid shows none.
    static QString starsText(int rating);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rowChanged(int row);

    QPointer<SimulatedPlayer> m_player;
    std::shared_ptr<const std::vector<int>> m_tracks;
    QHash<int, int> m_rows;
    int m_current = -1;
    bool m_playing = false;
};
