#include "ArtworkConversion.h"

#include <QFile>

#include <FreeImage.h>

void ConvertArtworkToBitmap(const QString& source, const QString& target)
{
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, QFile::encodeName(source).constData(), PNG_DEFAULT);
    // FreeImage would crash on saving nothing.
    if (!bitmap)
        return;
    FreeImage_Save(FIF_BMP, bitmap, QFile::encodeName(target).constData(), BMP_DEFAULT);
    FreeImage_Unload(bitmap);
}
