#include "app/options/QtTransferView.h"
#include "library/ExtrasExport.h"
#include "library/ExtrasImport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace
{

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

constexpr int pollMs = 10;
constexpr int maxPolls = 500;

// Waits, boundedly, for a modal window of type T and hands it to act.
template <typename T> void whenModal(std::function<void(T*)> act, int polls = maxPolls)
{
    QTimer::singleShot(pollMs, [act, polls] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(window);
        else if (polls > 0)
            whenModal<T>(act, polls - 1);
    });
}

TEST(QtTransferView, TheSaveDialogAddsTheSuffixAndAsksBeforeReplacing)
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
}

TEST(QtTransferView, ACancelledOpenDialogGivesNoFile)
{
    whenModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Import Your Data"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    DialogView view;
    EXPECT_TRUE(view.openFileName(ExtrasImport::dialogRequest()).isEmpty());
}

} // namespace
