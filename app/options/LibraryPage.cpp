#include "LibraryPage.h"

#include "ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

const QString fileItemText = QStringLiteral("Library file\u2026");

QString sourceName(LibrarySourceKind kind)
{
    switch (kind) {
    case LibrarySourceKind::Bolvin:
        return QStringLiteral("Bolvin library");
    case LibrarySourceKind::Rhythmbox:
        return QStringLiteral("Rhythmbox library");
    case LibrarySourceKind::Strawberry:
        return QStringLiteral("Strawberry library");
    default:
        return QStringLiteral("library file");
    }
}

} // namespace

LibraryPage::LibraryPage(QWidget* parent)
    : QWidget(parent)
    , m_chooseFile([this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Choose a Library File"), QDir::homePath(), QStringLiteral("Library Files (*.xml)"));
    })
{
    cboLibrarySource = new QComboBox;
    cboLibrarySource->addItem(QStringLiteral("Connected player"), int(LibrarySourceKind::ConnectedPlayer));
    for (LibrarySourceKind kind :
        { LibrarySourceKind::Bolvin, LibrarySourceKind::Rhythmbox, LibrarySourceKind::Strawberry })
        cboLibrarySource->addItem(sourceName(kind), int(kind));
    cboLibrarySource->addItem(fileItemText, int(LibrarySourceKind::File));
    for (int i = 1; i < cboLibrarySource->count() - 1; ++i)
        cboLibrarySource->setItemData(
            i, LibrarySources::defaultPath(LibrarySourceKind(cboLibrarySource->itemData(i).toInt())), Qt::ToolTipRole);
    connect(cboLibrarySource, &QComboBox::activated, this, &LibraryPage::sourceActivated);
    connect(this, &LibraryPage::librarySourceChanged, this, &LibraryPage::showLibraryName);
    auto* sourceBox = new QGroupBox(QStringLiteral("Library"));
    auto* sourceGrid = new QGridLayout(sourceBox);
    sourceGrid->addWidget(new QLabel(QStringLiteral("Transfer with:"), sourceBox), 0, 0);
    sourceGrid->addWidget(cboLibrarySource, 0, 1);
    sourceGrid->setColumnStretch(1, 1);

    auto* exportBox = new QGroupBox;
    m_exportBox = exportBox;
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

    auto* importBox = new QGroupBox;
    m_importBox = importBox;
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
    layout->addWidget(sourceBox);
    layout->addWidget(exportBox);
    layout->addWidget(importBox);
    layout->addStretch();
    showLibraryName();

    nameControls({ { cboLibrarySource, "cboLibrarySource" }, { cboExportMode, "cboExportMode" },
        { cmdStartBackup, "cmdStartBackup" }, { cmdCancelBackup, "cmdCancelBackup" }, { prgBackup, "prgBackup" },
        { lblBackupTrackName, "lblBackupTrackName" }, { cboPlayCount, "cboPlayCount" },
        { chkImportRating, "chkImportRating" }, { chkImportPlayCount, "chkImportPlayCount" },
        { chkImportLastPlayDate, "chkImportLastPlayDate" }, { cmdStartImport, "cmdStartImport" },
        { cmdCancelImport, "cmdCancelImport" }, { prgImport, "prgImport" },
        { lblImportTrackName, "lblImportTrackName" } });
}

LibrarySourceKind LibraryPage::selectedSource() const
{
    return LibrarySourceKind(cboLibrarySource->currentData().toInt());
}

QString LibraryPage::sourcePath() const
{
    const LibrarySourceKind kind = selectedSource();
    return kind == LibrarySourceKind::File ? m_chosenFile : LibrarySources::defaultPath(kind);
}

