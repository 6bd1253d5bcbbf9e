#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Library": export and import of the library's extras.
class LibraryPage : public QWidget {
    Q_OBJECT
public:
    explicit LibraryPage(QWidget* parent = nullptr);

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
};
