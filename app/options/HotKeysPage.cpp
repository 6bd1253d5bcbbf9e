#include "HotKeysPage.h"

#include "ControlNames.h"
#include "platform/hotkeys/HotKeyRegistrar.h"
#include "tray/hotkeys/HotKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HotKeysPage::HotKeysPage(QWidget* parent)
    : QWidget(parent)
{
    auto* group = new QGroupBox(QStringLiteral("Hot Keys"));
    auto* form = new QFormLayout(group);
    chkEnableHotKey = new QCheckBox(QStringLiteral("Enable Hotkey"), group);
    chkEnableHotKey->setChecked(true);
    form->addRow(chkEnableHotKey);
    QHash<QComboBox*, QLabel*> assignedKeys;
    const auto selector = [&](const QString& label) {
        auto* combo = new QComboBox(group);
        auto* assigned = new QLabel(group);
        assigned->hide();
        auto* row = new QHBoxLayout;
        row->addWidget(combo);
        row->addWidget(assigned);
        form->addRow(label, row);
        assignedKeys.insert(combo, assigned);
        return combo;
    };
    cboHotKeyMod = selector(QStringLiteral("Activation:"));
    cboHotKey = selector(QStringLiteral("Pop Up:"));
    cboNextTrackKey = selector(QStringLiteral("Next Track:"));
    cboPreviousTrackKey = selector(QStringLiteral("Previous Track:"));
    cboVolumeUpKey = selector(QStringLiteral("Volume Up:"));
    cboVolumeDownKey = selector(QStringLiteral("Volume Down:"));
    cboPauseKey = selector(QStringLiteral("Play / Pause:"));
    cboRatingUpKey = selector(QStringLiteral("Rating Up:"));
    cboRatingDownKey = selector(QStringLiteral("Rating Down:"));

    const auto selectors = keySelectors();
    for (std::size_t i = 0; i < selectors.size(); ++i) {
        m_assignedKeys[i] = assignedKeys.value(selectors[i]);
        m_assignedKeys[i]->setObjectName(QStringLiteral("lblAssignedKey%1").arg(i + 1));
    }

    lblDesktopKeys
        = new QLabel(QStringLiteral("Your desktop assigns these keys; it may ask you to confirm them."), this);
    lblDesktopKeys->setWordWrap(true);
    lblDesktopKeys->hide();
    cmdChangeHotkey = new QPushButton(QStringLiteral("Change HotKeys"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(lblDesktopKeys);
    layout->addWidget(cmdChangeHotkey, 0, Qt::AlignRight);
    layout->addStretch();

    nameControls({ { chkEnableHotKey, "chkEnableHotKey" }, { cboHotKeyMod, "cboHotKeyMod" }, { cboHotKey, "cboHotKey" },
        { cboNextTrackKey, "cboNextTrackKey" }, { cboPreviousTrackKey, "cboPreviousTrackKey" },
        { cboVolumeUpKey, "cboVolumeUpKey" }, { cboVolumeDownKey, "cboVolumeDownKey" }, { cboPauseKey, "cboPauseKey" },
        { cboRatingUpKey, "cboRatingUpKey" }, { cboRatingDownKey, "cboRatingDownKey" },
        { cmdChangeHotkey, "cmdChangeHotkey" }, { lblDesktopKeys, "lblDesktopKeys" } });
    connect(cmdChangeHotkey, &QPushButton::clicked, this, &HotKeysPage::changeRequested);
}

HotKeySettings HotKeysPage::hotKeySettings() const
{
    HotKeySettings settings;
    settings.enabled = chkEnableHotKey->isChecked();
    settings.modifier = cboHotKeyMod->currentText();
    const auto selectors = keySelectors();
    for (std::size_t i = 0; i < selectors.size(); ++i)
        settings.keys[i] = selectors[i]->currentText();
    return settings;
}

void HotKeysPage::fillKeys()
{
    FillKeyCombo(cboHotKeyMod, QStringLiteral("MOD"));
    for (QComboBox* selector : keySelectors())
        FillKeyCombo(selector, QStringLiteral("HOTKEY"));
}

std::array<QComboBox*, 8> HotKeysPage::keySelectors() const
{
    return { cboHotKey, cboPreviousTrackKey, cboNextTrackKey, cboVolumeUpKey, cboVolumeDownKey, cboPauseKey,
        cboRatingUpKey, cboRatingDownKey };
}

void HotKeysPage::showAssignments(const HotKeyRegistrar& registrar)
{
    if (!registrar.desktopAssignsKeys())
        return;
    lblDesktopKeys->show();
    // The selectors keep one width whatever the desktop's words beside them.
    for (QComboBox* selector : keySelectors())
        selector->setSizePolicy(QSizePolicy::Fixed, selector->sizePolicy().verticalPolicy());
    const auto fill = [this, &registrar] {
        for (int id = HotKeyId::First; id <= HotKeyId::Last; ++id) {
            const QString trigger = registrar.assignedTrigger(id);
            QLabel* label = m_assignedKeys[std::size_t(id - HotKeyId::First)];
            label->setText(trigger.isEmpty() ? QStringLiteral("not assigned") : trigger);
            label->show();
        }
    };
    fill();
    connect(&registrar, &HotKeyRegistrar::assignmentsChanged, this, fill);
}
