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
        LibraryTestRig::write(rig.view.openPath, bytes);
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

    // A track played on 6 December 2026 at 15:45:12, written "12/6/2026 3:45:12 PM".
    int addTrack(const QString& name, const QString& artist, int rating, int count, const QString& time)
    {
        return rig.addTrack({ name, artist, rating, count, played, time });
    }
    // One-star tracks by "X" of a minute each, then the library playlist of them all.
    void addLibrary(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            addTrack(QString::fromUtf8(name), QStringLiteral("X"), 20, 1, QStringLiteral("1:00"));
        rig.player.addLibrary();
    }

    LibraryTestRig rig;
    ImportOptions options;
    const QDateTime played { QDate(2026, 12, 6), QTime(15, 45, 12) };
    const QString playedText = QStringLiteral("12/6/2026 3:45:12 PM");
    int updated = -1;
    int skipped = -1;
};
