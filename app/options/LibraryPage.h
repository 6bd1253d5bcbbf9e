#pragma once

#include "library/sources/LibrarySourceKind.h"
#include "player/PlayerCapabilities.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Library": export and import of the library's extras, from and to the library chosen in
// cboLibrarySource: the connected player's, Bolvin's own, Rhythmbox's or Strawberry's file, or a
// library file the user picks.
class LibraryPage : public QWidget
{
    Q_OBJECT
public:
    explicit LibraryPage(QWidget* parent = nullptr);

    LibrarySourceKind selectedSource() const;
    // The file of a file source; empty for the connected player, and for "Library file…"
    // until one is chosen.
    QString sourcePath() const;
    // Whether the chosen file source can be used, and if not why; yes for the connected player,
    // whose own ability the caller knows.
    PlayerAbility fileSourceAbility() const;
    // Selects the connected player when it has a library, else Bolvin's, Rhythmbox's or Strawberry's
    // library when that file exists. Only until the user picks a source: a choice stands.
    void offerDefaultSource(bool playerHasLibrary);
    // Asks for a library file; "" when cancelled. A file dialog by default; tests replace it.
    void setFileChooser(std::function<QString()> choose) { m_chooseFile = std::move(choose); }
    // The connected player's name, which the page uses while that player is the source.
    void setPlayerName(const QString& name);
    // What the transfers work on, in words: the player's name, "Rhythmbox", "library file"…
    QString libraryName() const;
    // Enables the transfers as the chosen library allows, saying why not on the page: a
    // disabled button's tooltip is easy to miss. playerLibrary is what the connected player
    // allows, used while it is the source.
    void showAbility(const QString& playerName, const PlayerAbility& playerLibrary);

signals:
    // Another source was selected, by the user or by offerDefaultSource().
    void librarySourceChanged();

private:
    friend class OptionSettings;
    friend class LibraryTransfers;
    friend class LibraryTransferView;

    QComboBox* cboLibrarySource;

    void sourceActivated(int index);
    void select(LibrarySourceKind kind);
    void showLibraryName();

    QComboBox* cboExportMode;
    QPushButton* cmdStartBackup;
    QPushButton* cmdCancelBackup;
    QProgressBar* prgBackup;
    QLabel* lblBackupTrackName;

    QComboBox* cboPlayCount;
    QCheckBox* chkImportRating;
    QCheckBox* chkImportPlayCount;
    QCheckBox* chkImportLastPlayDate;
    QPushButton* cmdStartImport;
    QPushButton* cmdCancelImport;
    QProgressBar* prgImport;
    QLabel* lblImportTrackName;

    QGroupBox* m_exportBox = nullptr;
    QGroupBox* m_importBox = nullptr;
    QString m_playerName;
    // The reason last shown in the status labels, replaced when the reason changes.
    QString m_shownLibraryReason;

    QString m_chosenFile;
    int m_shownSource = 0;
    bool m_userChoseSource = false;
    std::function<QString()> m_chooseFile;
};
