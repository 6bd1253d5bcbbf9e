#include "OptionSettings.h"

#include "AdvancedPage.h"
#include "FontPage.h"
#include "HotKeysPage.h"
#include "LibraryPage.h"
#include "NotificationPage.h"
#include "OptionGroup.h"
#include "StoredOptions.h"
#include "platform/desktop/Desktop.h"
#include "platform/settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

#include <variant>
#include <vector>

// A number setting and the control that holds it.
struct OptionSettings::NumberControl {
    NumberSetting setting;
    std::variant<QCheckBox*, QScrollBar*> control;
};

struct OptionSettings::GroupSetting {
    OptionKeys::Choice choice;
    OptionGroup* group;
};

struct OptionSettings::KeySetting {
    OptionKeys::Key key;
    QComboBox* selector;
};

namespace
{
int valueOf(const OptionSettings::NumberControl& s)
{
    if (auto* box = std::get_if<QCheckBox*>(&s.control))
        return (*box)->isChecked() ? 1 : 0;
    return std::get<QScrollBar*>(s.control)->value();
}
void setValue(const OptionSettings::NumberControl& s, int value)
{
    if (auto* box = std::get_if<QCheckBox*>(&s.control))
        (*box)->setChecked(value != 0);
    else
        std::get<QScrollBar*>(s.control)->setValue(value);
}

// Selects the entry reading text; false when there is none.
bool selectText(QComboBox* selector, const QString& text)
{
    const int index = selector->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        selector->setCurrentIndex(index);
    return index >= 0;
}

const QString kFontKey = QString::fromLatin1(OptionKeys::kFont);
const QString kFontSizeKey = QString::fromLatin1(OptionKeys::kFontSize);
}

OptionSettings::OptionSettings(SettingsStore& store, const Desktop& desktop, NotificationPage& notification,
    FontPage& font, HotKeysPage& hotKeys, AdvancedPage& advanced, LibraryPage& library)
    : m_store(store)
    , m_desktop(desktop)
    , m_notification(notification)
    , m_font(font)
    , m_hotKeys(hotKeys)
    , m_advanced(advanced)
    , m_library(library)
{
}

std::vector<OptionSettings::NumberControl> OptionSettings::numberSettings() const
{
    NotificationPage& n = m_notification;
    AdvancedPage& a = m_advanced;
    FontPage& f = m_font;
    HotKeysPage& h = m_hotKeys;
    using namespace OptionKeys;
    // In load order.
    return {
        { kExportMsg, a.chkExportMsg },
        { kFloatArtwork, n.chkFloatArt },
        { kFading, n.chkFading },
        { kPopArt, n.chkPopArt },
        { kPopTitle, n.chkPopTitle },
        { kStretchBackground, n.chkStretchBkg },
        { kStickyArt, n.chkStickyArt },
        { kStickyTitle, n.chkStickyTitle },
        { kDesktopNotifications, n.chkDesktopNotifications },
        { kPlayLists, a.chkEnablePlayLists },
        { kStartup, a.chkStartup },
        { PopUpSettings::kHeight, a.scrPopUpHeight },
        { PopUpSettings::kWidth, a.scrPopUpWidth },
        { PopUpSettings::kShowDelay, a.scrShowDelay },
        { PopUpSettings::kMovementIndex, a.scrMovementIndex },
        { PopUpSettings::kScrollDelay, a.scrScrollDelay },
        { kFontBold, f.chkFontBold },
        { kFontItalic, f.chkFontItalic },
        { kEnableHotKey, h.chkEnableHotKey },
    };
}

std::vector<OptionSettings::GroupSetting> OptionSettings::groupSettings() const
{
    NotificationPage& n = m_notification;
    return { { OptionKeys::kDirection, n.optDirection }, { OptionKeys::kBackground, n.optBackGround },
        { OptionKeys::kYPos, n.optYPos }, { OptionKeys::kXPos, n.optXPos } };
}

