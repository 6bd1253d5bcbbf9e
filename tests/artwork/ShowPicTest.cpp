// showpicture's steps and what an unload stores.
#include "ShowPicFixture.h"

#include <QSignalSpy>

namespace
{
const QString kPosition = QStringLiteral("Position");
}

using ShowPicTest = ShowPicFixture;

TEST_F(ShowPicTest, FittingPictureGoesToTheDefaultPositionFramelessAndHidden)
{
    const QString path = writePicture(QSize(200, 150));
    ASSERT_TRUE(window().showpicture(path));

    EXPECT_EQ(window().geometryTwips(), QRect(600, 600, 200 * kTwips, 150 * kTwips));
    EXPECT_EQ(window().geometry(), QRect(40, 40, 200, 150));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint(0, 0));
    EXPECT_EQ(picture1(window())->geometry(), QRect(0, 0, 200, 150));
    EXPECT_EQ(window().oversize(), 0);
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window().isVisible()) << "callers show the window";
    EXPECT_EQ(window().picturePath(), path);
    EXPECT_EQ(window().picture().size(), QSize(200, 150));
}

TEST_F(ShowPicTest, NegativeStoredLeftIsUsedButStoredBackAsZero)
{
    settings.values[kPosition] = QStringLiteral("-30,200");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 100))));
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(-30, 200));
    EXPECT_EQ(window().geometry().topLeft(), QPoint(-2, 13));

    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("0,200"));
}

TEST_F(ShowPicTest, PositionWithBlanksAfterTheCommaIsRead)
{
    settings.values[kPosition] = QStringLiteral("1500, 3000");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 100))));
    EXPECT_EQ(window().geometry().topLeft(), QPoint(100, 200));
}

TEST_F(ShowPicTest, WiderPictureSpansTheScreenAndKeepsTheStoredPosition)
{
    settings.values[kPosition] = QStringLiteral("1500,3000");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1400, 100))));

    EXPECT_EQ(window().oversize(), frmShowPic::kOversizeWidth);
    EXPECT_EQ(window().geometryTwips(), QRect(0, 3000, kScreenWidth * kTwips, 100 * kTwips));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint((kScreenWidth - 1400) * kTwips / 2, 0));
    EXPECT_EQ(picture1(window())->geometry(), QRect(-188, 0, 1400, 100));

    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("1500,3000"));
}

TEST_F(ShowPicTest, TallerAndLargerPicturesSetTheirFlags)
{
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 900))));
    EXPECT_EQ(window().oversize(), frmShowPic::kOversizeHeight);
    EXPECT_EQ(window().geometryTwips(), QRect(600, 0, 100 * kTwips, kScreenHeight * kTwips));
    EXPECT_EQ(window().pictureOffsetTwips(), QPoint(0, -990));

    ASSERT_TRUE(window().showpicture(writePicture(QSize(1100, 900), QStringLiteral("big.png"))));
    EXPECT_EQ(window().oversize(), frmShowPic::kOversizeWidth | frmShowPic::kOversizeHeight);
    EXPECT_EQ(window().geometryTwips(), QRect(0, 0, kScreenWidth * kTwips, kScreenHeight * kTwips));

    // The next picture that fits is placed normally again, and its position is stored.
    ASSERT_TRUE(window().showpicture(writePicture(QSize(50, 50), QStringLiteral("small.png"))));
    EXPECT_EQ(window().oversize(), 0);
    EXPECT_EQ(window().geometryTwips(), QRect(600, 600, 50 * kTwips, 50 * kTwips));
    window().Unload();
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("600,600"));
}

TEST_F(ShowPicTest, QuotedPathIsShownUnquoted)
{
    const QString path = writePicture(QSize(64, 48), QStringLiteral("with space.png"));
    ASSERT_TRUE(window().showpicture(QLatin1Char('"') + path + QLatin1Char('"')));
    EXPECT_EQ(window().picturePath(), path);
    EXPECT_EQ(window().geometry().size(), QSize(64, 48));
}

TEST_F(ShowPicTest, EmptyPathBeepsAndUnloads)
{
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 100))));
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);

    EXPECT_FALSE(window().showpicture(QString()));
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("600,600"));
}

TEST_F(ShowPicTest, EmptyPathOnAFreshWindowLeavesTheStoredPositionAlone)
{
    settings.values[kPosition] = QStringLiteral("4500,4500");
    EXPECT_FALSE(window().showpicture(QString()));
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("4500,4500"));
}

TEST_F(ShowPicTest, CorruptOrMissingPictureStopsSilently)
{
    const QString good = writePicture(QSize(120, 90));
    QByteArray truncated;
    {
        QFile file(good);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        truncated = file.readAll().left(40);
    }
    const QString corrupt = writeBytes(QStringLiteral("corrupt.png"), truncated);
    const QString garbage = writeBytes(QStringLiteral("garbage.jpg"), QByteArray(500, '\x5a'));

    for (const QString& path : { corrupt, garbage, QStringLiteral("/nonexistent/cover.jpg") }) {
        frmShowPic fresh(services());
        EXPECT_FALSE(fresh.showpicture(path)) << path.toStdString();
        EXPECT_FALSE(fresh.isVisible());
        EXPECT_TRUE(fresh.picture().isNull());
    }

    // A window already showing a picture keeps it.
    ASSERT_TRUE(window().showpicture(good));
    window().show();
    EXPECT_FALSE(window().showpicture(corrupt));
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().picturePath(), good);
    EXPECT_EQ(window().geometry().size(), QSize(120, 90));

    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(ShowPicTest, StoredPositionWithoutACommaStopsBeforeLoading)
{
    for (const QString& stored : { QStringLiteral("600;600"), QStringLiteral("left,top") }) {
        settings.values[kPosition] = stored;
        frmShowPic fresh(services());
        const QRect before = fresh.geometry();
        EXPECT_FALSE(fresh.showpicture(writePicture(QSize(100, 100)))) << stored.toStdString();
        EXPECT_TRUE(fresh.picture().isNull());
        EXPECT_FALSE(fresh.isVisible());
        EXPECT_EQ(fresh.geometry(), before);

        fresh.Unload();
        EXPECT_EQ(settings.values[kPosition], stored) << "a window never placed stores nothing";
    }
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(ShowPicTest, OtherDpiChangesTheTwipsPerPixel)
{
    screen.dpiX = 120.0;
    screen.dpiY = 120.0;
    settings.values[kPosition] = QStringLiteral("1200,2400");
    ASSERT_TRUE(window().showpicture(writePicture(QSize(100, 50))));
    EXPECT_EQ(window().geometryTwips(), QRect(1200, 2400, 1200, 600));
    EXPECT_EQ(window().geometry(), QRect(100, 200, 100, 50));
}
