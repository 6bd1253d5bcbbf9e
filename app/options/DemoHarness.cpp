#include "DemoHarness.h"

#include "OptionGroup.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
constexpr int kAddIntervalMs = 3000;
constexpr int kWorkingIntervalMs = 100;
constexpr QSize kHolderSize(300, 200);
}

DemoHarness::DemoHarness(const QString& logoDir, QWidget* parent)
    : QWidget(parent)
    , optLogo(new OptionGroup(this))
    , optWav(new OptionGroup(this))
{
    const QDir logos(logoDir);
    picHolder = new QFrame(this);
    picHolder->setObjectName(QStringLiteral("picHolder"));
    picHolder->setFrameShape(QFrame::Box);
    picHolder->setMinimumSize(kHolderSize);
    BolvinLogo = new QLabel(this);
    BolvinLogo->setPixmap(QPixmap(logos.filePath(QStringLiteral("logo1.png"))));

    auto* fraLogos = new QGroupBox(QStringLiteral("Logos"), this);
    auto* logosLayout = new QGridLayout(fraLogos);
    for (int i = 0; i < 2; ++i) {
        logosLayout->addWidget(optLogo->add(i == 0 ? QStringLiteral("One") : QStringLiteral("Two"), fraLogos), i, 0);
        imgLogo[i] = new QLabel(fraLogos);
        imgLogo[i]->setPixmap(QPixmap(logos.filePath(QStringLiteral("logo%1.png").arg(i))));
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
}
