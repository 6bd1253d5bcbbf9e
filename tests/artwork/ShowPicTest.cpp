// showpicture's steps and what an unload stores.
#include "ShowPicFixture.h"

#include <QSignalSpy>

namespace
{
const QString kPosition = QStringLiteral("Position");
}

using ShowPicTest = ShowPicFixture;

TEST_F(ShowPicTest, FittingPictureGoesToTheStoredOrDefaultPositionHidden)
{
    const QString path = writePicture(QSize(200, 150));
    ASSERT_TRUE(window().showpicture(path));
    EXPECT_EQ(window().geometryTwips(), QRect(600, 600, 200 * kTwips, 150 * kTwips));
    EXPECT_EQ(window().geometry(), QRect(40, 40, 200, 150));
    EXPECT_EQ(picture1(window())->geometry(), QRect(0, 0, 200, 150));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window().isVisible()) << "callers show the window";

    settings.values[kPosition] = QStringLiteral("1500, 3000");
    frmShowPic blanks(services());
    ASSERT_TRUE(blanks.showpicture(path));
    EXPECT_EQ(blanks.geometry().topLeft(), QPoint(100, 200)) << "blanks after the comma are read";
}

TEST_F(ShowPicTest, NegativeStoredLeftIsUsedButStoredBackAsZero)
{
    settings.values[kPosition] = QStringLiteral("-30,200");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 100))));
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(-30, 200));
    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("0,200"));
}

TEST_F(ShowPicTest, OversizedPicturesSpanTheScreenAndKeepTheStoredPosition)
{
    settings.values[kPosition] = QStringLiteral("1500,3000");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1400, 100))));
    EXPECT_EQ(window().oversize(), frmShowPic::kOversizeWidth);
    EXPECT_EQ(window().geometryTwips(), QRect(0, 3000, kScreenWidth * kTwips, 100 * kTwips));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint((kScreenWidth - 1400) * kTwips / 2, 0));
    EXPECT_EQ(picture1(window())->geometry(), QRect(-188, 0, 1400, 100));
    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("1500,3000"));

    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 900), QStringLiteral("tall.png"))));
    EXPECT_EQ(window().oversize(), frmShowPic::kOversizeHeight);
    EXPECT_EQ(window().geometryTwips(), QRect(1500, 0, 100 * kTwips, kScreenHeight * kTwips));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint(0, -990));

    // The next picture that fits is placed normally again, and its position is stored.
    ASSERT_TRUE(window().showpicture(writePicture(QSize(50, 50), QStringLiteral("small.png"))));
    EXPECT_EQ(window().oversize(), 0);
    EXPECT_EQ(window().geometryTwips(), QRect(1500, 3000, 50 * kTwips, 50 * kTwips));
    settings.values.remove(kPosition);
    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("1500,3000"));
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

TEST_F(ShowPicTest, CorruptMissingOrUnplaceablePicturesStopSilently)
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

    // A stored position that is not two numbers places the window at the default place.
    settings.values[kPosition] = QStringLiteral("600,600");
    frmShowPic atDefault(services());
    ASSERT_TRUE(atDefault.showpicture(good));
    for (const char* garbage : { "left,top", "600;600" }) {
        settings.values[kPosition] = QString::fromLatin1(garbage);
        frmShowPic misplaced(services());
        EXPECT_TRUE(misplaced.showpicture(good)) << garbage;
        EXPECT_EQ(misplaced.pos(), atDefault.pos()) << garbage;
    }
    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(beeper.beeps, 0);
}
