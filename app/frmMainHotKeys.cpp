#include "frmMain.h"

#include "Branding.h"
#include "options/HotKeysPage.h"
#include "platform/desktop/Desktop.h"
#include "tray/frmSysTray.h"
#include "tray/hotkeys/HotKeyDispatcher.h"
#include "tray/hotkeys/HotKeyRegistration.h"
#include "tray/hotkeys/HotKeySettings.h"

#include <QCheckBox>
#include <QComboBox>

void frmMain::LoadHotKeys()
{
    if (!m_hotKeyRegistration) {
        m_hotKeyRegistration = std::make_unique<HotKeyRegistration>(
            m_services.hotKeyRegistrar, m_services.desktop, [this](int id) { HotKey(id); });
        connect(m_hotKeyRegistration.get(), &HotKeyRegistration::hotKeysUnavailable, this, [this] {
            if (m_frmSysTray)
                m_frmSysTray->ShowBalloonTip(
                    QStringLiteral("Global hotkeys are not available in this desktop session; everything else works."),
                    QString::fromLatin1(kProgramTitle), 1, 5000);
        });
    }
    HotKeySettings settings;
    settings.enabled = hotKeysPage->chkEnableHotKey->isChecked();
    settings.modifier = hotKeysPage->cboHotKeyMod->currentText();
    const auto selectors = hotKeysPage->keySelectors();
    for (std::size_t i = 0; i < selectors.size(); ++i)
        settings.keys[i] = selectors[i]->currentText();
    m_hotKeyRegistration->LoadHotKeys(settings);
}

void frmMain::UnloadHotKeys()
{
    if (m_hotKeyRegistration && hotKeysPage->chkEnableHotKey->isChecked())
        m_hotKeyRegistration->Unhook();
}

void frmMain::HotKey(int wParm)
{
    if (!m_hotKeyDispatcher)
        m_hotKeyDispatcher = std::make_unique<HotKeyDispatcher>(*this);
    m_hotKeyDispatcher->HotKey(wParm);
}
