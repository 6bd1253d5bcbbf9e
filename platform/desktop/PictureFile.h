#pragma once

#include <QPixmap>
#include <QString>

// Picture files read as the format their suffix names. Left to detect the format, even when
// told it, Qt's reader loads every image plugin (JPEG, GIF, ICO, ...) to ask each, and they
// stay loaded for the rest of the run: read pictures that a start needs through here.
namespace PictureFile
{
// The picture in the file at path; null when it cannot be read. A file whose suffix names no
// format, or the wrong one, is read by its content.
QPixmap read(const QString& path);
}
