#include "AppTestRig.h"
#include "app/options/LibraryPage.h"
#include "app/options/LibraryTransferView.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TEST(LibraryPage, ATransferHoldsTheOtherOneAndItsOptionsWhileBusy)
{
    LibraryPage page;
    QStringList messages;
    QStringList balloons;
    LibraryTransferView view(&page, LibraryTransferView::importControls(page),
        [&](const QString& text) { messages << text; },
        [&](const QString& message, const QString& title, int, int) { balloons << title + ": " + message; });

    view.setBusy(true);
    EXPECT_TRUE(page.cmdStartImport->isHidden());
    EXPECT_FALSE(page.cmdCancelImport->isHidden());
    EXPECT_FALSE(page.prgImport->isHidden());
    EXPECT_FALSE(page.cmdStartBackup->isEnabled());
    for (QWidget* option : std::initializer_list<QWidget*> { page.cboPlayCount, page.chkImportRating,
             page.chkImportPlayCount, page.chkImportLastPlayDate })
        EXPECT_FALSE(option->isEnabled());
    EXPECT_TRUE(page.cboExportMode->isEnabled()) << "the export's own option stays";

    view.setProgressMaximum(36);
    view.setProgressValue(12);
    view.setStatus("Tide Tables");
    EXPECT_EQ(page.prgImport->maximum(), 36);
    EXPECT_EQ(page.prgImport->value(), 12);
    EXPECT_EQ(page.lblImportTrackName->text(), "Tide Tables");

    view.setBusy(false);
    EXPECT_FALSE(page.cmdStartImport->isHidden());
    EXPECT_TRUE(page.cmdCancelImport->isHidden());
    EXPECT_TRUE(page.prgImport->isHidden());
    EXPECT_TRUE(page.cmdStartBackup->isEnabled());
    EXPECT_TRUE(page.chkImportRating->isEnabled());

    view.messageBox("Import complete.");
    view.showBalloon("Import complete.", "Bolvin", 1, 5000);
    EXPECT_EQ(messages, QStringList({ "Import complete." }));
    EXPECT_EQ(balloons, QStringList({ "Bolvin: Import complete." }));
}

TEST(LibraryPage, StartWithNoPlayerToBeHadSaysSoAndStaysIdle)
{
    AppTestRig rig;
    rig.backend.player = nullptr;
    frmMain& main = rig.load();
    main.libraryPage->cmdStartBackup->click();
    main.libraryPage->cmdStartImport->click();
    EXPECT_EQ(rig.desktop.messages, QStringList({ "Fake Player is not running.", "Fake Player is not running." }));
    EXPECT_FALSE(main.libraryPage->cmdStartBackup->isHidden());
    EXPECT_TRUE(main.libraryPage->cmdCancelBackup->isHidden());
}
