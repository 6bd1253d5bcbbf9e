#include "LibraryTransfers.h"

#include "LibraryPage.h"
#include "LibraryTransferView.h"
#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/HeldPlayerLibrary.h"
#include "library/LibraryStore.h"
#include "library/sources/FileLibrary.h"
#include "platform/desktop/Desktop.h"
#include "player/PlayerApplication.h"
#include "player/PlayerError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

#include <optional>

namespace
{
// The connected player's library source; null when the player cannot give one, which the
// transfer then reports.
std::shared_ptr<PlayerSource> libraryOf(PlayerApplication& player)
{
    try {
        return player.LibrarySource();
    } catch (const PlayerError&) {
        return nullptr;
    }
}

// The library a transfer works on, held for the whole run: the transfer may outlive a
// player that quits while it runs.
struct TransferLibrary {
    std::shared_ptr<PlayerApplication> player;
    std::shared_ptr<FileLibrary> file;

    std::shared_ptr<PlayerSource> source() const { return file ? file : libraryOf(*player); }
};

// The library the page names: the connected player's (connectPlayer attaches one if it can)
// or a file's, read whole. nullopt once the user was told why there is none.
std::optional<TransferLibrary> chosenLibrary(
    const LibraryPage& page, Desktop& desktop, const PlayerAccess& connectPlayer)
{
    TransferLibrary library;
    if (page.selectedSource() == LibrarySourceKind::ConnectedPlayer) {
        library.player = connectPlayer();
        if (!library.player) {
            desktop.messageBox(page.libraryName() + QStringLiteral(" is not running."));
            return std::nullopt;
        }
        return library;
    }
    QString error;
    library.file = LibrarySources::open(page.selectedSource(), page.sourcePath(), &error);
    if (!library.file) {
        desktop.messageBox(error);
        return std::nullopt;
    }
    return library;
}
}

LibraryTransfers::LibraryTransfers(LibraryPage& page, Desktop& desktop, PlayerAccess connectPlayer, BalloonTip balloon,
    std::function<bool()> completionMessageBox, std::function<bool()> shuttingDown)
    : QObject(&page)
    , m_page(page)
    , m_desktop(desktop)
    , m_connectPlayer(std::move(connectPlayer))
    , m_balloon(std::move(balloon))
    , m_completionMessageBox(std::move(completionMessageBox))
    , m_shuttingDown(std::move(shuttingDown))
{
    page.prgBackup->setVisible(false);
    page.prgImport->setVisible(false);
    connect(page.cmdStartBackup, &QPushButton::clicked, this, &LibraryTransfers::cmdStartBackup_Click);
    connect(page.cmdCancelBackup, &QPushButton::clicked, this, [this] { m_cancelExport = true; });
    connect(page.cmdStartImport, &QPushButton::clicked, this, &LibraryTransfers::cmdStartImport_Click);
    connect(page.cmdCancelImport, &QPushButton::clicked, this, [this] { m_cancelImport = true; });
}

std::unique_ptr<LibraryTransferView> LibraryTransfers::transferView(bool forExport)
{
    return std::make_unique<LibraryTransferView>(
        m_page.window(),
        forExport ? LibraryTransferView::exportControls(m_page) : LibraryTransferView::importControls(m_page),
        [this](const QString& text) { m_desktop.messageBox(text); }, m_balloon);
}

void LibraryTransfers::cmdStartBackup_Click()
{
    const auto library = chosenLibrary(m_page, m_desktop, m_connectPlayer);
    if (!library)
        return;
    m_cancelExport = false;
    const auto view = transferView(true);
    ExtrasExport transfer(library->source(), *view,
        ExportOptions { m_page.cboExportMode->currentText(), m_completionMessageBox(), m_page.libraryName() },
        [this] { return m_cancelExport; });
    transfer.run();
}

void LibraryTransfers::cmdStartImport_Click()
{
    const auto library = chosenLibrary(m_page, m_desktop, m_connectPlayer);
    if (!library)
        return;
    m_cancelImport = false;
    const auto view = transferView(false);
    ExtrasImport transfer(library->source(), *view,
        ImportOptions { m_page.chkImportRating->isChecked(), m_page.chkImportPlayCount->isChecked(),
            m_page.chkImportLastPlayDate->isChecked(), m_page.cboPlayCount->currentText(), m_completionMessageBox(),
            m_page.libraryName() },
        [this] { return m_cancelImport; });
    std::unique_ptr<HeldPlayerLibrary> held;
    if (library->player)
        if (std::unique_ptr<LibraryWriteHold> hold = library->player->holdLibraryWrites())
            held = std::make_unique<HeldPlayerLibrary>(std::move(hold), m_shuttingDown);
    transfer.setStore(library->file ? static_cast<LibraryStore*>(library->file.get()) : held.get());
    transfer.run();
}
