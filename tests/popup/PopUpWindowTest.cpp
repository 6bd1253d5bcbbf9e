#include "PopUpRig.h"

#include "popup/CloseButtonPictures.h"

#include "FakeFontSource.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

class PopUpWindow : public PopUpRig
{
protected:
    QRect twips(const QWidget* control) const { return form->twipsRect(control); }

    FakeFontSource fonts;
    std::unique_ptr<frmPopUpMessage> form = std::make_unique<frmPopUpMessage>(15.0, 15.0, &fonts);
};

TEST_F(PopUpWindow, CentresTheMessageInsideTheBorderInTheChosenFont)
{
    fonts.font = QFont(QStringLiteral("Serif"), 14);
    fonts.font.setBold(true);
    form->ResizeControls(1800, 4500, false);
    const QRect border = twips(form->shpBorder());
    const QRect message = twips(form->lblMessage());
    EXPECT_EQ(twips(form->picHolder()), QRect(0, 0, 4500, 1800));
    EXPECT_EQ(twips(form->imgBackground()), QRect(0, 0, 4500, 1800));
    // The spacing follows the font; the layout is symmetric around it.
    const QRect close = twips(form->imgClose());
    EXPECT_GT(close.y(), 0);
    EXPECT_NEAR(close.center().y(), twips(form->lblCaption()).center().y(), 1)
        << "the close button level with the caption";
    EXPECT_EQ(border.x() + border.width() + border.x(), 4500);
    EXPECT_EQ(border.y() + border.height() + border.x(), 1800);
    EXPECT_GT(border.y(), twips(form->lblCaption()).bottom()) << "the caption above the border";
    EXPECT_NEAR(message.center().x(), border.center().x(), 1);
    EXPECT_LT(message.width(), border.width());
    EXPECT_EQ(message.y(), border.y() + (border.height() - message.height()) / 2);
    EXPECT_EQ(form->lblMessage()->font().pointSize(), 14);
    EXPECT_TRUE(form->lblMessage()->font().bold());
    // A shown progress bar: the message is centred in the room above it.
    form->prgBar()->setProperty("tag", QStringLiteral("true"));
    form->ResizeControls(1800, 4500, false);
    const QRect bar = twips(form->prgBar());
    const QRect above = twips(form->lblMessage());
    EXPECT_EQ(border.y() + border.height() - bar.y() - bar.height(), bar.x() - border.x());
    EXPECT_LT(above.y() + above.height(), bar.y()) << "the message above the bar";
    EXPECT_LT(above.y(), message.y());
}

TEST_F(PopUpWindow, SizeCaptionsKeepTheBackgroundAspectAndALogoMovesTheCaption)
{
    // A cover's "height,width" caption: shown whole in its aspect, centred, and no caption.
    form->lblCaption()->setText(QStringLiteral("200,400"));
    form->ResizeControls(2000, 2000, true);
    EXPECT_EQ(twips(form->imgBackground()), QRect(0, 500, 2000, 1000)) << "a wide cover shows whole";
    EXPECT_TRUE(form->lblCaption()->text().isEmpty());
    QPixmap logo(60, 40); // 900 × 600 twips
    logo.fill(Qt::red);
    form->setLogoPicture(logo);
    form->ResizeControls(1800, 4500, false);
    const int inset = 4500 - twips(form->imgClose()).right() - 1;
    EXPECT_EQ(twips(form->imgLogo()), QRect(inset, inset, 900, 600));
    EXPECT_EQ(twips(form->lblCaption()).x(), 900 + 2 * inset);
    EXPECT_GE(twips(form->shpBorder()).y(), inset + 600) << "the border below the logo";
}

