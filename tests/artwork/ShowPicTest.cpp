// showpicture's steps, what an unload stores, the one artwork window, the right-click menu;
// dragging, the placement rules behind it, keyboard moves, locking and double-click.
#include "ShowPicFixture.h"

#include "artwork/ModulePicturePrinter.h"
#include "artwork/QtPicturePrinter.h"
#include "artwork/ShowPicGeometry.h"
#include "platform/screen/ModuleLoader.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalSpy>

using namespace ShowPicGeometry;
using ShowPicTest = ShowPicFixture;

TEST_F(ShowPicTest, APictureGoesToTheStoredPlaceOrSpansTheScreenAndAnUnloadStoresThePlace)
{
    const struct {
        const char* stored; // nullptr: none
        QSize pixels;
        QRect window; // twips
        QPoint offset; // of the picture in the window, twips
        const char* storedAfter;
    } cases[] = {
        { nullptr, { 200, 150 }, { 600, 600, 3000, 2250 }, {}, "600,600" },
        { "1500, 3000", { 200, 150 }, { 1500, 3000, 3000, 2250 }, {}, "1500,3000" },
        { "-30,200", { 100, 100 }, { -30, 200, 1500, 1500 }, {}, "0,200" },
        { "left,top", { 100, 100 }, { 600, 600, 1500, 1500 }, {}, "600,600" },
        // Oversized: the window spans that axis with the picture centred, and stores no place.
        { "1500,3000", { 1400, 100 }, { 0, 3000, kScreenWidth * kTwips, 1500 }, { -2820, 0 }, "" },
        { "1500,3000", { 100, 900 }, { 1500, 0, 1500, kScreenHeight * kTwips }, { 0, -990 }, "" },
        // The next picture that fits is placed and stored as usual again.
        { "1500,3000", { 50, 50 }, { 1500, 3000, 750, 750 }, {}, "1500,3000" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "none");
        settings.values.remove(kPosition);
        if (c.stored)
            settings.values[kPosition] = QString::fromLatin1(c.stored);
        ASSERT_TRUE(window().showpicture(writePicture(c.pixels)));
        EXPECT_EQ(window().geometryTwips(), c.window);
        EXPECT_EQ(window().pictureOffsetTwips(), c.offset);
        EXPECT_EQ(picture1(window())->geometry(), QRect(c.offset / kTwips, c.pixels));
        EXPECT_FALSE(window().isVisible()) << "callers show the window";
        settings.values.remove(kPosition);
        window().Unload();
        EXPECT_EQ(settings.values.value(kPosition), QString::fromLatin1(c.storedAfter));
    }
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window().geometry(), QRect(100, 200, 50, 50));
}

TEST_F(ShowPicTest, AQuotedPathIsShownUnquotedAnEmptyOneBeepsAndUnloadsAndABadPictureStopsSilently)
{
    settings.values[kPosition] = QStringLiteral("4500,4500");
    frmShowPic fresh(services());
    EXPECT_FALSE(fresh.showpicture(QString()));
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("4500,4500"));
    const QString path = writePicture(QSize(64, 48), QStringLiteral("with space.png"));
    ASSERT_TRUE(window().showpicture(QLatin1Char('"') + path + QLatin1Char('"')));
    EXPECT_EQ(window().picturePath(), path);
    EXPECT_EQ(window().geometry().size(), QSize(64, 48));
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    EXPECT_FALSE(window().showpicture(QString()));
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
    // Corrupt or missing pictures stop silently.
    const QString good = writePicture(QSize(120, 90));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString corrupt = writeBytes(QStringLiteral("corrupt.png"), file.readAll().left(40));
    const QString garbage = writeBytes(QStringLiteral("garbage.jpg"), QByteArray(500, '\x5a'));
    for (const QString& bad : { corrupt, garbage, QStringLiteral("/nonexistent/cover.jpg") }) {
        frmShowPic other(services());
        EXPECT_FALSE(other.showpicture(bad)) << bad.toStdString();
        EXPECT_TRUE(other.picture().isNull());
    }
    ASSERT_TRUE(window().showpicture(good));
    window().show();
    EXPECT_FALSE(window().showpicture(corrupt));
    EXPECT_TRUE(window().isVisible()) << "a window showing a picture keeps it";
    EXPECT_EQ(window().picturePath(), good);
    EXPECT_TRUE(desktop.messages.isEmpty());
    EXPECT_EQ(beeper.beeps, 2) << "no more beeps";
}

