#pragma once

#include "player/PlayerArtwork.h"

#include <QByteArray>
#include <QString>

// A cover picture kept as a file beside the library; its format is read from the file's
// first bytes, not its name, as the player reports what the picture really is.
class SimulatedArtwork : public PlayerArtwork
{
public:
    // path must name an existing file.
    explicit SimulatedArtwork(const QString& path);

    // Unknown (0) for anything not JPEG, PNG or BMP.
    static int formatOf(const QByteArray& header);

    int Format() const override { return m_format; }
    void SaveArtworkToFile(const QString& path) const override;

private:
    QString m_path;
    int m_format;
};