TEST_F(PopUpWindow, CloseButtonShowsItsPressedPictureAndClosesOnceOnAClick)
{
    for (const qreal ratio : { 1.0, 1.5, 2.0 }) {
        const QPixmap up = CloseButtonUpPicture(ratio);
        EXPECT_EQ(up.size(), QSize(16, 16) * ratio) << "drawn for the screen's density, not blown up";
        EXPECT_EQ(up.deviceIndependentSize(), QSizeF(16, 16));
        EXPECT_NE(up.toImage(), CloseButtonDownPicture(ratio).toImage());
    }
    QSignalSpy closing(form.get(), &frmPopUpMessage::Closing);
    QLabel* button = form->imgClose();
    sendMouse(button, QEvent::MouseButtonPress, { 3, 3 }, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(button->pixmap().toImage(), form->imgDown()->pixmap().toImage());
    sendMouse(button, QEvent::MouseButtonRelease, { 40, 40 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(button->pixmap().toImage(), form->imgUp()->pixmap().toImage());
    EXPECT_EQ(closing.count(), 0) << "released off the button: no click";
    click(button);
    EXPECT_TRUE(form->IsUnloaded());
    form->Unload();
    form->close();
    EXPECT_EQ(closing.count(), 1) << "Closing is raised once";
    frmPopUpMessage closed(15.0, 15.0);
    QSignalSpy closedClosing(&closed, &frmPopUpMessage::Closing);
    closed.show();
    closed.close();
    EXPECT_EQ(closedClosing.count(), 1) << "closing the window unloads it";
}

using PopUpMessageTest = PopUpRig;

TEST_F(PopUpMessageTest, CreatesAHiddenWindowCollapsedAtTheAnchorThatItsFirstPlacementShowsOnTopWithoutActivating)
{
    auto popUp = makePopUp();
    popUp->setForeColor(0x0000FF); // red as 0x00BBGGRR
    popUp->setBackColor(0x00FF00);
    popUp->setClickable(true);
    popUp->setProgressBar(true);
    popUp->setValue(40);
    popups->setXPos(3000);
    popups->setYPos(9000);
    popUp->CreateWindow(*popups);
    frmPopUpMessage* form = popUp->window();
    EXPECT_FALSE(form->isVisible()) << "the first placement shows it";
    EXPECT_EQ(form->geometry(), QRect(200, 600, 300, 0));
    EXPECT_EQ(form->lblMessage()->text(), QStringLiteral("Message"));
    EXPECT_EQ(form->lblMessage()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(Qt::green));
    EXPECT_EQ(form->prgBar()->value(), 0) << "a value from before Show stays behind";
    popUp->setValue(55);
    EXPECT_EQ(form->prgBar()->value(), 55);
    popUp->PlaceWindow(1500, 3000, 4500, 900);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isActiveWindow());
    EXPECT_EQ(form->geometry(), QRect(100, 200, 300, 60));
    popUp->PlaceWindow(1500, 2700, 4500, 1200);
    EXPECT_EQ(stacking.raised, QList<QWidget*> { form }) << "only the first placement raises";
    EXPECT_EQ(form->geometry(), QRect(100, 180, 300, 80));
}

TEST_F(PopUpMessageTest, OnlyClickablePopUpsReportClicksAnywhereButTheCloseButtonAndAllRetract)
{
    QSignalSpy clicked(popups.get(), &PopUpMessages::PopupMessageClicked);
    const PopUps shown { makePopUp(), makePopUp() };
    shown[1]->setClickable(true);
    for (const auto& popUp : shown)
        popups->Show(popUp);
    click(shown[0]->window()->lblMessage());
    click(shown[0]->window()->lblCaption());
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(shown[0]->CloseRequested());
    EXPECT_TRUE(shown[0]->Visible()) << "retracting is the scheduler's job";
    frmPopUpMessage* form = shown[1]->window();
    click(form->lblMessage(), Qt::RightButton);
    EXPECT_EQ(clicked.count(), 0) << "only the left button clicks";
    for (QWidget* part :
        std::initializer_list<QWidget*> { form->lblMessage(), form->imgBackground(), form->lblCaption() })
        click(part);
    ASSERT_EQ(clicked.count(), 3);
    EXPECT_EQ(clicked.front().front().value<PopUpMessage*>(), shown[1].get());
    EXPECT_TRUE(shown[1]->CloseRequested());
    click(form->imgClose());
    EXPECT_EQ(clicked.count(), 3);
}

TEST_F(PopUpMessageTest, TheCloseButtonRemovesAtOnceTheOneBehindClosesTheGapAndACollectionTakesItsWindowsAlong)
{
    popups->setMovementIndex(100);
    const auto shown = showMany(2);
    ticks();
    EXPECT_EQ(shown[1]->window()->y(), 800 - 240);
    click(shown[0]->window()->imgClose());
    EXPECT_FALSE(shown[0]->Visible());
    EXPECT_EQ(popups->Item(1), shown[1]);
    ticks();
    EXPECT_EQ(shown[1]->window()->y(), 800 - 120) << "on the next tick";
    click(shown[1]->window()->imgClose());
    EXPECT_EQ(popups->Count(), 0);
    EXPECT_FALSE(popups->IsSchedulerRunning()) << "an empty collection stops the scheduler";
    // A collection going away takes the windows along.
    auto kept = showMany(1).front();
    QPointer<QWidget> window = kept->WindowHandle();
    popups.reset();
    EXPECT_FALSE(kept->Visible());
    auto orphan = makePopUp();
    PopUpMessages other(services(), 4500, 1800);
    other.Show(orphan);
    QPointer<QWidget> orphanWindow = orphan->WindowHandle();
    other.RemovePopUp(*orphan);
    orphan.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(orphanWindow.isNull()) << "a pop-up destroyed with a window unloads it";
}
