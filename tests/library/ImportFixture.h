#pragma once

#include "LibraryTestRig.h"

#include "library/ExtrasImport.h"

#include <gtest/gtest.h>

// An import over a fake library, with the file written from elements the test lists.
class ImportFixture : public testing::Test
{
protected:
    struct Element {
        QString name;
        QString artist;
        QString rating;
        QString count;
        QString date;
        QString time;
    };
    // A library track, played on 6 December 2026 at 15:45:12, written "12/6/2026 3:45:12 PM".
    struct Track {
        QString name;
        QString artist = QStringLiteral("X");
        int rating = 20;
        int count = 1;
        QString time = QStringLiteral("1:00");
    };

    static QByteArray fileOf(const QString& mode, const std::vector<Element>& elements)
    {
        QByteArray bytes = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<library>\r\n";
        if (!mode.isNull())
            bytes += "     <exportmode>" + mode.toLatin1() + "</exportmode>\r\n";
        for (const Element& e : elements) {
            bytes += "     <track>\r\n";
            const auto field = [&](const char* tag, const QString& text) {
                if (!text.isNull())
                    bytes += QByteArray("          <") + tag + ">" + text.toLatin1() + "</" + tag + ">\r\n";
            };
            field("name", e.name);
            field("artist", e.artist);
            field("rating", e.rating);
            field("playedcount", e.count);
            field("playeddate", e.date);
            field("time", e.time);
            bytes += "     </track>\r\n";
        }
        return bytes + "</library>\r\n";
    }

    void SetUp() override { rig.view.openPath = rig.path(); }

    TransferOutcome importFile(const QByteArray& bytes)
    {
        LibraryFiles::write(rig.view.openPath, bytes);
        ExtrasImport importer(rig.player.LibrarySource(), rig.view, options, [this] { return rig.cancel; });
        importer.setLocale(rig.us);
        const TransferOutcome outcome = importer.run();
        updated = importer.tracksUpdated();
        skipped = importer.tracksSkipped();
        return outcome;
    }
    TransferOutcome importElements(const QString& mode, const std::vector<Element>& elements)
    {
        return importFile(fileOf(mode, elements));
    }

    // The tracks, then the library playlist of them all.
    void addLibrary(const std::vector<Track>& tracks)
    {
        for (const Track& t : tracks)
            rig.addTrack({ t.name, t.artist, t.rating, t.count, played, t.time });
        rig.player.addLibrary();
    }
    void ratingOnly() { options.importPlayCount = options.importLastPlayDate = false; }
    QStringList& writes() { return rig.player.state->writes; }

    LibraryTestRig rig;
    ImportOptions options;
    const QDateTime played { QDate(2026, 12, 6), QTime(15, 45, 12) };
    const QString playedText = QStringLiteral("12/6/2026 3:45:12 PM");
    int updated = -1;
    int skipped = -1;
};
