#include "AdvancedPage.h"

#include "ControlNames.h"
#include "platform/autostart/Registry.h"
#include "platform/settings/SettingsStore.h"
#include "popup/PopUpMessages.h"
#include "popup/PopUpSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace
{
constexpr int kValueWidthChars = 6;
}

AdvancedPage::AdvancedPage(const OptionServices& services, PopUpsAccess popUpsAccess, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_popUps(std::move(popUpsAccess))
{
    auto* popUps = new QGroupBox(QStringLiteral("PopUps"));
    auto* grid = new QGridLayout(popUps);
    int row = 0;
    // A click on an arrow moves it one small step, a click beside the thumb one large step.
    const auto slider = [&](const QString& caption, const NumberSetting& setting, int smallStep, int largeStep) {
        auto* bar = new QScrollBar(Qt::Horizontal, popUps);
        bar->setRange(setting.minimum, setting.maximum);
        bar->setSingleStep(smallStep);
        bar->setPageStep(largeStep);
        auto* value = new QLabel(QString::number(bar->value()), popUps);
        value->setMinimumWidth(value->fontMetrics().averageCharWidth() * kValueWidthChars);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(bar, &QScrollBar::valueChanged, value, [value](int v) { value->setNum(v); });
        grid->addWidget(new QLabel(caption, popUps), row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        ++row;
        return bar;
    };
    scrShowDelay = slider(QStringLiteral("Show Delay:"), PopUpSettings::kShowDelay, 5, 100);
    scrMovementIndex = slider(QStringLiteral("Movement Index:"), PopUpSettings::kMovementIndex, 1, 5);
    scrScrollDelay = slider(QStringLiteral("Scroll Delay:"), PopUpSettings::kScrollDelay, 1, 10);
    scrPopUpWidth = slider(QStringLiteral("PopUp Width:"), PopUpSettings::kWidth, 100, 1000);
    scrPopUpHeight = slider(QStringLiteral("PopUp Height:"), PopUpSettings::kHeight, 100, 1000);
    grid->setColumnStretch(1, 1);

    btnDefaults = new QPushButton(QStringLiteral("Load Defaults"), this);

    auto* misc = new QGroupBox(QStringLiteral("Misc"));
    auto* miscLayout = new QVBoxLayout(misc);
    chkExportMsg = new QCheckBox(QStringLiteral("Import/export complete popup"), misc);
    chkStartup = new QCheckBox(QStringLiteral("Run at startup"), misc);
    chkEnablePlayLists = new QCheckBox(QStringLiteral("Enable Play Lists"), misc);
    miscLayout->addWidget(chkExportMsg);
    miscLayout->addWidget(chkStartup);
    miscLayout->addWidget(chkEnablePlayLists);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(popUps);
    layout->addWidget(btnDefaults, 0, Qt::AlignRight);
    layout->addWidget(misc);
    layout->addStretch();

    nameControls({ { scrShowDelay, "scrShowDelay" }, { scrMovementIndex, "scrMovementIndex" },
        { scrScrollDelay, "scrScrollDelay" }, { scrPopUpWidth, "scrPopUpWidth" }, { scrPopUpHeight, "scrPopUpHeight" },
        { btnDefaults, "btnDefaults" }, { chkExportMsg, "chkExportMsg" }, { chkStartup, "chkStartup" },
        { chkEnablePlayLists, "chkEnablePlayLists" } });
    connect(scrShowDelay, &QScrollBar::valueChanged, this, &AdvancedPage::scrShowDelay_Change);
    connect(scrMovementIndex, &QScrollBar::valueChanged, this, &AdvancedPage::scrMovementIndex_Change);
    connect(scrScrollDelay, &QScrollBar::valueChanged, this, &AdvancedPage::scrScrollDelay_Change);
    connect(chkEnablePlayLists, &QCheckBox::toggled, this, &AdvancedPage::playListsToggled);
    connect(chkStartup, &QCheckBox::toggled, this, &AdvancedPage::chkStartup_Click);
    connect(btnDefaults, &QPushButton::clicked, this, &AdvancedPage::defaultsRequested);
}

int AdvancedPage::popUpWidth() const
{
    return scrPopUpWidth->value();
}

int AdvancedPage::popUpHeight() const
{
    return scrPopUpHeight->value();
}

bool AdvancedPage::completionMessageBox() const
{
    return chkExportMsg->isChecked();
}

bool AdvancedPage::playListsEnabled() const
{
    return chkEnablePlayLists->isChecked();
}

void AdvancedPage::showPopUpTimings(int showDelay, int movementIndex, int scrollDelay)
{
    scrShowDelay->setValue(showDelay);
    scrMovementIndex->setValue(movementIndex);
    scrScrollDelay->setValue(scrollDelay);
}

void AdvancedPage::scrShowDelay_Change()
{
    if (PopUpMessages* popUps = m_popUps())
        popUps->setShowDelay(scrShowDelay->value());
}

void AdvancedPage::scrMovementIndex_Change()
{
    if (PopUpMessages* popUps = m_popUps())
        popUps->setMovementIndex(scrMovementIndex->value());
}

void AdvancedPage::scrScrollDelay_Change()
{
    if (PopUpMessages* popUps = m_popUps())
        popUps->setScrollDelay(scrScrollDelay->value());
}

void AdvancedPage::chkStartup_Click()
{
    const bool ticked = chkStartup->isChecked();
    applyRunAtStartup(m_services, ticked);
    m_services.settings.SaveSetting(QStringLiteral("Startup"), ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

void AdvancedPage::applyRunAtStartup(const OptionServices& services, bool on)
{
    Registry& registry = services.registry;
    if (on)
        registry.SetRegistryString(Registry::LocalMachine, QString::fromLatin1(kRunKey), QStringLiteral("Bolvin"),
            registry.runAtLogonCommand(services.programDir));
    else
        registry.DeleteRegistryValue(Registry::LocalMachine, QString::fromLatin1(kRunKey), QStringLiteral("Bolvin"));
}
