#include "PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

QPixmap PictureFile::read(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    const QByteArray suffix = file.suffix().toLower().toLatin1();
    if (!suffix.isEmpty()) {
        QImageReader reader(path, suffix);
        reader.setAutoDetectImageFormat(false);
        if (const QImage picture = reader.read(); !picture.isNull())
            return QPixmap::fromImage(picture);
    }
    return QPixmap(path);
}
