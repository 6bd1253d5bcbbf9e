#include "platform/screen/CompositingManager.h"
#include "popup/PopUpFrame.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"
#include "popup/frmPopUpMessage.h"

#include <gtest/gtest.h>

#include "FakeFontSource.h"
#include "XServerView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using PopUps = std::vector<std::shared_ptr<PopUpMessage>>;

// A track's title pop-up as the program fills it: five lines, the fourth empty.
std::shared_ptr<PopUpMessage> titlePopUp(const QString& name)
{
    auto popUp = std::make_shared<PopUpMessage>();
    popUp->setCaption(QStringLiteral("Bolvin"));
    popUp->setBackColor(0xE0FFFF);
    popUp->setMessage(name + QStringLiteral("\r\nThe Artist\r\nAn Album\r\n\r\n★★★★☆"));
    return popUp;
}

class OnXServer : public testing::Test
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        fonts.font.setPointSize(14);
        fonts.font.setBold(true);
        popups.setFontSource(&fonts);
        popups.setMovementIndex(50);
        popups.setScrollDelay(10);
        popups.setShowDelay(60000);
    }
    // Shows the pop-ups, runs them fully out and lets the server catch up.
    void showAll(const PopUps& shown)
    {
        for (const auto& popUp : shown)
            popups.Show(popUp);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return std::ranges::all_of(shown, [](auto& p) { return p->Percent() == 100; }); }, 10000));
        QGuiApplication::sync();
        QTest::qWait(100);
    }

    FakeFontSource fonts;
    PopUpMessages popups { PopUpServices::system(), 3000, 1200 }; // 200 × 80 pixels at 96 dpi
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
};

// A five-line title at 14 point bold first, two plain pop-ups after it: each takes its own room.
TEST_F(OnXServer, EveryDirectionAndCornerStacksFlushWithItsEdgeWithoutOverlapShowingEveryTitleLine)
{
    const QString title = QStringLiteral("A Title Far Too Long For Any Pop-Up Of This Width To Show Whole");
    const char* const names[] = { "up", "down", "left", "right", "bottomleft" };
    for (int combo = 0; combo < 5 * 4; ++combo) {
        const int direction = combo / 4;
        const bool top = combo & 2;
        const bool left = combo & 1;
        const QString name = QStringLiteral("popups-%1-%2-%3")
                                 .arg(QLatin1String(names[direction]), top ? "top" : "bottom", left ? "left" : "right");
        SCOPED_TRACE(name.toStdString());
        popups.setPopUpDirection(direction);
        popups.placeInCorner(top, left);
        const PopUps shown { titlePopUp(title), std::make_shared<PopUpMessage>(), std::make_shared<PopUpMessage>() };
        showAll(shown);
        std::vector<QRect> rects;
        for (const auto& popUp : shown)
            rects.push_back(serverGeometry(*popUp->WindowHandle()));
        const QRect& first = rects.front();
        const int edge[] = { first.bottom() - work.bottom(), first.top() - work.top(), first.right() - work.right(),
            first.left() - work.left(), first.right() - work.right() };
        EXPECT_EQ(edge[direction], 0) << "flush with the edge it comes from";
        EXPECT_GT(first.height(), 80) << "the title grown beyond the configured height";
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const QRect& r = rects[i];
            const int corner = direction <= 1
                ? (left ? r.left() - work.left() : r.right() - work.right())
                : (top && direction != 4 ? r.top() - work.top() : r.bottom() - work.bottom());
            EXPECT_EQ(corner, 0) << "pop-up " << i << ": in its corner";
            EXPECT_TRUE(work.contains(r)) << "pop-up " << i;
            EXPECT_GE(r.height(), 80);
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(r.intersects(rects[j])) << i << " over " << j;
        }
        if (top != left || direction == 4)
            screenshot(name);
        // Every line inside the window: the label holds all of them and the window all of it.
        const frmPopUpMessage* form = shown[0]->window();
        const QLabel* message = form->lblMessage();
        const QRect label(message->mapTo(form, QPoint(0, 0)), message->size());
        EXPECT_TRUE(form->rect().contains(label)) << "label " << label.y() << "+" << label.height();
        EXPECT_GE(label.height(), message->sizeHint().height());
        const QStringList lines = message->text().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 5);
        EXPECT_TRUE(lines[0].endsWith(QChar(0x2026)) && title.startsWith(lines[0].chopped(1)))
            << lines[0].toStdString();
        EXPECT_EQ(lines[1], QStringLiteral("The Artist"));
        for (const QString& line : lines)
            EXPECT_LE(message->fontMetrics().horizontalAdvance(line), label.width()) << line.toStdString();
        for (const auto& popUp : shown)
            popUp->UnloadWindow();
    }
}

