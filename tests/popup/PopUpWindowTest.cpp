#include "PopUpRig.h"

#include "popup/CloseButtonPictures.h"
#include "popup/PopUpFontSource.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

namespace {

constexpr double kTwipsPerPixel = 15.0;

class FixedFont : public PopUpFontSource {
public:
    QFont font;
    QFont messageFont() const override { return font; }
};

class PopUpWindow : public PopUpRig {
protected:
    QRect twips(const QWidget* control) const { return form->twipsRect(control); }

    FixedFont fonts;
    std::unique_ptr<frmPopUpMessage> form = std::make_unique<frmPopUpMessage>(kTwipsPerPixel, kTwipsPerPixel, &fonts);
};

TEST_F(PopUpWindow, LaysOutTheWorkedExampleInTheChosenFont)
{
    fonts.font = QFont(QStringLiteral("Serif"), 14);
    fonts.font.setBold(true);
    form->ResizeControls(1800, 4500, false);
    const int captionHeight = twips(form->lblCaption()).height();
    const int borderTop = 120 + captionHeight;

    EXPECT_EQ(twips(form->picHolder()), QRect(0, 0, 4500, 1800));
    EXPECT_EQ(twips(form->imgBackground()), QRect(0, 0, 4500, 1800));
    EXPECT_EQ(twips(form->imgClose()).topLeft(), QPoint(4500 - 60 - 240, 60));
    EXPECT_EQ(twips(form->shpBorder()), QRect(30, borderTop, 4440, 1800 - borderTop - 30));
    const QRect bar = twips(form->prgBar());
    EXPECT_EQ(bar, QRect(90, 1770 - 60 - bar.height(), 4320, bar.height()));
    EXPECT_EQ(twips(form->lblCaption()).topLeft(), QPoint(60, (borderTop - captionHeight) / 2));
    const QRect message = twips(form->lblMessage());
    EXPECT_EQ(message.x(), 130);
    EXPECT_EQ(message.width(), 4240);
    EXPECT_EQ(message.y(), borderTop + (1770 - borderTop - message.height()) / 2);
    EXPECT_EQ(form->shpBorder()->geometry(), QRect(2, borderTop / 15, 296, (1770 - borderTop) / 15))
        << "pixels follow the twips";
    EXPECT_EQ(form->lblMessage()->font().pointSize(), 14);
    EXPECT_TRUE(form->lblMessage()->font().bold());

    // A shown progress bar: the message is centred in the room above it.
    form->prgBar()->setProperty("tag", QStringLiteral("true"));
    form->ResizeControls(1800, 4500, false);
    const QRect border = twips(form->shpBorder());
    const int reserve = twips(form->prgBar()).height() + 120;
    const QRect above = twips(form->lblMessage());
    EXPECT_EQ(above.y(), border.y() + (border.height() - reserve - above.height()) / 2);
}

TEST_F(PopUpWindow, SizeCaptionsKeepTheBackgroundAspectAndALogoMovesTheCaption)
{
    form->lblCaption()->setText(QStringLiteral("300,400"));
    form->ResizeControls(1800, 4500, true);
    EXPECT_EQ(twips(form->imgBackground()), QRect(1050, 0, 2400, 1800));
    EXPECT_TRUE(form->lblCaption()->text().isEmpty());
    form->lblCaption()->setText(QStringLiteral("200,400"));
    form->ResizeControls(2000, 2000, true);
    EXPECT_EQ(twips(form->imgBackground()), QRect(0, 500, 2000, 1000)) << "a wide cover shows whole";
    EXPECT_EQ(twips(form->lblCaption()).x(), 60);

    // A malformed size caption ends the layout there: later controls stay.
    const QRect border = twips(form->shpBorder());
    for (const char* caption : { "nonsense", "0,400", "300;400" }) {
        form->lblCaption()->setText(QString::fromLatin1(caption));
        form->ResizeControls(3000, 6000, true);
        EXPECT_EQ(twips(form->picHolder()), QRect(0, 0, 6000, 3000)) << caption;
        EXPECT_EQ(twips(form->shpBorder()), border) << caption;
    }

    QPixmap logo(60, 40); // 900 × 600 twips
    logo.fill(Qt::red);
    form->setLogoPicture(logo);
    form->ResizeControls(1800, 4500, false);
    EXPECT_EQ(twips(form->imgLogo()), QRect(60, 60, 900, 600));
    EXPECT_EQ(twips(form->lblCaption()).x(), 1020);
    EXPECT_EQ(twips(form->shpBorder()).y(), 120 + 600);
}

TEST_F(PopUpWindow, DocksTheContentToTheMovingEdge)
{
    const struct {
        int direction;
        QSize window;
        QPoint holder;
    } cases[] = {
        { 0, { 300, 40 }, { 0, 0 } },
        { 1, { 300, 40 }, { 0, 40 - 120 } },
        { 2, { 100, 120 }, { 0, 0 } },
        { 3, { 100, 120 }, { 100 - 300, 0 } },
        { 4, { 100, 120 }, { 0, 0 } },
    };
    for (const auto& c : cases) {
        frmPopUpMessage window(kTwipsPerPixel, kTwipsPerPixel);
        window.ResizeControls(1800, 4500, false);
        window.setDirection(c.direction);
        window.AlignHolder();
        window.show();
        window.resize(c.window);
        EXPECT_EQ(window.picHolder()->pos(), c.holder) << "direction " << c.direction;
        EXPECT_EQ(window.picHolder()->size(), QSize(300, 120));
    }
}

TEST_F(PopUpWindow, CloseButtonShowsItsPressedPictureAndClosesOnceOnAClick)
{
    QSignalSpy closing(form.get(), &frmPopUpMessage::Closing);
    QWidget* button = form->imgClose();
    EXPECT_NE(form->imgUp()->pixmap().toImage(), form->imgDown()->pixmap().toImage());
    for (const qreal ratio : { 1.0, 1.5, 2.0 }) {
        const QPixmap up = CloseButtonUpPicture(ratio);
        EXPECT_EQ(up.size(), QSize(16, 16) * ratio) << "drawn for the screen's density, not blown up";
        EXPECT_EQ(up.deviceIndependentSize(), QSizeF(16, 16));
        EXPECT_NE(up.toImage(), CloseButtonDownPicture(ratio).toImage());
    }
    sendMouse(button, QEvent::MouseButtonPress, { 3, 3 }, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form->imgClose()->pixmap().toImage(), form->imgDown()->pixmap().toImage());
    sendMouse(button, QEvent::MouseButtonRelease, { 40, 40 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form->imgClose()->pixmap().toImage(), form->imgUp()->pixmap().toImage());
    EXPECT_EQ(closing.count(), 0) << "released off the button: no click";

    click(button);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(form->IsUnloaded());
    form->Unload();
    form->close();
    EXPECT_EQ(closing.count(), 1) << "Closing is raised once";

    frmPopUpMessage closed(kTwipsPerPixel, kTwipsPerPixel);
    QSignalSpy closedClosing(&closed, &frmPopUpMessage::Closing);
    closed.show();
    closed.close();
    EXPECT_EQ(closedClosing.count(), 1) << "closing the window unloads it";
}

TEST_F(PopUpWindow, ClicksBecomeTheirEvents)
{
    form->ResizeControls(1800, 4500, false);
    QSignalSpy grace(form.get(), &frmPopUpMessage::CloseGraceFully);
    QSignalSpy clicked(form.get(), &frmPopUpMessage::Click);
    QSignalSpy closing(form.get(), &frmPopUpMessage::Closing);

    click(form->lblCaption());
    click(form->imgLogo());
    click(form->prgBar());
    EXPECT_EQ(grace.count() + clicked.count() + closing.count(), 0) << "caption, logo and bar do nothing";

    click(form->picHolder());
    click(form->imgBackground());
    EXPECT_EQ(grace.count(), 2);
    click(form->lblMessage());
    sendMouse(form->lblMessage(), QEvent::MouseButtonPress, { 2, 2 }, Qt::RightButton, Qt::RightButton);
    sendMouse(form->lblMessage(), QEvent::MouseButtonRelease, { 2, 2 }, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(clicked.count(), 1) << "only the left button clicks";
    EXPECT_EQ(closing.count(), 0);

    sendMouse(form.get(), QEvent::MouseButtonPress, { 1, 1 }, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(closing.count(), 1) << "a press outside the holder closes";
}

TEST_F(PopUpWindow, DraggingWithTheLeftButtonDetachesAndMovesTheWindow)
{
    form->ResizeControls(1800, 4500, false);
    form->setGeometry(200, 100, 300, 120);
    form->show();
    QSignalSpy clicked(form.get(), &frmPopUpMessage::Click);
    QWidget* message = form->lblMessage();

    sendMouse(message, QEvent::MouseButtonPress, { 5, 5 }, Qt::RightButton, Qt::RightButton);
    sendMouse(message, QEvent::MouseMove, { 60, 5 }, Qt::NoButton, Qt::RightButton);
    sendMouse(message, QEvent::MouseButtonRelease, { 60, 5 }, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(form->Disconnected()) << "the right button does not drag";

    sendMouse(message, QEvent::MouseButtonPress, { 5, 5 }, Qt::LeftButton, Qt::LeftButton);
    sendMouse(message, QEvent::MouseMove, { 6, 5 }, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(form->Disconnected()) << "a jitter is still a click";
    sendMouse(message, QEvent::MouseMove, { 45, 25 }, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(form->Disconnected());
    const QPoint before = form->pos();
    sendMouse(message, QEvent::MouseMove, { 45 + 30, 25 + 10 }, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form->pos(), before + QPoint(30, 10));
    sendMouse(message, QEvent::MouseButtonRelease, { 75, 35 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicked.count(), 0) << "a drag is not a click";
}

}
