#include "app/options/LibraryPage.h"
#include "AppTestRig.h"
#include "SampleLibrary.h"
#include "app/options/LibraryTransferView.h"
#include "app/options/QtTransferView.h"
#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"
#include "player/simulated/SimulatedPlayerBackend.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace
{
// Waits, boundedly, for a modal window of type T and hands it to act.
template <typename T> void whenModal(std::function<void(T*)> act, int polls = 500)
{
    QTimer::singleShot(10, [act, polls] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(window);
        else if (polls > 0)
            whenModal<T>(act, polls - 1);
    });
}

// Answers the next file dialog with path, typed as a user would: a selection the dialog's
// model has not loaded yet is lost.
void answerFileDialog(const QString& path)
{
    whenModal<QFileDialog>([path](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
    });
}

// The Qt half alone; the rest does nothing.
class DialogView : public QtTransferView
{
public:
    DialogView()
        : QtTransferView(nullptr)
    {
    }
    void setBusy(bool) override { }
    void setProgressMaximum(int) override { }
    void setProgressValue(int) override { }
    void setStatus(const QString&) override { }
    void messageBox(const QString&) override { }
    void showBalloon(const QString&, const QString&, int, int) override { }
};
}

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

TEST(QtTransferView, TheSaveDialogAddsTheSuffixAndAsksBeforeReplacingAndACancelledOpenOneGivesNoFile)
{
    QTemporaryDir dir;
    const QString existing = QDir(dir.path()).filePath(QStringLiteral("extras.xml"));
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));

    bool asked = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save Your Data"));
        EXPECT_EQ(dialog->nameFilters(), QStringList { QStringLiteral("XML Files (*.xml)") });
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("xml"));
        whenModal<QMessageBox>([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        dialog->selectFile(QDir(dir.path()).filePath(QStringLiteral("extras")));
        // QFileDialog hides accept(); through QDialog it runs as a click on Save would.
        static_cast<QDialog*>(dialog)->accept();
    });
    DialogView view;
    EXPECT_EQ(view.saveFileName(ExtrasExport::dialogRequest()), existing);
    EXPECT_TRUE(asked);

    whenModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Import Your Data"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    EXPECT_TRUE(view.openFileName(ExtrasImport::dialogRequest()).isEmpty());
}