TEST_F(OnXServer, HostedPopUpsStackInsideTheirParentWindow)
{
    QWidget host;
    host.setGeometry(100, 100, 640, 400);
    host.show();
    popups.setParentHandle(&host);
    for (int direction = 0; direction <= 4; ++direction) {
        popups.setPopUpDirection(direction);
        popups.placeInCorner(false, false);
        const PopUps shown { std::make_shared<PopUpMessage>(), std::make_shared<PopUpMessage>() };
        showAll(shown);
        for (int i = 0; i < 2; ++i) {
            const QWidget* window = shown[std::size_t(i)]->WindowHandle();
            // From the bottom right corner of the host.
            const QPoint expected = direction <= 1 ? QPoint(440, direction == 0 ? 320 - 80 * i : 80 * i)
                                                   : QPoint(direction == 3 ? 200 * i : 440 - 200 * i, 320);
            EXPECT_EQ(window->parentWidget(), &host);
            EXPECT_EQ(window->geometry(), QRect(expected, QSize(200, 80))) << direction << " pop-up " << i;
            EXPECT_EQ(window->mapToGlobal(QPoint(0, 0)), host.mapToGlobal(expected)) << direction << " pop-up " << i;
        }
        for (const auto& popUp : shown)
            popUp->UnloadWindow();
    }
}

// Covers as the program hands them over: unstretched, their "height,width" as the caption.
TEST_F(OnXServer, ACoverShapesItsPopUpInTheStacksCornerAndFillsItSmoothlyScaled)
{
    // One-pixel red and blue stripes: scaled smoothly they blend, scaled roughly they stay pure.
    QImage stripes(800, 400, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        stripes.setPixelColor(x, 0, x % 2 ? Qt::red : Qt::blue);
    for (const QSize cover : { QSize(800, 400), QSize(200, 400) }) {
        auto art = std::make_shared<PopUpMessage>();
        art->setNoBkStretch(true);
        art->setCaption(QStringLiteral("%1,%2").arg(cover.height()).arg(cover.width()));
        art->setMessage(QStringLiteral("     \r\n     \r\n      \r\n"));
        art->setBackColor(0x00FF00);
        art->setBackground(QPixmap::fromImage(stripes.copy(0, 0, cover.width(), 1).scaled(cover)));
        popups.placeInCorner(false, false);
        const PopUps shown { art, titlePopUp(QStringLiteral("Title")) };
        showAll(shown);
        const QRect r = serverGeometry(*art->WindowHandle());
        EXPECT_EQ(r.size(), cover.scaled(200, 80, Qt::KeepAspectRatio)) << "the cover's shape in the configured size";
        EXPECT_EQ(r.right(), work.right()) << "in the stack's corner";
        const QImage shot = screenshot(QStringLiteral("cover-%1x%2").arg(cover.width()).arg(cover.height()));
        // Inside the frame every pixel is cover, blended: no bars and no blocky scaling.
        for (int x = r.left() + 1; x < r.right(); ++x) {
            const QColor seen = shot.pixelColor(x, r.center().y());
            EXPECT_TRUE(seen.red() > 60 && seen.blue() > 60 && seen.green() < 40) << x - r.left();
        }
        EXPECT_EQ(art->window()->lblMessage()->text().trimmed(), QString()) << "blank lines stay blank";
        for (const auto& popUp : shown)
            popUp->UnloadWindow();
    }
}

// Over a red window: with no compositing manager a plain rectangle edged in the palette's mid
// colour; under xcompmgr rounded corners the red shows through, the same edge, and fading.
TEST_F(OnXServer, TheFrameIsAMidColouredRectangleOrUnderACompositingManagerRoundedAndStillFading)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xcompmgr")).isEmpty()) << "scripts/install-deps.sh";
    const QRgb mid = QGuiApplication::palette().color(QPalette::Mid).rgb();
    QWidget backdrop;
    backdrop.setPalette(QPalette(Qt::red));
    backdrop.setAutoFillBackground(true);
    backdrop.setGeometry(work.right() - 300, work.bottom() - 200, 300, 200);
    backdrop.show();
    popups.placeInCorner(false, false);
    for (const bool composited : { false, true }) {
        QProcess compositor;
        if (composited)
            compositor.start(QStringLiteral("xcompmgr"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return IsCompositingManagerRunning() == composited; }, 5000));
        const PopUps shown { titlePopUp(QStringLiteral("Framed")) };
        showAll(shown);
        const frmPopUpMessage& form = *shown[0]->window();
        const int margin = form.frame()->shadowMargin();
        EXPECT_EQ(margin > 0, composited);
        const QRect card = serverGeometry(form).adjusted(margin, margin, -margin, -margin);
        const auto seen
            = [&](QPoint at) { return screenshot(composited ? "frame-composited" : "frame-plain").pixelColor(at); };
        const QColor corner = seen(card.topLeft());
        EXPECT_TRUE(composited ? corner.red() > 150 && corner.green() < 60 : corner.rgb() == mid)
            << corner.name().toStdString();
        EXPECT_EQ(seen({ card.center().x(), card.top() }).rgb(), mid) << "the edge";
        popups.setScrollDelay(600000); // held half faded, not retracting
        shown[0]->setPercent(50);
        shown[0]->ApplyFade();
        QTest::qWait(200);
        const QColor faded = seen({ card.left() + 3, card.center().y() });
        EXPECT_EQ(faded.green() < 200, composited) << "half the red behind " << faded.name().toStdString();
        shown[0]->UnloadWindow();
        popups.setScrollDelay(10);
        compositor.terminate();
        compositor.waitForFinished(5000);
    }
}
