// showpicture's steps and what an unload stores.
#include "ShowPicFixture.h"

#include <QSignalSpy>

namespace
{
const QString kPosition = QStringLiteral("Position");
}

using ShowPicTest = ShowPicFixture;

TEST_F(ShowPicTest, APictureGoesToTheStoredPlaceOrSpansTheScreenAndAnUnloadStoresThePlace)
{
    const struct {
        const char* stored; // nullptr: none
        QSize pixels;
        QRect window; // twips
        QPoint offset; // of the picture in the window, twips
        const char* storedAfter;
    } cases[] = {
        { nullptr, { 200, 150 }, { 600, 600, 3000, 2250 }, {}, "600,600" },
        { "1500, 3000", { 200, 150 }, { 1500, 3000, 3000, 2250 }, {}, "1500,3000" },
        { "-30,200", { 100, 100 }, { -30, 200, 1500, 1500 }, {}, "0,200" },
        { "left,top", { 100, 100 }, { 600, 600, 1500, 1500 }, {}, "600,600" },
        { "600;600", { 100, 100 }, { 600, 600, 1500, 1500 }, {}, "600,600" },
        // Oversized: the window spans that axis with the picture centred, and stores no place.
        { "1500,3000", { 1400, 100 }, { 0, 3000, kScreenWidth * kTwips, 1500 }, { -2820, 0 }, "" },
        { "1500,3000", { 100, 900 }, { 1500, 0, 1500, kScreenHeight * kTwips }, { 0, -990 }, "" },
        // The next picture that fits is placed and stored as usual again.
        { "1500,3000", { 50, 50 }, { 1500, 3000, 750, 750 }, {}, "1500,3000" },
    };
    for (const auto& c : cases) {
        settings.values.remove(kPosition);
        if (c.stored)
            settings.values[kPosition] = QString::fromLatin1(c.stored);
        ASSERT_TRUE(window().showpicture(writePicture(c.pixels))) << c.stored;
        EXPECT_EQ(window().geometryTwips(), c.window) << c.stored;
        EXPECT_EQ(window().pictureOffsetTwips(), c.offset) << c.stored;
        EXPECT_EQ(picture1(window())->geometry(), QRect(c.offset / kTwips, c.pixels)) << c.stored;
        EXPECT_FALSE(window().isVisible()) << "callers show the window";
        settings.values.remove(kPosition);
        window().Unload();
        EXPECT_EQ(settings.values.value(kPosition), QString::fromLatin1(c.storedAfter)) << c.stored;
    }
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window().geometry(), QRect(100, 200, 50, 50));
}

TEST_F(ShowPicTest, QuotedPathIsShownUnquoted)
{
    const QString path = writePicture(QSize(64, 48), QStringLiteral("with space.png"));
    ASSERT_TRUE(window().showpicture(QLatin1Char('"') + path + QLatin1Char('"')));
    EXPECT_EQ(window().picturePath(), path);
    EXPECT_EQ(window().geometry().size(), QSize(64, 48));
}

TEST_F(ShowPicTest, EmptyPathBeepsAndUnloadsStoringOnlyAPlacedWindow)
{
    settings.values[kPosition] = QStringLiteral("4500,4500");
    frmShowPic fresh(services());
    EXPECT_FALSE(fresh.showpicture(QString()));
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("4500,4500"));

    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 100))));
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    EXPECT_FALSE(window().showpicture(QString()));
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(ShowPicTest, CorruptOrMissingPicturesStopSilently)
{
    const QString good = writePicture(QSize(120, 90));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString corrupt = writeBytes(QStringLiteral("corrupt.png"), file.readAll().left(40));
    const QString garbage = writeBytes(QStringLiteral("garbage.jpg"), QByteArray(500, '\x5a'));
    for (const QString& path : { corrupt, garbage, QStringLiteral("/nonexistent/cover.jpg") }) {
        frmShowPic fresh(services());
        EXPECT_FALSE(fresh.showpicture(path)) << path.toStdString();
        EXPECT_TRUE(fresh.picture().isNull());
    }

    ASSERT_TRUE(window().showpicture(good));
    window().show();
    EXPECT_FALSE(window().showpicture(corrupt));
    EXPECT_TRUE(window().isVisible()) << "a window showing a picture keeps it";
    EXPECT_EQ(window().picturePath(), good);
    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(beeper.beeps, 0);
}