std::vector<OptionSettings::KeySetting> OptionSettings::keySettings() const
{
    std::vector<KeySetting> keys { { OptionKeys::kModifier, m_hotKeys.cboHotKeyMod } };
    const auto selectors = m_hotKeys.keySelectors();
    for (std::size_t i = 0; i < selectors.size(); ++i)
        keys.push_back({ OptionKeys::kKeys[i], selectors[i] });
    return keys;
}

namespace
{
void fillOnce(QComboBox* selector, const QStringList& entries)
{
    if (!selector->currentText().isEmpty())
        return;
    selector->addItems(entries);
    selector->setCurrentIndex(0);
}
}

void OptionSettings::load()
{
    fillOnce(m_library.cboExportMode, { "All", "Day", "Week", "Month", "Year" });
    fillOnce(m_library.cboPlayCount, { "Increment", "Replace" });
    if (!mbFontsLoaded) {
        m_font.cboFonts->addItems(m_desktop.installedFonts());
        m_font.cboFonts->setCurrentIndex(0);
        mbFontsLoaded = true;
    }
    m_reset.clear();
    loadNumbers();
    loadFontAndHotKeys();
    loadOptionGroups();
}

void OptionSettings::loadNumbers()
{
    for (const NumberControl& number : numberSettings())
        setValue(number, StoredOptions::number(m_store, number.setting, &m_reset));
}

void OptionSettings::loadFontAndHotKeys()
{
    // The desktop's own font unless the user chose another; a family that is not installed
    // becomes the one the system would draw in its place, never merely the first listed.
    const QString fontName = StoredOptions::fontFamily(m_store, m_desktop);
    const int fontSize = StoredOptions::fontSize(m_store, m_desktop, &m_reset);
    for (const KeySetting& key : keySettings()) {
        QStringList offered;
        for (int i = 0; i < key.selector->count(); ++i)
            offered << key.selector->itemText(i);
        SelectComboText(key.selector, StoredOptions::keyName(m_store, key.key, offered, &m_reset));
    }

    if (!selectText(m_font.cboFonts, fontName))
        selectText(m_font.cboFonts, m_desktop.closestInstalledFont(fontName));
    selectText(m_font.cboFontSize, QString::number(FontPage::nearestListedSize(fontSize)));
}

void OptionSettings::loadOptionGroups()
{
    for (const GroupSetting& setting : groupSettings()) {
        const int chosen = StoredOptions::choice(m_store, setting.choice, &m_reset);
        // Turn the others off first so that the chosen one is the only one on.
        for (int i = 0; i < setting.group->count(); ++i)
            if (i != chosen)
                setting.group->setValue(i, false);
        setting.group->setValue(chosen, true);
    }
}

void OptionSettings::save()
{
    for (const NumberControl& number : numberSettings())
        m_store.SaveSetting(QString::fromLatin1(number.setting.key), QString::number(valueOf(number)));
    m_store.SaveSetting(kFontKey, m_font.cboFonts->currentText());
    m_store.SaveSetting(kFontSizeKey, m_font.cboFontSize->currentText());

    for (const KeySetting& key : keySettings())
        if (!key.selector->currentText().isEmpty())
            m_store.SaveSetting(QString::fromLatin1(key.key.key), key.selector->currentText());

    for (const GroupSetting& setting : groupSettings()) {
        const int on = setting.group->selectedIndex();
        if (on >= 0)
            m_store.SaveSetting(QString::fromLatin1(setting.choice.key), setting.group->caption(on));
    }
}

void OptionSettings::deleteAll()
{
    QStringList keys { kFontKey, kFontSizeKey };
    for (const NumberControl& number : numberSettings())
        keys << QString::fromLatin1(number.setting.key);
    for (const KeySetting& key : keySettings())
        keys << QString::fromLatin1(key.key.key);
    for (const GroupSetting& group : groupSettings())
        keys << QString::fromLatin1(group.choice.key);
    // Whether Bolvin starts with the session is the user's own choice, kept through defaults.
    for (const QString& key : keys)
        if (key != QLatin1String("Startup"))
            m_store.DeleteSetting(key);
}
