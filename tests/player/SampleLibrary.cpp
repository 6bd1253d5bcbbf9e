#include "SampleLibrary.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

SampleLibrary::SampleLibrary()
{
    const QDir source(bundledFolder());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    m_valid = m_dir.isValid();
    while (m_valid && it.hasNext()) {
        const QString from = it.next();
        const QString to = QDir(m_dir.path()).filePath(source.relativeFilePath(from));
        m_valid = QDir().mkpath(QFileInfo(to).absolutePath()) && QFile::copy(from, to);
    }
}

QString SampleLibrary::bundledFolder()
{
    return QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR);
}

QString SampleLibrary::file() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("iTunes Music Library.xml"));
}

QByteArray SampleLibrary::bytes() const
{
    return readFile(file());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<MusicLibrary> SampleLibrary::load() const
{
    auto library = std::make_unique<MusicLibrary>();
    EXPECT_TRUE(library->load(file())) << library->errorString().toStdString();
    return library;
}

std::unique_ptr<SimulatedPlayer> SampleLibrary::player() const
{
    auto player = std::make_unique<SimulatedPlayer>(load());
    player->setShuffleSeed(1);
    return player;
}

QString SampleLibrary::writeFile(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = QDir(dir.path()).filePath(QStringLiteral("iTunes Music Library.xml"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return path;
}

int trackNamed(const MusicLibrary& library, const QString& name)
{
    for (int i = 0; i < int(library.tracks().size()); ++i) {
        if (library.tracks()[std::size_t(i)].name == name)
            return i;
    }
    return -1;
}
