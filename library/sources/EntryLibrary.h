#pragma once

#include "LibraryEntry.h"

#include "player/PlayerSource.h"

#include <QMultiHash>

#include <memory>
#include <vector>

// The songs of a library file as a player's library source: one playlist, "Library", of
// every song in file order. Its tracks read and write the entries in memory; nothing here
// touches a file.
class EntryLibrary : public PlayerSource
{
public:
    // What the tracks share with the library; tracks keep it alive after the library goes.
    struct Songs {
        std::vector<LibraryEntry> entries;
        // Case-folded name to entry, for the import's one search per track.
        QMultiHash<QString, int> byName;
    };

    EntryLibrary();

    std::shared_ptr<PlayerPlaylists> Playlists() const override;

    // Replaces the songs; the name index is rebuilt.
    void setEntries(std::vector<LibraryEntry> entries);
    // Adds songs after the others; playlists and tracks handed out before see them too.
    void addEntries(std::vector<LibraryEntry> entries);
    const std::vector<LibraryEntry>& entries() const { return m_songs->entries; }
    std::vector<LibraryEntry>& entries() { return m_songs->entries; }
    // Positions of the entries a track setter changed, in file order.
    std::vector<int> changedEntries() const;
    void clearChanges();

private:
    std::shared_ptr<Songs> m_songs;
};
