#pragma once

#include "../library/LibraryFiles.h"

#include "player/plist/MusicLibrary.h"
#include "player/simulated/SimulatedPlayer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A private copy of the bundled sample library (xml and covers) in a temporary folder, so a
// test may write to it freely.
class SampleLibrary
{
public:
    SampleLibrary();

    QString folder() const { return m_dir.path(); }
    QString file() const { return QDir(m_dir.path()).filePath(QStringLiteral("iTunes Music Library.xml")); }
    QByteArray bytes() const { return LibraryFiles::read(file()); }

    // A freshly loaded library of the copy; fails the test when it does not load.
    std::unique_ptr<MusicLibrary> load() const;
    // A player over the copy, with time and the clock under the test's control.
    std::unique_ptr<SimulatedPlayer> player() const;

    static QString bundledFolder() { return QStringLiteral(BOLVIN_SAMPLE_LIBRARY_DIR); }
    // Writes text as the library file of folder and returns its path.
    static QString writeFile(const QString& folder, const QByteArray& text);

private:
    QTemporaryDir m_dir;
};

// The moment the tests' clocks stand still at.
inline const QDateTime fixedNow(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);
