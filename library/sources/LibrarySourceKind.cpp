#include "LibrarySourceKind.h"

#include "BolvinLibrary.h"
#include "PlistLibraryFile.h"
#include "RhythmboxLibrary.h"
#include "StrawberryLibrary.h"

QString LibrarySources::defaultPath(LibrarySourceKind kind)
{
    switch (kind) {
    case LibrarySourceKind::Bolvin:
        return BolvinLibrary::defaultPath();
    case LibrarySourceKind::Rhythmbox:
        return RhythmboxLibrary::defaultPath();
    case LibrarySourceKind::Strawberry:
        return StrawberryLibrary::defaultPath();
    case LibrarySourceKind::ConnectedPlayer:
    case LibrarySourceKind::File:
        break;
    }
    return {};
}

std::unique_ptr<FileLibrary> LibrarySources::open(LibrarySourceKind kind, const QString& path, QString* error)
{
    std::unique_ptr<FileLibrary> library;
    switch (kind) {
    case LibrarySourceKind::Bolvin:
        library = std::make_unique<BolvinLibrary>(path);
        break;
    case LibrarySourceKind::Rhythmbox:
        library = std::make_unique<RhythmboxLibrary>(path);
        break;
    case LibrarySourceKind::Strawberry:
        library = std::make_unique<StrawberryLibrary>(path);
        break;
    case LibrarySourceKind::File:
        library = std::make_unique<PlistLibraryFile>(path);
        break;
    case LibrarySourceKind::ConnectedPlayer:
        *error = QStringLiteral("The connected player's library is not a file.");
        return nullptr;
    }
    if (!library->load(error))
        return nullptr;
    return library;
}
