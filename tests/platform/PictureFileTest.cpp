#include "platform/desktop/PictureFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

// What a start reads costs no image plugin; a suffix that lies is outvoted by the content.
TEST(PictureFile, ReadsTheNamedFormatWithoutImagePluginsAndAMisnamedFileByItsContent)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("icon.png"));
    QFile file(png);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg=="));
    file.close();
    EXPECT_EQ(PictureFile::read(png).size(), QSize(1, 1));
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("imageformats/")) << "an image plugin was loaded";

    const QString misnamed = dir.filePath(QStringLiteral("cover.jpg"));
    ASSERT_TRUE(QFile::copy(png, misnamed));
    EXPECT_EQ(PictureFile::read(misnamed).size(), QSize(1, 1));
    EXPECT_TRUE(PictureFile::read(dir.filePath(QStringLiteral("missing.png"))).isNull());
}