TEST_F(ShowPicTest, TheArtworkWindowIsMadeOnFirstUseAndAgainAfterADoubleClickOrAnEmptyPathUnloadedIt)
{
    EXPECT_EQ(artwork->loadedInstance(), nullptr);
    const QPointer<frmShowPic> first = &artwork->instance();
    EXPECT_EQ(artwork->loadedInstance(), first.data());
    ASSERT_TRUE(first->showpicture(writePicture(QSize(100, 80))));
    doubleClick(*first);
    EXPECT_EQ(artwork->loadedInstance(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(artwork->instance().picture().isNull()) << "a new window";
    // At shutdown no event loop is left to delete it later.
    const QPointer<frmShowPic> last = &artwork->instance();
    artwork->unloadInstance();
    EXPECT_TRUE(last.isNull());
}

TEST_F(ShowPicTest, RightClickOpensTheMenuWhoseEntriesToggleTheMarksCloseWithoutUnloadingCopyAndPrint)
{
    ASSERT_TRUE(window().showpicture(writePicture(QSize(80, 60))));
    window().show();
    QMenu* menu = window().findChild<QMenu*>(QStringLiteral("mnpopup"));
    const auto entry = [menu](int index) { return menu->actions().at(index); };
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    ctrlChord(Qt::Key_L);
    mouse(picture1(window()), QEvent::MouseButtonPress, QPointF(5, 5), Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(entry(1)->isChecked());
    EXPECT_FALSE(entry(0)->isChecked());
    menu->hide();
    entry(1)->trigger();
    EXPECT_FALSE(window().isLocked());
    entry(0)->trigger();
    ASSERT_TRUE(window().showpicture(writePicture(QSize(90, 90), QStringLiteral("next.png"))));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "the next picture keeps the band";
    entry(0)->trigger();
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible());
    ctrlChord(Qt::Key_Right);
    entry(4)->trigger();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_FALSE(settings.values.contains(kPosition)) << "closing stores nothing";
    window().show();
    EXPECT_EQ(window().geometryTwips().left(), 600 + kTwips) << "the window kept its place";
    // Copy and Print hand over the picture at its own size.
    QGuiApplication::clipboard()->clear();
    entry(2)->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(90, 90));
    EXPECT_EQ(copied.pixelColor(0, 0), kCornerColour);
    entry(3)->trigger();
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].picture.size(), QSize(90, 90));
    EXPECT_EQ(printer.jobs[0].sizeTwips, QSize(90 * kTwips, 90 * kTwips));
    EXPECT_TRUE(desktop.messages.isEmpty());
    printer.result = PicturePrinter::Result::NoPrinter;
    entry(3)->trigger();
    printer.result = PicturePrinter::Result::Failed;
    entry(3)->trigger();
    ASSERT_EQ(desktop.messages.size(), 2);
    EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("no default printer")));
    EXPECT_TRUE(desktop.messages[1].contains(QStringLiteral("could not be printed")));
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
        ModulePicturePrinter module(ModuleLoader::folders(QStringLiteral(BOLVIN_PROGRAM_DIR)));
        EXPECT_EQ(module.print(picture, QSize(150, 150)), PicturePrinter::Result::NoPrinter) << "the module loaded";
    }
}

class ShowPicInputTest : public ShowPicFixture
{
protected:
    void SetUp() override
    {
        settings.values[kPosition] = QStringLiteral("3000,1500"); // 200, 100 pixels
        ASSERT_TRUE(window().showpicture(writePicture(QSize(160, 120))));
    }
};

