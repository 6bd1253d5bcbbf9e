#pragma once

#include "GeneralDateFormat.h"
#include "TransferView.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class ExtrasFileWriter;
class PlayerSource;

// What the Library page says about an export.
struct ExportOptions {
    // cboExportMode's text: "Day", "Week", "Month", "Year"; anything else exports all.
    QString mode = QStringLiteral("All");
    // chkExportMsg: completion in a message box rather than a balloon.
    bool completionMessageBox = false;
    // What the messages call the library: the player's name, "Rhythmbox"…
    QString libraryName = QStringLiteral("Library");
};

// Exports the extras of a library source's "Library" playlist (the connected player's, or a
// library file's) to a file the user picks. Runs on the
// GUI thread and processes events after each track; a cancel seen there ends it after the
// track in hand, with a complete file of what was written. The file is replaced only when
// the export completes or is cancelled: a failed export leaves an old file as it was.
// Whatever happens, run() returns with the view idle.
class ExtrasExport
{
public:
    // isCancelled is polled after each track; the caller clears its flag before run().
    // view must outlive run(). A null library fails the run with a message.
    ExtrasExport(std::shared_ptr<PlayerSource> library, TransferView& view, ExportOptions options,
        std::function<bool()> isCancelled);

    // Where "now" comes from for the mode's day count; the system clock by default.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // The locale of the date texts; the system's by default.
    void setLocale(const QLocale& locale) { m_dates = GeneralDateFormat(locale); }

    TransferOutcome run();

    int tracksWritten() const { return m_written; }

    // The largest number of calendar-day boundaries a mode lets through; -1 for no limit.
    static int dayLimit(const QString& mode);
    static FileDialogRequest dialogRequest();

private:
    // True when cancelled. Throws PlayerError.
    bool writeLibrary(ExtrasFileWriter& writer);
    void fail(const QString& message);
    bool cancelled() const { return m_isCancelled && m_isCancelled(); }

    std::shared_ptr<PlayerSource> m_library;
    TransferView& m_view;
    ExportOptions m_options;
    std::function<bool()> m_isCancelled;
    std::function<QDateTime()> m_now;
    GeneralDateFormat m_dates;
    int m_written = 0;
};
