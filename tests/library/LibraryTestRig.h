#pragma once

#include "FakeLibraryPlayer.h"
#include "FakeTransferView.h"
#include "LibraryFiles.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

// A fake player and view, a private folder for files, and US English dates.
struct LibraryTestRig {
    FakeLibraryPlayer player;
    FakeTransferView view;
    QTemporaryDir dir;
    bool cancel = false;
    const QLocale us { QLocale::English, QLocale::UnitedStates };

    QString path(const QString& name = QStringLiteral("extras.xml")) const { return QDir(dir.path()).filePath(name); }

    int addTrack(FakeTrackData data)
    {
        player.state->tracks.push_back(std::move(data));
        return int(player.state->tracks.size()) - 1;
    }
};