TEST_F(ShowPicInputTest, OnlyALeftDragMovesTheWindowWithTheGrabbedPoint)
{
    QLabel* label = picture1(window());
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::MiddleButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::MiddleButton);
    mouse(label, QEvent::MouseMove, QPointF(40, 40), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 100));
    mouse(label, QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    mouse(label, QEvent::MouseMove, QPointF(25, 18), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(215, 108));
    // The window followed, so the cursor is back over the grabbed point plus the new motion.
    mouse(label, QEvent::MouseMove, QPointF(7, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(3180, 1620));
    // A wide picture is first panned.
    ASSERT_TRUE(window().showpicture(writePicture(QSize(1400, 100), QStringLiteral("wide.png"))));
    ASSERT_EQ(window().pictureOffsetTwips().x(), -2820);
    drag(QPointF(500, 50), QPointF(510, 54));
    EXPECT_EQ(window().pictureOffsetTwips().x(), -2820 + 150);
    EXPECT_EQ(window().geometryTwips().topLeft(), QPoint(0, 1500 + 60));
    EXPECT_EQ(picture1(window())->geometry().left(), -178);
}

TEST_F(ShowPicInputTest, CtrlArrowsMoveOnePixelUnlessLockedCtrlTAndNChangeTheBandAndADoubleClickUnloadsAndStores)
{
    window().show();
    QSignalSpy unloaded(&window(), &frmShowPic::unloaded);
    press(Qt::Key_Right);
    ctrlChord(Qt::Key_Shift);
    for (int code : { Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up })
        ctrlChord(code);
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&window(), &plain);
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99)) << "one pixel a Ctrl+arrow, nothing plain";
    ctrlChord(Qt::Key_L);
    ASSERT_TRUE(window().isLocked());
    ctrlChord(Qt::Key_Right);
    drag(QPointF(10, 10), QPointF(60, 60));
    doubleClick(window());
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99)) << "locked";
    EXPECT_EQ(unloaded.count(), 0);
    ctrlChord(Qt::Key_U);
    ctrlChord(Qt::Key_T);
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ctrlChord(Qt::Key_N);
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window().isVisible()) << "changing the band does not hide the window";
    EXPECT_EQ(window().geometry().topLeft(), QPoint(200, 99));
    ctrlChord(Qt::Key_Right);
    doubleClick(window());
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(settings.values[kPosition], QStringLiteral("3015,1485")) << "moves again once unlocked";
}

// Held Ctrl+Right's steps from rest are checked on the X server's own auto-repeat
// (ShowPicDesktopTest); here, what else counts and what resets the count.
TEST_F(ShowPicInputTest, TheCtrlKeyDownCountsAndRepeatReleasesDoNotResetTheSpeed)
{
    press(Qt::Key_Control);
    for (int i = 0; i < 9; ++i)
        press(Qt::Key_Right, i > 0);
    EXPECT_EQ(window().geometry().left(), 200 + 19) << "counts 2 to 10: 1+1+2+2+2+2+3+3+3";
    release(Qt::Key_Right);
    // Unmarked releases sharing their time stamp with the press that follows are repeats too.
    const int left = window().geometry().left();
    press(Qt::Key_Control);
    ulong time = 1000;
    for (int i = 0; i < 8; ++i) {
        key(QEvent::KeyPress, Qt::Key_Right, false, time);
        time += 40;
        key(QEvent::KeyRelease, Qt::Key_Right, false, time);
    }
    key(QEvent::KeyPress, Qt::Key_Right, false, time);
    EXPECT_EQ(window().geometry().left(), left + 19);
    // A release at another time than the next press was the user's.
    key(QEvent::KeyRelease, Qt::Key_Right, false, time + 300);
    key(QEvent::KeyPress, Qt::Key_Right, false, time + 500);
    EXPECT_EQ(window().geometry().left(), left + 20);
}

namespace
{
constexpr int kScreenTwips = 15360; // 1024 pixels at 15 twips a pixel
// A picture 20000 twips wide: the window spans the screen, the picture 2320 off each edge.
constexpr AxisPlacement kCentred { 0, kScreenTwips, -2320, 20000 };
}

TEST(ShowPicDrag, AnOversizedPictureIsCentredAndPansUntilAnEdgeShowsThenMovesTheWindow)
{
    EXPECT_FALSE(fitAxis(600, kScreenTwips, kScreenTwips).oversized) << "exactly the screen's size fits";
    EXPECT_EQ(panOversizedAxis(kCentred, 100), (AxisPlacement { 0, kScreenTwips, -2220, 20000 }));
    EXPECT_EQ(panOversizedAxis(kCentred, 3000), (AxisPlacement { 3000, kScreenTwips, 0, 20000 }))
        << "the step that would pull the edge in sets it at 0 and moves the window by the whole step";
    AxisPlacement moved = kCentred;
    moved.windowPos = -500;
    EXPECT_EQ(panOversizedAxis(moved, 200), (AxisPlacement { -300, kScreenTwips, -2320, 20000 }))
        << "a window off the screen moves back before any panning";
    const AxisPlacement atRightEdge { 0, kScreenTwips, kScreenTwips - 20000, 20000 };
    EXPECT_EQ(panOversizedAxis(atRightEdge, -300), (AxisPlacement { -300, kScreenTwips, kScreenTwips - 20000, 20000 }));
    const AxisPlacement fitting { 9000, 2250, 0, 2250 };
    const Placement widthOnly = dragBy({ kCentred, fitting }, 100, -45, true, false);
    EXPECT_EQ(widthOnly.x.pictureOffset, -2220);
    EXPECT_EQ(widthOnly.y, (AxisPlacement { 8955, 2250, 0, 2250 })) << "the fitting axis moves plainly";
}
