#include "frmMain.h"

#include "app/link/PlayerLink.h"
#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "library/HeldPlayerLibrary.h"
#include "library/LibraryStore.h"
#include "library/sources/FileLibrary.h"
#include "options/AdvancedPage.h"
#include "options/LibraryPage.h"
#include "options/LibraryTransferView.h"
#include "platform/desktop/Desktop.h"
#include "player/IgnoringErrors.h"
#include "player/PlayerApplication.h"
#include "player/PlayerError.h"
#include "tray/frmSysTray.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <functional>
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
    const LibraryPage& page, Desktop& desktop, const std::function<std::shared_ptr<PlayerApplication>()>& connectPlayer)
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

void frmMain::connectLibraryHandlers()
{
    LibraryPage& page = *libraryPage;
    page.prgBackup->setVisible(false);
    page.prgImport->setVisible(false);
    connect(page.cmdStartBackup, &QPushButton::clicked, this, &frmMain::cmdStartBackup_Click);
    connect(page.cmdCancelBackup, &QPushButton::clicked, this, [this] { mbCancelExport = true; });
    connect(page.cmdStartImport, &QPushButton::clicked, this, &frmMain::cmdStartImport_Click);
    connect(page.cmdCancelImport, &QPushButton::clicked, this, [this] { mbCancelImport = true; });
    connect(&page, &LibraryPage::librarySourceChanged, this, &frmMain::showLibraryAbility);
}

void frmMain::showLibraryAbility()
{
    LibraryPage& page = *libraryPage;
    const PlayerCapabilities& capabilities = m_link->capabilities();
    page.setPlayerName(m_link->playerName());
    page.offerDefaultSource(capabilities.library.available);
    // A library file does not need the player, nor what it allows.
    const PlayerAbility library
        = page.selectedSource() == LibrarySourceKind::ConnectedPlayer ? capabilities.library : page.fileSourceAbility();
    for (QPushButton* start : { page.cmdStartBackup, page.cmdStartImport }) {
        start->setEnabled(library.available);
        start->setToolTip(library.reason);
    }
    // Said on the page too: a disabled button's tooltip is easy to miss.
    for (QLabel* status : { page.lblBackupTrackName, page.lblImportTrackName })
        if (!library || status->text() == m_shownLibraryReason)
            status->setText(library.reason);
    m_shownLibraryReason = library.reason;
}

std::unique_ptr<LibraryTransferView> frmMain::transferView(bool forExport)
{
    LibraryPage& page = *libraryPage;
    return std::make_unique<LibraryTransferView>(
        this, forExport ? LibraryTransferView::exportControls(page) : LibraryTransferView::importControls(page),
        [this](const QString& text) { m_services.desktop.messageBox(text); },
        [this](const QString& message, const QString& title, int icon, int timeoutMs) {
            if (frmSysTray* tray = m_link->tray())
                tray->ShowBalloonTip(message, title, icon, timeoutMs);
        });
}

void frmMain::cmdStartBackup_Click()
{
    const auto library = chosenLibrary(*libraryPage, m_services.desktop, [this] {
        m_link->CheckPlayerRunning(true);
        return m_link->player();
    });
    if (!library)
        return;
    mbCancelExport = false;
    const auto view = transferView(true);
    ExtrasExport transfer(library->source(), *view,
        ExportOptions { libraryPage->cboExportMode->currentText(), advancedPage->chkExportMsg->isChecked(),
            libraryPage->libraryName() },
        [this] { return mbCancelExport; });
    transfer.run();
}

void frmMain::cmdStartImport_Click()
{
    const auto library = chosenLibrary(*libraryPage, m_services.desktop, [this] {
        m_link->CheckPlayerRunning(true);
        return m_link->player();
    });
    if (!library)
        return;
    mbCancelImport = false;
    const auto view = transferView(false);
    LibraryPage& page = *libraryPage;
    ExtrasImport transfer(library->source(), *view,
        ImportOptions { page.chkImportRating->isChecked(), page.chkImportPlayCount->isChecked(),
            page.chkImportLastPlayDate->isChecked(), page.cboPlayCount->currentText(),
            advancedPage->chkExportMsg->isChecked(), page.libraryName() },
        [this] { return mbCancelImport; });
    std::unique_ptr<HeldPlayerLibrary> held;
    if (library->player)
        if (std::unique_ptr<LibraryWriteHold> hold = library->player->holdLibraryWrites())
            held
                = std::make_unique<HeldPlayerLibrary>(std::move(hold), [this] { return m_unloaded || mbShuttingDown; });
    transfer.setStore(library->file ? static_cast<LibraryStore*>(library->file.get()) : held.get());
    transfer.run();
}

void frmMain::onPlayerQuit()
{
    mbCancelExport = true;
    mbCancelImport = true;
}