PlayerAbility LibraryPage::fileSourceAbility() const
{
    const LibrarySourceKind kind = selectedSource();
    if (kind == LibrarySourceKind::ConnectedPlayer)
        return PlayerAbility::yes();
    if (kind == LibrarySourceKind::File && m_chosenFile.isEmpty())
        return PlayerAbility::no(QStringLiteral("Choose a library file first."));
    // Bolvin's library is started by the first import if nothing was rated yet.
    if (kind != LibrarySourceKind::Bolvin && !QFileInfo(sourcePath()).isFile())
        return PlayerAbility::no(QStringLiteral("There is no %1 at \"%2\".").arg(sourceName(kind), sourcePath()));
    return PlayerAbility::yes();
}

void LibraryPage::offerDefaultSource(bool playerHasLibrary)
{
    if (m_userChoseSource)
        return;
    LibrarySourceKind kind = LibrarySourceKind::ConnectedPlayer;
    if (!playerHasLibrary) {
        // Bolvin keeps what such a player's tracks are given; another player's file may hold more.
        for (LibrarySourceKind file :
            { LibrarySourceKind::Bolvin, LibrarySourceKind::Rhythmbox, LibrarySourceKind::Strawberry }) {
            if (QFileInfo(LibrarySources::defaultPath(file)).isFile()) {
                kind = file;
                break;
            }
        }
    }
    if (kind != selectedSource()) {
        select(kind);
        emit librarySourceChanged();
    }
}

void LibraryPage::select(LibrarySourceKind kind)
{
    m_shownSource = cboLibrarySource->findData(int(kind));
    cboLibrarySource->setCurrentIndex(m_shownSource);
}

void LibraryPage::sourceActivated(int index)
{
    if (LibrarySourceKind(cboLibrarySource->itemData(index).toInt()) == LibrarySourceKind::File) {
        const QString chosen = m_chooseFile();
        if (chosen.isEmpty()) {
            // Cancelled: the source in use stays.
            cboLibrarySource->setCurrentIndex(m_shownSource);
            return;
        }
        m_chosenFile = chosen;
        cboLibrarySource->setItemText(index, QStringLiteral("Library file: %1").arg(QFileInfo(chosen).fileName()));
        cboLibrarySource->setItemData(index, chosen, Qt::ToolTipRole);
    }
    m_userChoseSource = true;
    m_shownSource = index;
    emit librarySourceChanged();
}

void LibraryPage::setPlayerName(const QString& name)
{
    m_playerName = name;
    showLibraryName();
}

QString LibraryPage::libraryName() const
{
    switch (selectedSource()) {
    case LibrarySourceKind::ConnectedPlayer:
        return m_playerName.isEmpty() ? QStringLiteral("player") : m_playerName;
    case LibrarySourceKind::Bolvin:
        return QStringLiteral("Bolvin library");
    case LibrarySourceKind::Rhythmbox:
        return QStringLiteral("Rhythmbox");
    case LibrarySourceKind::Strawberry:
        return QStringLiteral("Strawberry");
    default:
        return QStringLiteral("library file");
    }
}

void LibraryPage::showLibraryName()
{
    if (!m_exportBox)
        return;
    const QString name = libraryName();
    m_exportBox->setTitle(QStringLiteral("Export %1 extras").arg(name));
    m_importBox->setTitle(QStringLiteral("Import %1 extras").arg(name));
}

void LibraryPage::showAbility(const QString& playerName, const PlayerAbility& playerLibrary)
{
    setPlayerName(playerName);
    offerDefaultSource(playerLibrary.available);
    // A library file does not need the player, nor what it allows.
    const PlayerAbility library
        = selectedSource() == LibrarySourceKind::ConnectedPlayer ? playerLibrary : fileSourceAbility();
    for (QPushButton* start : { cmdStartBackup, cmdStartImport }) {
        start->setEnabled(library.available);
        start->setToolTip(library.reason);
    }
    for (QLabel* status : { lblBackupTrackName, lblImportTrackName })
        if (!library || status->text() == m_shownLibraryReason)
            status->setText(library.reason);
    m_shownLibraryReason = library.reason;
}
