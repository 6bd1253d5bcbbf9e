#pragma once

#include <QByteArray>
#include <QString>

// How the tray component writes text into the notification record's fixed fields.

// Copies text's UTF-16 code units, low byte first, into the first size bytes of field.
// Copying stops after byte size-2, and every byte from there to size-1 is zeroed, so the
// field holds at most (size-2)/2 characters and always a NUL. An empty text leaves the
// field exactly as it was (the caller's "no change"). Bytes past size are not touched.
void CopyStringToBytes(QByteArray& field, const QString& text, int size);

// The tip field's size in bytes: 128 characters with balloon support (version-2 record),
// else 64.
int FieldByteSize(bool supportsBalloon);
