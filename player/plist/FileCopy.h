#pragma once

#include <QString>

class QDateTime;
class QIODevice;

// Copies that are whole or absent: written under a temporary name beside the target and
// renamed over it once complete, so a kill at any moment leaves the target as it was or
// as the full copy.
namespace FileCopy
{
// Writes what remains of source to target; false with *why for the user when a read or
// the write failed, the target then untouched.
bool write(QIODevice& source, const QString& target, QString* why);
// Copies the file source to target with source's permissions; false as write().
bool copy(const QString& source, const QString& target, QString* why);
// The name of the copy a write makes beside file first: "rhythmdb.xml" at 1 May 2026
// 09:05:03 local time gives "rhythmdb.before-import-20260501-090503.xml"; "-2", "-3"... is
// added when that name is taken.
QString backupName(const QString& file, const QDateTime& when);
}
