#include "SimulatedArtwork.h"

#include "player/PlayerError.h"

#include <QFile>
#include <QSaveFile>

namespace
{

// Longest signature looked at (PNG's).
constexpr int headerBytes = 8;

} // namespace

SimulatedArtwork::SimulatedArtwork(const QString& path)
    : m_path(path)
{
    QFile file(path);
    m_format = file.open(QIODevice::ReadOnly) ? formatOf(file.read(headerBytes)) : Unknown;
}

int SimulatedArtwork::formatOf(const QByteArray& header)
{
    if (header.startsWith("\xFF\xD8\xFF"))
        return JPEG;
    if (header.startsWith("\x89PNG\r\n\x1A\n"))
        return PNG;
    if (header.startsWith("BM"))
        return BMP;
    return Unknown;
}

void SimulatedArtwork::SaveArtworkToFile(const QString& path) const
{
    QFile source(m_path);
    if (!source.open(QIODevice::ReadOnly))
        throw PlayerError(QStringLiteral("The artwork \"%1\" cannot be read: %2").arg(m_path, source.errorString()));
    const QByteArray bytes = source.readAll();
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() || !target.commit())
        throw PlayerError(QStringLiteral("The artwork cannot be saved to \"%1\": %2").arg(path, target.errorString()));
}
