#include "platform/screen/QtSoundPlayer.h"
#include "platform/screen/QtTranslucency.h"
#include "platform/screen/modSound.h"
#include "platform/screen/modTranslucency.h"

#include "FakeSoundPlayer.h"
#include "FakeTranslucency.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

namespace {

TEST(TopVisibleAncestor, ClimbsOnlyThroughVisibleParents)
{
    QWidget top;
    auto* middle = new QWidget(&top);
    auto* child = new QWidget(middle);
    EXPECT_EQ(GetTopVisibleAncestor(child), child) << "hidden parents: the window itself";
    top.show();
    EXPECT_EQ(GetTopVisibleAncestor(child), &top);
    middle->hide();
    EXPECT_EQ(GetTopVisibleAncestor(child), child) << "the chain breaks at a hidden parent";
    EXPECT_EQ(GetTopVisibleAncestor(&top), &top);
    EXPECT_EQ(GetTopVisibleAncestor(nullptr), nullptr);
}

TEST(Translucency, GoesToTheTopVisibleAncestorWhereSupported)
{
    QWidget top;
    auto* child = new QWidget(&top);
    top.show();
    FakeTranslucency fake;
    EXPECT_TRUE(SetTranslucency(child, 128, fake));
    ASSERT_EQ(fake.calls.size(), 1);
    EXPECT_EQ(fake.calls.front().first, &top);
    EXPECT_EQ(fake.calls.front().second, 128);

    fake.accept = false;
    EXPECT_FALSE(SetTranslucency(child, 10, fake)) << "a refusal is reported";

    fake.supported = false;
    fake.calls.clear();
    EXPECT_FALSE(SetTranslucency(child, 10, fake));
    EXPECT_TRUE(fake.calls.isEmpty()) << "without support the window is left untouched";
}

TEST(Translucency, QtSetsTheWindowOpacityOfTopLevelsOnly)
{
    QtTranslucency qt;
    QWidget top;
    auto* child = new QWidget(&top);
    EXPECT_TRUE(qt.isLayeringSupported());
    EXPECT_TRUE(qt.setOpacity(&top, 0));
    EXPECT_DOUBLE_EQ(top.windowOpacity(), 0.0);
    EXPECT_TRUE(qt.setOpacity(&top, 255));
    EXPECT_DOUBLE_EQ(top.windowOpacity(), 1.0);
    EXPECT_FALSE(qt.setOpacity(child, 128));
    EXPECT_FALSE(qt.setOpacity(nullptr, 128));
}

class Sounds : public testing::Test {
protected:
    QString makeFile(const QString& name, const QByteArray& content = QByteArray())
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    // A tenth of a second of 8 kHz, 16-bit mono silence.
    QString makeWave(const QString& name)
    {
        constexpr quint32 kRate = 8000;
        constexpr quint32 kDataBytes = 1600;
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + kDataBytes);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << kRate << quint32(kRate * 2) << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << kDataBytes;
        bytes.append(QByteArray(int(kDataBytes), '\0'));
        return makeFile(name, bytes);
    }
    QTemporaryDir m_dir;
};

TEST_F(Sounds, OnlyExistingFilesArePlayed)
{
    FakeSoundPlayer player;
    const QString existing = makeFile(QStringLiteral("type.wav"));
    PlayWaveFile(QString(), player);
    PlayWaveFile(m_dir.filePath(QStringLiteral("missing.wav")), player);
    EXPECT_TRUE(player.played.isEmpty());
    PlayWaveFile(existing, player);
    EXPECT_EQ(player.played, QStringList { existing });
}

TEST_F(Sounds, QtPlayerCutsOffTheOldSoundForTheNew)
{
    QtSoundPlayer player;
    EXPECT_TRUE(player.source().isEmpty());
    const QString first = makeWave(QStringLiteral("first.wav"));
    const QString second = makeWave(QStringLiteral("second.wav"));
    player.playFile(first);
    EXPECT_EQ(player.source(), QUrl::fromLocalFile(first));
    player.playFile(second);
    EXPECT_EQ(player.source(), QUrl::fromLocalFile(second)) << "one effect: the new file replaces the old";

    player.playFile(makeFile(QStringLiteral("text.wav"), "not a wave"));
    player.playFile(makeFile(QStringLiteral("empty.wav")));
    EXPECT_EQ(player.source(), QUrl::fromLocalFile(second)) << "what is not a wave file is not played";
}

}
