#pragma once

#include <QString>

// Converts a PNG cover to a BMP file with FreeImage. A source that cannot be read leaves
// the target as it was; callers load the target and find out then.
void ConvertArtworkToBitmap(const QString& source, const QString& target);
