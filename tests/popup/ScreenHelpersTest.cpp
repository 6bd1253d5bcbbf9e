#include "platform/screen/ModuleSoundPlayer.h"
#include "platform/screen/QtTranslucency.h"
#include "platform/screen/modFunctions.h"
#include "platform/screen/modSound.h"
#include "platform/screen/modTranslucency.h"
#include "platform/sound/QtSoundPlayer.h"

#include "FakeCursor.h"
#include "FakeScreen.h"
#include "FakeSoundPlayer.h"
#include "FakeTranslucency.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

TEST(Twips, RoundingFactorsWorkAreaEdgesWindowSizesAndTheCursorOnTheEdges)
{
    for (const auto& [value, rounded] : { std::pair { 0.5, 0 }, { 1.5, 2 }, { 2.5, 2 }, { -1.5, -2 }, { 2.5001, 3 } })
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    FakeScreen screen;
    FakeCursor cursor;
    QWidget window;
    screen.pinned.insert(&window, QRect(100, 50, 300, 120)); // right edge 400, bottom 170
    EXPECT_EQ(GetWindowWidthTwips(&window, screen), 4500);
    EXPECT_EQ(GetWindowHeightTwips(&window, screen), 1800);
    // Both corners are inside; a pixel beyond any edge is not.
    for (const auto& [x, y, over] : { std::tuple { 100, 50, true }, { 400, 170, true }, { 401, 100, false },
             { 250, 171, false }, { 99, 100, false }, { 250, 49, false } }) {
        cursor.at = QPoint(x, y);
        EXPECT_EQ(IsCursorOverWindow(&window, screen, cursor), over) << x << "," << y;
    }
    EXPECT_FALSE(IsCursorOverWindow(nullptr, screen, cursor));
    screen.area = QRect(40, 0, 1240, 770); // panels on the left and at the bottom
    EXPECT_EQ(GetWorkAreaRight(screen), 1280 * 15);
    EXPECT_EQ(GetWorkAreaBottom(screen), 770 * 15);
    screen.dpiX = 0;
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(screen), 15.0) << "a screen without DPI counts as 96";
}

TEST(Translucency, GoesToTheTopVisibleWindowWhereSupported)
{
    QWidget top;
    auto* child = new QWidget(new QWidget(&top));
    top.show();
    FakeTranslucency fake;
    EXPECT_TRUE(SetTranslucency(child, 128, fake));
    EXPECT_EQ(fake.calls, (QList<QPair<QWidget*, int>> { { &top, 128 } }));
    fake.supported = false;
    fake.calls.clear();
    EXPECT_FALSE(SetTranslucency(child, 10, fake));
    EXPECT_TRUE(fake.calls.isEmpty()) << "without support the window is left untouched";
    QtTranslucency qt;
    EXPECT_TRUE(qt.setOpacity(&top, 255));
    EXPECT_DOUBLE_EQ(top.windowOpacity(), 1.0);
    EXPECT_FALSE(qt.setOpacity(child, 128)) << "top-level windows only";
}

TEST(Sounds, OnlyExistingWaveFilesPlayAndTheNewCutsOffTheOld)
{
    QTemporaryDir dir;
    const auto makeFile = [&dir](const char* name, const QByteArray& content) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        return file.fileName();
    };
    // 8 kHz, 16-bit mono: one sample of silence.
    const QByteArray wave(
        "RIFF\x26\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\x02\0\0\0\0\0", 46);
    const QString first = makeFile("first.wav", wave);
    const QString second = makeFile("second.wav", wave);
    FakeSoundPlayer fake;
    PlayWaveFile(QString(), fake);
    PlayWaveFile(dir.filePath(QStringLiteral("missing.wav")), fake);
    PlayWaveFile(first, fake);
    EXPECT_EQ(fake.played, QStringList { first });
    QtSoundPlayer player;
    player.playFile(first);
    player.playFile(second);
    EXPECT_EQ(player.source(), QUrl::fromLocalFile(second)) << "one effect: the new file replaces the old";
    player.playFile(makeFile("text.wav", "not a wave"));
    player.playFile(makeFile("empty.wav", QByteArray()));
    EXPECT_EQ(player.source(), QUrl::fromLocalFile(second)) << "what is not a wave file is not played";
    // The program plays through the module, found where the program would look for it.
    ModuleSoundPlayer module(ModuleSoundPlayer::folders(QStringLiteral(BOLVIN_PROGRAM_DIR)));
    EXPECT_FALSE(module.isLoaded()) << "loaded before the first sound";
    module.playFile(first);
    EXPECT_TRUE(module.isLoaded());
}
