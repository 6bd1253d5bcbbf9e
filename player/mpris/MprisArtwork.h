#pragma once

#include "player/PlayerArtwork.h"

#include <QByteArray>

// A cover picture already fetched from the player's art URL. Its format is read from the
// bytes, since an art URL's name or MIME type says little about what it really holds.
class MprisArtwork : public PlayerArtwork
{
public:
    // bytes must not be empty.
    explicit MprisArtwork(QByteArray bytes);

    // Unknown (0) for anything not JPEG, PNG or BMP.
    static int formatOf(const QByteArray& bytes);

    int Format() const override { return m_format; }
    // Throws PlayerError when the file cannot be written.
    void SaveArtworkToFile(const QString& path) const override;

private:
    QByteArray m_bytes;
    int m_format;
};
