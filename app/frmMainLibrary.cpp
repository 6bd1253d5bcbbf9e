#include "frmMain.h"

#include "Guarded.h"
#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "options/AdvancedPage.h"
#include "options/LibraryPage.h"
#include "options/LibraryTransferView.h"
#include "platform/desktop/Desktop.h"
#include "tray/frmSysTray.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

namespace {
// What the page shows when there is no player to transfer from or to.
constexpr auto kNoPlayer = "The player is not running.";
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
}

std::unique_ptr<LibraryTransferView> frmMain::transferView(bool forExport)
{
    LibraryPage& page = *libraryPage;
    return std::make_unique<LibraryTransferView>(this,
        forExport ? LibraryTransferView::exportControls(page) : LibraryTransferView::importControls(page),
        [this](const QString& text) { m_services.desktop.messageBox(text); },
        [this](const QString& message, const QString& title, int icon, int timeoutMs) {
            if (m_frmSysTray)
                m_frmSysTray->ShowBalloonTip(message, title, icon, timeoutMs);
        });
}

void frmMain::cmdStartBackup_Click()
{
    CheckPlayerRunning(true);
    // The transfer may outlive a player that quits while it runs: hold it.
    const std::shared_ptr<PlayerApplication> player = objiTunesApp;
    if (!player) {
        m_services.desktop.messageBox(QString::fromLatin1(kNoPlayer));
        return;
    }
    mbCancelExport = false;
    const auto view = transferView(true);
    ExtrasExport transfer(*player, *view,
        ExportOptions { libraryPage->cboExportMode->currentText(), advancedPage->chkExportMsg->isChecked() },
        [this] { return mbCancelExport; });
    transfer.run();
}

void frmMain::cmdStartImport_Click()
{
    CheckPlayerRunning(true);
    const std::shared_ptr<PlayerApplication> player = objiTunesApp;
    if (!player) {
        m_services.desktop.messageBox(QString::fromLatin1(kNoPlayer));
        return;
    }
    mbCancelImport = false;
    const auto view = transferView(false);
    LibraryPage& page = *libraryPage;
    ExtrasImport transfer(*player, *view,
        ImportOptions { page.chkImportRating->isChecked(), page.chkImportPlayCount->isChecked(),
            page.chkImportLastPlayDate->isChecked(), page.cboPlayCount->currentText(),
            advancedPage->chkExportMsg->isChecked() },
        [this] { return mbCancelImport; });
    transfer.run();
}
