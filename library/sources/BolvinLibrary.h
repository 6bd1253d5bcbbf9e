#pragma once

#include "FileLibrary.h"

#include "player/extras/ExtrasStore.h"

#include <vector>

// Bolvin's own store of ratings and play counts (kept for players that keep none) as a
// library source. It holds any track: an import first takes in the file's tracks it does
// not know yet, known by name and length until they are played.
class BolvinLibrary : public FileLibrary
{
public:
    explicit BolvinLibrary(QString path);

    static QString defaultPath() { return ExtrasStore::defaultPath(); }

    bool load(QString* error) override;
    void takeInTracksOf(QIODevice& extrasFile) override;

protected:
    QString kind() const override { return QStringLiteral("Bolvin library"); }
    bool copyTo(const QString& target, QString* error) override;
    bool writeChanges(const std::vector<int>& changed, QString* error) override;

private:
    ExtrasStore m_store;
    // The stored tracks by entry position, so a write keeps the tags they were stored with.
    std::vector<StoredTrack> m_tracks;
};
