#pragma once

#include <QByteArray>
#include <QString>

// How the tray component writes text into the notification record's fixed fields.

// Wide record: copies text's UTF-16 code units, low byte first, into the first size bytes
// of field. Copying stops after byte size-2, and every byte from there to size-1 is zeroed,
// so the field holds at most (size-2)/2 characters and always a NUL. An empty text leaves
// the field exactly as it was (the caller's "no change"). Bytes past size are not touched.
void CopyStringToBytes(QByteArray& field, const QString& text, int size);

// The tip field's size in bytes: 128 characters with balloon support (version-2 record),
// else 64, two bytes a character in the wide record.
int FieldByteSize(bool supportsBalloon, bool useUnicode);

// Narrow record: text left-aligned in a field of chars characters, padded with spaces and
// cut at chars, in the local 8-bit code page. Unlike the wide copy, an empty text blanks
// the field.
void SetFixedString(QByteArray& field, const QString& text, int chars);
