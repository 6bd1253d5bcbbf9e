#pragma once

#include "OptionsLinks.h"

#include <QWidget>

#include <array>
#include <memory>

class NotificationPage;
class OptionGroup;
class PopUpMessage;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The pop-up engine's demonstration controls, below the visible part of the options window:
// enlarge the window to reach them. It shows sample pop-ups through the program's own
// collection, in the corner the Notification page names.
class DemoHarness : public QWidget
{
    Q_OBJECT
public:
    DemoHarness(const QString& resourceDir, PopUpsAccess popUps, const NotificationPage& notification,
        QWidget* parent = nullptr);

    // The sample pop-up "Show Default" brings; made once the collection is.
    void CreateDefaultPopUp();
    // Stops the timers and lets the sample pop-up go, for the unload.
    void unload();

private:
    void chkUseParent_Click();
    void chkAdd_Click();
    void AddSamplePopUp();
    void cmdShowDefault_Click();
    void tmrWorking_Timer();
    // Pop-ups start in the box below, or on the desktop at the work area's edge.
    void SetPopUpParent(bool usePictureBox);
    QString soundFile(const QString& name) const;
    // A logo file at the screen's density.
    QPixmap logoPicture(const QString& file) const;

    QString m_resourceDir;
    PopUpsAccess m_popUps;
    const NotificationPage& m_notification;
    std::shared_ptr<PopUpMessage> mobjDefaultPopUp;
    QFrame* picHolder;
    QLabel* BolvinLogo;
    OptionGroup* optLogo;
    std::array<QLabel*, 2> imgLogo;
    OptionGroup* optWav;
    QCheckBox* chkUseParent;
    QCheckBox* chkAdd;
    QPushButton* cmdShowDefault;
    QPushButton* cmdShow;
    QPushButton* Command1;
    QTimer* tmrAdd;
    QTimer* tmrWorking;
};
