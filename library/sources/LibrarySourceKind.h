#pragma once

#include <QString>

#include <memory>

class FileLibrary;

// Where the extras transfer reads and writes a library: the connected player, or a file.
enum class LibrarySourceKind { ConnectedPlayer, Bolvin, Rhythmbox, Strawberry, File };

namespace LibrarySources
{

// The file a kind reads by default: Bolvin's, Rhythmbox's and Strawberry's own; empty for the others.
QString defaultPath(LibrarySourceKind kind);

// The file library of kind at path, loaded. nullptr with *error saying why (a missing,
// unreadable, malformed or unknown file, which is left untouched); also for ConnectedPlayer.
std::unique_ptr<FileLibrary> open(LibrarySourceKind kind, const QString& path, QString* error);

} // namespace LibrarySources
