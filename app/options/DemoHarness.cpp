#include "DemoHarness.h"

#include "ControlNames.h"
#include "NotificationPage.h"
#include "OptionGroup.h"
#include "player/IgnoringErrors.h"
#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int kAddIntervalMs = 3000;
constexpr int kWorkingIntervalMs = 100;
constexpr QSize kHolderSize(300, 200);
constexpr auto kSampleVendor = "Acme Notifier";
constexpr int kProgressFull = 100;
constexpr quint32 kWhite = 0xFFFFFF;
}

QPixmap DemoHarness::logoPicture(const QString& file) const
{
    // At the screen's density: QIcon takes the "@2x" file beside it where the density asks for it.
    const QIcon logo(file);
    const QList<QSize> sizes = logo.availableSizes();
    if (sizes.isEmpty())
        return QPixmap();
    const QSize own = *std::min_element(
        sizes.begin(), sizes.end(), [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    return logo.pixmap(own, devicePixelRatioF());
}

DemoHarness::DemoHarness(
    const QString& resourceDir, PopUpsAccess popUps, const NotificationPage& notification, QWidget* parent)
    : QWidget(parent)
    , m_resourceDir(resourceDir)
    , m_popUps(std::move(popUps))
    , m_notification(notification)
    , optLogo(new OptionGroup(this))
    , optWav(new OptionGroup(this))
{
    const QDir logos(QDir(resourceDir).filePath(QStringLiteral("logos")));
    picHolder = new QFrame(this);
    picHolder->setFrameShape(QFrame::Box);
    picHolder->setMinimumSize(kHolderSize);
    BolvinLogo = new QLabel(this);
    BolvinLogo->setPixmap(logoPicture(logos.filePath(QStringLiteral("logo1.png"))));

    auto* fraLogos = new QGroupBox(QStringLiteral("Logos"), this);
    auto* logosLayout = new QGridLayout(fraLogos);
    for (int i = 0; i < 2; ++i) {
        logosLayout->addWidget(optLogo->add(i == 0 ? QStringLiteral("One") : QStringLiteral("Two"), fraLogos), i, 0);
        imgLogo[i] = new QLabel(fraLogos);
        imgLogo[i]->setPixmap(logoPicture(logos.filePath(QStringLiteral("logo%1.png").arg(i))));
        logosLayout->addWidget(imgLogo[i], i, 1);
    }
    optLogo->setValue(0, true);

    auto* fraWavs = new QGroupBox(QStringLiteral("607.5"), this);
    auto* wavsLayout = new QVBoxLayout(fraWavs);
    for (const char* caption : { "Typing", "Email", "Online" })
        wavsLayout->addWidget(optWav->add(QString::fromLatin1(caption), fraWavs));
    optWav->setValue(0, true);

    chkUseParent = new QCheckBox(QStringLiteral("Use PictureBox"), this);
    chkAdd = new QCheckBox(QStringLiteral("Auto Add"), this);
    cmdShowDefault = new QPushButton(QStringLiteral("Show Default"), this);
    cmdShow = new QPushButton(QStringLiteral("Show PopUp"), this);
    Command1 = new QPushButton(QStringLiteral("Command1"), this);

    tmrAdd = new QTimer(this);
    tmrAdd->setInterval(kAddIntervalMs);
    tmrWorking = new QTimer(this);
    tmrWorking->setInterval(kWorkingIntervalMs);

    auto* controls = new QVBoxLayout;
    controls->addWidget(fraLogos);
    controls->addWidget(fraWavs);
    controls->addWidget(chkUseParent);
    controls->addWidget(chkAdd);
    controls->addWidget(cmdShowDefault);
    controls->addWidget(cmdShow);
    controls->addWidget(Command1);
    controls->addWidget(BolvinLogo);
    controls->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picHolder, 1);
    layout->addLayout(controls);

    nameControls(
        { { picHolder, "picHolder" }, { BolvinLogo, "BolvinLogo" }, { optLogo, "optLogo" }, { optWav, "optWav" },
            { chkUseParent, "chkUseParent" }, { chkAdd, "chkAdd" }, { cmdShowDefault, "cmdShowDefault" },
            { cmdShow, "cmdShow" }, { Command1, "Command1" }, { tmrAdd, "tmrAdd" }, { tmrWorking, "tmrWorking" } });
    connect(chkUseParent, &QCheckBox::toggled, this, &DemoHarness::chkUseParent_Click);
    connect(chkAdd, &QCheckBox::toggled, this, &DemoHarness::chkAdd_Click);
    connect(tmrAdd, &QTimer::timeout, this, &DemoHarness::AddSamplePopUp);
    connect(cmdShowDefault, &QPushButton::clicked, this, &DemoHarness::cmdShowDefault_Click);
    connect(tmrWorking, &QTimer::timeout, this, &DemoHarness::tmrWorking_Timer);
}

void DemoHarness::unload()
{
    tmrAdd->stop();
    tmrWorking->stop();
    mobjDefaultPopUp.reset();
}

QString DemoHarness::soundFile(const QString& name) const
{
    return QDir(m_resourceDir).filePath(QStringLiteral("sounds/") + name);
}

void DemoHarness::CreateDefaultPopUp()
{
    auto popUp = std::make_shared<PopUpMessage>();
    popUp->setBackground(m_notification.background(1));
    popUp->setForeColor(kWhite);
    popUp->setLogo(imgLogo[1]->pixmap());
    popUp->setWavFile(soundFile(QStringLiteral("newemail.wav")));
    popUp->setCaption(QStringLiteral("New Email"));
    popUp->setMessage(QStringLiteral("You have received\r\n4 new emails.\r\nDownloading..."));
    popUp->setClickable(true);
    popUp->setProgressBar(true);
    mobjDefaultPopUp = popUp;
}

void DemoHarness::AddSamplePopUp()
{
    PopUpMessages* popUps = m_popUps();
    if (!popUps)
        return;
    auto popUp = std::make_shared<PopUpMessage>();
    popUp->setCaption(QString::fromLatin1(kSampleVendor));
    popUp->setMessage(QStringLiteral("I am a doctor, it is \r\nnecrotising fasciitis says:\r\n'Woof...'"));
    popUp->setClickable(false);
    popUp->setLogo(imgLogo[optLogo->value(0) ? 0 : 1]->pixmap());
    const std::array<const char*, 3> sounds { "type.wav", "newemail.wav", "online.wav" };
    const int wav = optWav->selectedIndex();
    if (wav >= 0)
        popUp->setWavFile(soundFile(QString::fromLatin1(sounds[wav])));
    popUps->Show(popUp);
}

void DemoHarness::chkUseParent_Click()
{
    SetPopUpParent(chkUseParent->isChecked());
}

void DemoHarness::SetPopUpParent(bool usePictureBox)
{
    PopUpMessages* popUps = m_popUps();
    if (!popUps)
        return;
    popUps->setParentHandle(usePictureBox ? picHolder : nullptr);
    popUps->placeInCorner(m_notification.topEdge(), m_notification.leftEdge());
}

void DemoHarness::chkAdd_Click()
{
    if (chkAdd->isChecked())
        tmrAdd->start();
    else
        tmrAdd->stop();
}

void DemoHarness::cmdShowDefault_Click()
{
    PopUpMessages* popUps = m_popUps();
    if (!popUps || !mobjDefaultPopUp)
        return;
    popUps->Show(mobjDefaultPopUp);
    tmrWorking->start();
}

void DemoHarness::tmrWorking_Timer()
{
    ignoringErrors([this] {
        if (!mobjDefaultPopUp) {
            tmrWorking->stop();
            return;
        }
        PopUpMessage& popUp = *mobjDefaultPopUp;
        if (popUp.Value() == kProgressFull)
            popUp.setValue(1);
        popUp.setValue(popUp.Value() + 1);
        if (popUp.Value() == kProgressFull || !popUp.Visible())
            tmrWorking->stop();
    });
}
