#pragma once

#include <QByteArray>
#include <QString>

// Writes beside a library so that a kill at any moment leaves each file whole or absent: the
// bytes go to a file with no name yet (or, where the file system has no such files, a hidden
// temporary name that the next write sweeps away), which takes the mode, owner and group of
// the file it stands for, reaches the disk, and only then gets its name.
namespace ReplacingFile
{

// Replaces path's content with bytes. False with *error; path is then as it was.
bool replace(const QString& path, const QByteArray& bytes, QString* error);
// Copies source to target, which must not exist yet. False with *error; target is then absent.
bool copyNew(const QString& source, const QString& target, QString* error);
// Names a file another writer finished at temporary (one temporaryFor() gave) as target,
// after giving it like's mode, owner and group. False with *error.
bool publish(const QString& temporary, const QString& target, const QString& like, QString* error);
// A hidden name beside target for a writer that needs a path: ".rhythmdb.xml.bolvin-part".
QString temporaryFor(const QString& target);
// Removes what a killed write left beside path.
void sweep(const QString& path);

} // namespace ReplacingFile
