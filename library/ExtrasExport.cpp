#include "ExtrasExport.h"

#include "ExtrasFileWriter.h"
#include "TransferBusy.h"

#include "player/PlayerError.h"
#include "player/PlayerSource.h"

#include <QSaveFile>

namespace
{

const QString libraryPlaylistName = QStringLiteral("Library");
constexpr int balloonTimeoutMs = 5000;

} // namespace

ExtrasExport::ExtrasExport(
    std::shared_ptr<PlayerSource> library, TransferView& view, ExportOptions options, std::function<bool()> isCancelled)
    : m_library(std::move(library))
    , m_view(view)
    , m_options(std::move(options))
    , m_isCancelled(std::move(isCancelled))
    , m_now([] { return QDateTime::currentDateTime(); })
{
}

int ExtrasExport::dayLimit(const QString& mode)
{
    if (mode == QLatin1StringView("Day"))
        return 1;
    if (mode == QLatin1StringView("Week"))
        return 7;
    if (mode == QLatin1StringView("Month"))
        return 30;
    if (mode == QLatin1StringView("Year"))
        return 365;
    return -1;
}

FileDialogRequest ExtrasExport::dialogRequest()
{
    return { QStringLiteral("Save Your Data"), QStringLiteral("xml"), QStringLiteral("XML Files (*.xml)") };
}

TransferOutcome ExtrasExport::run()
{
    m_written = 0;
    const QString path = m_view.saveFileName(dialogRequest());
    if (path.isEmpty())
        return TransferOutcome::NoFile;

    TransferBusy busy(m_view);
    m_view.setProgressValue(0);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(m_options.libraryName
            + QStringLiteral(" export failed: the file \"%1\" could not be created (%2).")
                  .arg(path, file.errorString()));
        return TransferOutcome::Failed;
    }
    ExtrasFileWriter writer(file);
    bool cancelled = false;
    try {
        cancelled = writeLibrary(writer);
    } catch (const PlayerError& error) {
        file.cancelWriting();
        fail(m_options.libraryName
            + QStringLiteral(" export failed: %1\nThe file \"%2\" was not written.")
                  .arg(QString::fromStdString(error.what()), path));
        return TransferOutcome::Failed;
    }
    writer.writeFooter();
    if (!writer.flush() || !file.commit()) {
        const QString reason = writer.ok() ? file.errorString() : writer.errorString();
        file.cancelWriting();
        fail(m_options.libraryName
            + QStringLiteral(" export failed: the file \"%1\" could not be written (%2).").arg(path, reason));
        return TransferOutcome::Failed;
    }

    if (cancelled) {
        m_view.messageBox(m_options.libraryName + QStringLiteral(" export canceled"));
        m_view.setStatus(QString());
        return TransferOutcome::Cancelled;
    }
    if (m_options.completionMessageBox)
        m_view.messageBox(m_options.libraryName + QStringLiteral(" export complete"));
    else
        m_view.showBalloon(QStringLiteral("Bolvin export complete"), QStringLiteral("Bolvin"), TransferView::InfoIcon,
            balloonTimeoutMs);
    m_view.setStatus(m_options.libraryName + QStringLiteral(" export complete"));
    return TransferOutcome::Completed;
}

bool ExtrasExport::writeLibrary(ExtrasFileWriter& writer)
{
    if (!m_library)
        throw PlayerError(QStringLiteral("There is no library to export from."));
    const auto playlists = m_library->Playlists();
    const int playlistCount = playlists->Count();
    for (int p = 1; p <= playlistCount; ++p) {
        const auto playlist = playlists->Item(p);
        if (playlist->Name() != libraryPlaylistName)
            continue;
        const auto tracks = playlist->Tracks();
        const int count = tracks->Count();
        m_view.setProgressMaximum(count);
        writer.writeHeader(m_options.mode);
        const int limit = dayLimit(m_options.mode);
        const QDate today = m_now().date();
        for (int i = 1; i <= count; ++i) {
            const auto track = tracks->Item(i);
            const QDateTime played = track->PlayedDate();
            // Whole days only, so the text round trip (which drops milliseconds) is not needed
            // to count them; a never-played track counts from the zero date.
            const QDate playedDay = played.isValid() ? played.date() : GeneralDateFormat::zeroDate();
            if (limit < 0 || playedDay.daysTo(today) <= limit) {
                const ExtrasTrack record { track->Name(), track->Artist(), track->Rating(), track->PlayedCount(),
                    m_dates.toText(played), track->Time() };
                writer.writeTrack(record);
                ++m_written;
                m_view.setStatus(ExtrasFileWriter::escape(record.name) + QStringLiteral(" exported..."));
            }
            m_view.setProgressValue(i);
            m_view.processEvents();
            if (cancelled())
                return true;
        }
        return false;
    }
    return false;
}

void ExtrasExport::fail(const QString& message)
{
    m_view.messageBox(message);
    m_view.setStatus(QString());
}
