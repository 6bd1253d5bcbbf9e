#include "SampleLibrary.h"

#include <QDirIterator>

SampleLibrary::SampleLibrary()
{
    // A copy that fails shows as a library that does not load.
    const QDir source(bundledFolder());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = QDir(m_dir.path()).filePath(source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
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

QString SampleLibrary::writeFile(const QString& folder, const QByteArray& text)
{
    const QString path = QDir(folder).filePath(QStringLiteral("iTunes Music Library.xml"));
    LibraryFiles::write(path, text);
    return path;
}
