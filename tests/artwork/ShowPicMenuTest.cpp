// The right-click menu and the printer behind "Print".
#include "ShowPicFixture.h"

#include "artwork/QtPicturePrinter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

class ShowPicMenuTest : public ShowPicFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window().showpicture(writePicture(QSize(80, 60))));
        window().show();
    }

    QMenu* menu() { return window().findChild<QMenu*>(QStringLiteral("mnpopup")); }
    QAction* entry(int index) { return menu()->actions().at(index); }
    void rightClick()
    {
        mouse(picture1(window()), QEvent::MouseButtonPress, QPointF(5, 5), Qt::RightButton, Qt::RightButton);
    }
};

TEST_F(ShowPicMenuTest, RightClickOpensTheMenuWithMarksFromTheStateAndEntriesToggleThem)
{
    ctrlChord(&window(), Qt::Key_L);
    rightClick();
    EXPECT_TRUE(menu()->isVisible());
    EXPECT_TRUE(entry(1)->isChecked());
    EXPECT_FALSE(entry(0)->isChecked());
    menu()->hide();
    entry(1)->trigger();
    EXPECT_FALSE(window().isLocked());

    entry(0)->trigger();
    ASSERT_TRUE(window().showpicture(writePicture(QSize(90, 90), QStringLiteral("next.png"))));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "the next picture keeps the band";
    entry(0)->trigger();
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(ShowPicMenuTest, CopyAndPrintHandOverThePictureAtItsOwnSize)
{
    QGuiApplication::clipboard()->clear();
    entry(2)->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(80, 60));
    EXPECT_EQ(copied.pixelColor(0, 0), kCornerColour);

    entry(3)->trigger();
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].picture.size(), QSize(80, 60));
    EXPECT_EQ(printer.jobs[0].sizeTwips, QSize(80 * kTwips, 60 * kTwips));
    EXPECT_TRUE(desktop.messages.isEmpty());

    printer.result = PicturePrinter::Result::NoPrinter;
    entry(3)->trigger();
    printer.result = PicturePrinter::Result::Failed;
    entry(3)->trigger();
    ASSERT_EQ(desktop.messages.size(), 2);
    EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("no default printer")));
    EXPECT_TRUE(desktop.messages[1].contains(QStringLiteral("could not be printed")));
}

TEST_F(ShowPicMenuTest, CloseHidesWithoutUnloadingOrStoring)
{
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    ctrlChord(&window(), Qt::Key_Right);
    entry(4)->trigger();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_FALSE(settings.values.contains(QStringLiteral("Position")));
    window().show();
    EXPECT_EQ(window().geometryTwips().left(), 600 + kTwips) << "the window kept its place";
}

TEST(QtPicturePrinter, PrintsOnePageWithThePictureOrSaysThereIsNoPrinter)
{
    QTemporaryDir dir;
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath(QStringLiteral("cover.pdf")));
    QPixmap picture(120, 90);
    picture.fill(Qt::darkCyan);

    ASSERT_TRUE(QtPicturePrinter::printOn(pdf, picture, QSize(1800, 1350)));
    QFile written(pdf.outputFileName());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);

    if (QPrinterInfo::defaultPrinter().isNull()) {
        EXPECT_EQ(QtPicturePrinter().print(picture, QSize(150, 150)), PicturePrinter::Result::NoPrinter);
    }
}
