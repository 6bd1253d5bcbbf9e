#include "MprisArtwork.h"

#include "player/PlayerError.h"

#include <QSaveFile>

MprisArtwork::MprisArtwork(QByteArray bytes)
    : m_bytes(std::move(bytes))
    , m_format(formatOf(m_bytes))
{
}

int MprisArtwork::formatOf(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return JPEG;
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return PNG;
    if (bytes.startsWith("BM"))
        return BMP;
    return Unknown;
}

void MprisArtwork::SaveArtworkToFile(const QString& path) const
{
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(m_bytes) != m_bytes.size() || !target.commit())
        throw PlayerError(QStringLiteral("The artwork cannot be saved to \"%1\": %2").arg(path, target.errorString()));
}
