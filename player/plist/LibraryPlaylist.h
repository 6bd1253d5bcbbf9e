#pragma once

#include <QString>

#include <memory>
#include <vector>

// A playlist of the library file: its name and its tracks as indices into
// MusicLibrary::tracks(), in the file's order. The list is shared so collections handed to
// callers need not copy it.
struct LibraryPlaylist {
    QString name;
    std::shared_ptr<const std::vector<int>> tracks = std::make_shared<const std::vector<int>>();
};
