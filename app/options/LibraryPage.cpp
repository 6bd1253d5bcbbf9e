#include "LibraryPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

LibraryPage::LibraryPage(QWidget* parent)
    : QWidget(parent)
{
    auto* exportBox = new QGroupBox(QStringLiteral("Export iTunes extras"));
    auto* exportGrid = new QGridLayout(exportBox);
    cboExportMode = new QComboBox(exportBox);
    cmdStartBackup = new QPushButton(QStringLiteral("Start"), exportBox);
    cmdCancelBackup = new QPushButton(QStringLiteral("Stop"), exportBox);
    cmdCancelBackup->setVisible(false);
    prgBackup = new QProgressBar(exportBox);
    lblBackupTrackName = new QLabel(exportBox);
    exportGrid->addWidget(new QLabel(QStringLiteral("Export Mode:"), exportBox), 0, 0);
    exportGrid->addWidget(cboExportMode, 0, 1);
    exportGrid->addWidget(cmdStartBackup, 0, 2);
    exportGrid->addWidget(cmdCancelBackup, 0, 3);
    exportGrid->addWidget(prgBackup, 1, 0, 1, 4);
    exportGrid->addWidget(lblBackupTrackName, 2, 0, 1, 4);
    exportGrid->setColumnStretch(1, 1);

    auto* importBox = new QGroupBox(QStringLiteral("Import iTunes extras"));
    auto* importGrid = new QGridLayout(importBox);
    cboPlayCount = new QComboBox(importBox);
    chkImportRating = new QCheckBox(QStringLiteral("Rating"), importBox);
    chkImportPlayCount = new QCheckBox(QStringLiteral("Play Count"), importBox);
    chkImportLastPlayDate = new QCheckBox(QStringLiteral("Last Play Date"), importBox);
    for (QCheckBox* box : { chkImportRating, chkImportPlayCount, chkImportLastPlayDate })
        box->setChecked(true);
    cmdStartImport = new QPushButton(QStringLiteral("Start"), importBox);
    cmdCancelImport = new QPushButton(QStringLiteral("Stop"), importBox);
    cmdCancelImport->setVisible(false);
    prgImport = new QProgressBar(importBox);
    lblImportTrackName = new QLabel(importBox);
    importGrid->addWidget(new QLabel(QStringLiteral("Play Count:"), importBox), 0, 0);
    importGrid->addWidget(cboPlayCount, 0, 1);
    importGrid->addWidget(cmdStartImport, 0, 2);
    importGrid->addWidget(cmdCancelImport, 0, 3);
    auto* checks = new QHBoxLayout;
    checks->addWidget(chkImportRating);
    checks->addWidget(chkImportPlayCount);
    checks->addWidget(chkImportLastPlayDate);
    checks->addStretch();
    importGrid->addLayout(checks, 1, 0, 1, 4);
    importGrid->addWidget(prgImport, 2, 0, 1, 4);
    importGrid->addWidget(lblImportTrackName, 3, 0, 1, 4);
    importGrid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exportBox);
    layout->addWidget(importBox);
    layout->addStretch();
}
