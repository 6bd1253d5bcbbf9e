#include "LibraryTransferView.h"

#include "LibraryPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

LibraryTransferView::LibraryTransferView(
    QWidget* dialogParent, Controls controls, MessageBox messageBox, Balloon balloon)
    : QtTransferView(dialogParent)
    , m_controls(std::move(controls))
    , m_messageBox(std::move(messageBox))
    , m_balloon(std::move(balloon))
{
}

LibraryTransferView::Controls LibraryTransferView::exportControls(LibraryPage& page)
{
    return { page.cmdStartBackup, page.cmdCancelBackup, page.prgBackup, page.lblBackupTrackName, page.cmdStartImport,
        { page.cboExportMode } };
}

LibraryTransferView::Controls LibraryTransferView::importControls(LibraryPage& page)
{
    return { page.cmdStartImport, page.cmdCancelImport, page.prgImport, page.lblImportTrackName, page.cmdStartBackup,
        { page.cboPlayCount, page.chkImportRating, page.chkImportPlayCount, page.chkImportLastPlayDate } };
}

void LibraryTransferView::setBusy(bool busy)
{
    showProgress();
    m_controls.start->setVisible(!busy);
    m_controls.stop->setVisible(busy);
    m_controls.otherStart->setEnabled(!busy);
    for (QWidget* option : std::as_const(m_controls.options))
        option->setEnabled(!busy);
    if (busy)
        m_controls.progress->setValue(0);
    m_controls.progress->setVisible(busy);
}

void LibraryTransferView::setProgressMaximum(int maximum)
{
    m_controls.progress->setMaximum(maximum);
    showProgress();
}

void LibraryTransferView::setProgressValue(int value)
{
    // A progress bar repaints at once on every new value: a value a track would cost more
    // than the transfer itself, so the bar follows at the pace the window is let in.
    m_progressValue = value;
    if (m_sinceProgressShown.isValid() && m_sinceProgressShown.elapsed() < eventIntervalMs)
        return;
    showProgress();
    m_sinceProgressShown.start();
}

void LibraryTransferView::showProgress()
{
    m_controls.progress->setValue(m_progressValue);
}

void LibraryTransferView::setStatus(const QString& text)
{
    m_controls.status->setText(text);
}

void LibraryTransferView::messageBox(const QString& text)
{
    m_messageBox(text);
}

void LibraryTransferView::showBalloon(const QString& message, const QString& title, int icon, int timeoutMs)
{
    m_balloon(message, title, icon, timeoutMs);
}
