#pragma once

#include <QString>

// One picture attached to a track.
class PlayerArtwork
{
public:
    enum Format { Unknown = 0, JPEG = 1, PNG = 2, BMP = 3 };

    virtual ~PlayerArtwork() = default;

    virtual int Format() const = 0;
    // Writes the picture's bytes to path as they are; throws PlayerError when that fails.
    virtual void SaveArtworkToFile(const QString& path) const = 0;
};
