#include "app/options/LibraryPage.h"
#include "AppTestRig.h"
#include "SampleLibrary.h"
#include "app/options/LibraryTransferView.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

TEST(LibraryPage, ATransferHoldsTheOtherOneAndItsOptionsWhileBusy)
{
    LibraryPage page;
    QStringList messages;
    QStringList balloons;
    LibraryTransferView view(
        &page, LibraryTransferView::importControls(page), [&](const QString& text) { messages << text; },
        [&](const QString& message, const QString& title, int, int) { balloons << title + ": " + message; });

    const auto widget = [&](const char* name) { return control<QWidget>(page, name); };
    view.setBusy(true);
    EXPECT_TRUE(widget("cmdStartImport")->isHidden());
    EXPECT_FALSE(widget("cmdCancelImport")->isHidden() || widget("prgImport")->isHidden());
    EXPECT_FALSE(widget("cmdStartBackup")->isEnabled());
    for (const char* option : { "cboPlayCount", "chkImportRating", "chkImportPlayCount", "chkImportLastPlayDate" })
        EXPECT_FALSE(widget(option)->isEnabled()) << option;
    EXPECT_TRUE(widget("cboExportMode")->isEnabled()) << "the export's own option stays";

    view.setProgressMaximum(36);
    view.setProgressValue(12);
    view.setStatus("Tide Tables");
    EXPECT_EQ(control<QProgressBar>(page, "prgImport")->maximum(), 36);
    EXPECT_EQ(control<QProgressBar>(page, "prgImport")->value(), 12);
    EXPECT_EQ(control<QLabel>(page, "lblImportTrackName")->text(), "Tide Tables");

    view.setBusy(false);
    EXPECT_FALSE(widget("cmdStartImport")->isHidden());
    EXPECT_TRUE(widget("cmdCancelImport")->isHidden() && widget("prgImport")->isHidden());
    EXPECT_TRUE(widget("cmdStartBackup")->isEnabled() && widget("chkImportRating")->isEnabled());

    view.messageBox("Import complete.");
    view.showBalloon("Import complete.", "Bolvin", 1, 5000);
    EXPECT_EQ(messages, QStringList({ "Import complete." }));
    EXPECT_EQ(balloons, QStringList({ "Bolvin: Import complete." }));
}

namespace
{
// Answers the next file dialog with path once it is up, or gives up after two seconds.
void answerFileDialog(const QString& path, int triesLeft = 100)
{
    QTimer::singleShot(20, [path, triesLeft] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            // Typed, as a user would: a selection the dialog's model has not loaded yet is lost.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            return;
        }
        if (triesLeft > 0)
            answerFileDialog(path, triesLeft - 1);
    });
}
}

TEST(LibraryPage, AnImportIntoTheJukeboxIsWrittenOnceAfterACopyAndAWriteThatFailsIsSaid)
{
    SampleLibrary library;
    SimulatedPlayerBackend sim(library.file(), 1.0);
    sim.setRealTime(false);
    ASSERT_TRUE(sim.start(false));
    AppTestRig rig;
    rig.playerBackend = &sim;
    frmMain& main = rig.load();
    control<QCheckBox>(main, "chkExportMsg")->setChecked(true);
    QTemporaryDir elsewhere;
    const QString extras = elsewhere.filePath("extras.xml");
    answerFileDialog(extras);
    control<QPushButton>(main, "cmdStartBackup")->click();
    ASSERT_TRUE(rig.desktop.messages.last().startsWith("Jukebox export complete"));
    QFile exported(extras);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray changed = exported.readAll().replace("<rating>100</rating>", "<rating>20</rating>");
    exported.close();
    ASSERT_TRUE(exported.open(QIODevice::WriteOnly) && exported.write(changed) == changed.size());
    exported.close();

    answerFileDialog(extras);
    control<QPushButton>(main, "cmdStartImport")->click();
    EXPECT_TRUE(rig.desktop.messages.last().startsWith("Bolvin import complete"))
        << rig.desktop.messages.last().toStdString();
    EXPECT_EQ(QDir(library.folder()).entryList({ "*before-import*" }).size(), 1) << "one dated copy, one write";

    // Nowhere to write: the import says so and claims nothing.
    QDir(library.folder()).removeRecursively();
    rig.desktop.messages.clear();
    answerFileDialog(extras);
    control<QPushButton>(main, "cmdStartImport")->click();
    EXPECT_TRUE(rig.desktop.messages.join("\n").contains("could not")) << rig.desktop.messages.join("\n").toStdString();
    EXPECT_FALSE(rig.desktop.messages.join("\n").contains("complete"));
}
