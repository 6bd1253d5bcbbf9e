#include "RemoteArtwork.h"

#include "ArtworkLoader.h"
#include "CoverFetcher.h"

#include "platform/screen/ModuleLoader.h"

#include <cstdio>

namespace
{
using CreateCoverFetcher = CoverFetcher* (*)();
}

RemoteArtwork::RemoteArtwork(QStringList moduleFolders, QObject* parent)
    : QObject(parent)
    , m_moduleFolders(std::move(moduleFolders))
{
}

// Nothing is announced from here: the fetcher's end abandons the fetch on its way.
RemoteArtwork::~RemoteArtwork() = default;

std::optional<QByteArray> RemoteArtwork::take(const QString& url)
{
    if (url == m_url)
        return m_bytes;
    m_url = url;
    m_bytes.reset();
    if (!m_triedModule)
        loadFetcher();
    if (!m_fetcher) {
        m_bytes = QByteArray();
        return m_bytes;
    }
    m_fetcher->fetch(url, m_timeoutMs, ArtworkLoader::kMaxArtworkBytes, [this, url](const QByteArray& bytes) {
        m_bytes = bytes;
        emit arrived(url);
    });
    return std::nullopt;
}

void RemoteArtwork::loadFetcher()
{
    m_triedModule = true;
    QString error;
    const QStringList folders = m_moduleFolders.isEmpty() ? ModuleLoader::folders() : m_moduleFolders;
    if (const auto create = reinterpret_cast<CreateCoverFetcher>(
            ModuleLoader::resolve(QStringLiteral("bolvin_network"), "bolvinCreateCoverFetcher", folders, &error)))
        m_fetcher.reset(create());
    else
        std::fprintf(stderr, "Bolvin shows no covers from http(s) addresses: %s\n", qPrintable(error));
}
