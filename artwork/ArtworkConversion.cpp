#include "ArtworkConversion.h"

#include <QFile>
#include <QLibrary>

#include <FreeImage.h>

#include <cstdio>

namespace
{
// FreeImage and the codec libraries it brings are loaded at the first conversion, not at
// every start of a program that may never see a PNG cover.
struct FreeImageCalls {
    decltype(&FreeImage_Load) load = nullptr;
    decltype(&FreeImage_Save) save = nullptr;
    decltype(&FreeImage_Unload) unload = nullptr;

    bool isComplete() const { return load && save && unload; }
};

const FreeImageCalls& freeImage()
{
    static const FreeImageCalls calls = [] {
        constexpr int kSoVersion = 3;
        QLibrary library(QStringLiteral("freeimage"), kSoVersion);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        FreeImageCalls found;
        if (library.load()) {
            found.load = reinterpret_cast<decltype(found.load)>(library.resolve("FreeImage_Load"));
            found.save = reinterpret_cast<decltype(found.save)>(library.resolve("FreeImage_Save"));
            found.unload = reinterpret_cast<decltype(found.unload)>(library.resolve("FreeImage_Unload"));
        }
        if (!found.isComplete())
            std::fprintf(stderr, "Bolvin converts no PNG covers: %s\n", qPrintable(library.errorString()));
        return found;
    }();
    return calls;
}
}

void ConvertArtworkToBitmap(const QString& source, const QString& target)
{
    const FreeImageCalls& calls = freeImage();
    if (!calls.isComplete())
        return;
    FIBITMAP* bitmap = calls.load(FIF_PNG, QFile::encodeName(source).constData(), PNG_DEFAULT);
    // FreeImage would crash on saving nothing.
    if (!bitmap)
        return;
    calls.save(FIF_BMP, bitmap, QFile::encodeName(target).constData(), BMP_DEFAULT);
    calls.unload(bitmap);
}
