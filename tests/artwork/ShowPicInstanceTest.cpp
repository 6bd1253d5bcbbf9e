// The program-wide window: made on first use, destroyed when unloaded, made again after.
#include "ShowPicFixture.h"

#include <QCoreApplication>
#include <QPointer>

class ShowPicInstanceTest : public ShowPicFixture
{
protected:
    void SetUp() override { frmShowPic::installServices(services()); }
    void TearDown() override
    {
        frmShowPic::unloadInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ShowPicInstanceTest, MadeOnFirstUseAndAgainAfterADoubleClickOrAnEmptyPathUnloadedIt)
{
    EXPECT_EQ(frmShowPic::loadedInstance(), nullptr);
    const QPointer<frmShowPic> first = &frmShowPic::instance();
    EXPECT_EQ(frmShowPic::loadedInstance(), first.data());
    ASSERT_TRUE(first->showpicture(writePicture(QSize(100, 80))));
    mouse(picture1(*first), QEvent::MouseButtonDblClick, QPointF(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(frmShowPic::loadedInstance(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(frmShowPic::instance().picture().isNull()) << "a new window";

    frmShowPic::instance().showpicture(QString());
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(frmShowPic::loadedInstance(), nullptr);

    // At shutdown no event loop is left to delete it later.
    const QPointer<frmShowPic> last = &frmShowPic::instance();
    frmShowPic::unloadInstance();
    EXPECT_TRUE(last.isNull());
}
