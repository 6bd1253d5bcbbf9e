#include "OptionSettings.h"

#include "AdvancedPage.h"
#include "FontPage.h"
#include "HotKeysPage.h"
#include "LibraryPage.h"
#include "NotificationPage.h"
#include "OptionGroup.h"
#include "platform/desktop/Desktop.h"
#include "platform/settings/SettingsStore.h"
#include "popup/PopUpSettings.h"
#include "tray/hotkeys/HotKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

#include <cstdlib>
#include <limits>
#include <variant>
#include <vector>

// A number setting and the control that holds it.
struct OptionSettings::NumberControl {
    NumberSetting setting;
    std::variant<QCheckBox*, QScrollBar*> control;
};

struct OptionSettings::GroupSetting {
    const char* key;
    const char* defaultCaption;
    OptionGroup* group;
};

struct OptionSettings::KeySetting {
    const char* key;
    const char* defaultName;
    QComboBox* selector;
};

namespace
{
// A box's setting: off or on.
constexpr NumberSetting box(const char* key, bool on = false)
{
    return { key, on ? 1 : 0, 0, 1 };
}

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

// The store holds text; a value that is not a 16-bit number, or that lies outside the
// setting's range, falls back to the default rather than to whatever the control would
// clamp it to. A key that held such a value is added to reset.
int storedNumber(const SettingsStore& store, const NumberSetting& s, QStringList& reset)
{
    const QString text = store.GetSetting(QString::fromLatin1(s.key)).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()
        || value < s.minimum || value > s.maximum) {
        if (!text.isEmpty())
            reset << QString::fromLatin1(s.key);
        return s.defaultValue;
    }
    return value;
}

// Selects the entry reading text; false when there is none.
bool selectText(QComboBox* selector, const QString& text)
{
    const int index = selector->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        selector->setCurrentIndex(index);
    return index >= 0;
}

const QString kFontKey = QStringLiteral("Font");
const QString kFontSizeKey = QStringLiteral("FontSize");
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
    // In load order.
    return {
        { box("ExportMsg"), a.chkExportMsg },
        { box("FloatArtwork"), n.chkFloatArt },
        { box("Fading"), n.chkFading },
        { box("PopArt", true), n.chkPopArt },
        { box("PopTitle", true), n.chkPopTitle },
        { box("StretchBackground"), n.chkStretchBkg },
        { box("StickyArt"), n.chkStickyArt },
        { box("StickyTitle"), n.chkStickyTitle },
        { box("PlayLists"), a.chkEnablePlayLists },
        // Off until the user asks: nothing is added to the session's start without asking.
        { box("Startup"), a.chkStartup },
        { PopUpSettings::kHeight, a.scrPopUpHeight },
        { PopUpSettings::kWidth, a.scrPopUpWidth },
        { PopUpSettings::kShowDelay, a.scrShowDelay },
        { PopUpSettings::kMovementIndex, a.scrMovementIndex },
        { PopUpSettings::kScrollDelay, a.scrScrollDelay },
        { box("FontBold"), f.chkFontBold },
        { box("FontItalic"), f.chkFontItalic },
        { box("EnableHotKey"), h.chkEnableHotKey },
    };
}

std::vector<OptionSettings::GroupSetting> OptionSettings::groupSettings() const
{
    NotificationPage& n = m_notification;
    return { { "Direction", "Up", n.optDirection }, { "Background", "One", n.optBackGround },
        { "YPos", "Bottom", n.optYPos }, { "XPos", "Right", n.optXPos } };
}

std::vector<OptionSettings::KeySetting> OptionSettings::keySettings() const
{
    HotKeysPage& h = m_hotKeys;
    return { { "HotKeyMod", "Ctrl", h.cboHotKeyMod }, { "HotKey", "E", h.cboHotKey },
        { "NextTrackKey", "Right", h.cboNextTrackKey }, { "PreviousTrackKey", "Left", h.cboPreviousTrackKey },
        { "VolumeUpKey", "Up", h.cboVolumeUpKey }, { "VolumeDownKey", "Down", h.cboVolumeDownKey },
        { "PauseKey", "P", h.cboPauseKey }, { "RatingUpKey", "PageUp", h.cboRatingUpKey },
        { "RatingDownKey", "PageDn", h.cboRatingDownKey } };
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
        setValue(number, storedNumber(m_store, number.setting, m_reset));
}

void OptionSettings::loadFontAndHotKeys()
{
    // The desktop's own font unless the user chose another; a family that is not installed
    // becomes the one the system would draw in its place, never merely the first listed.
    const QFont desktopFont = m_desktop.systemFont();
    const QString fontName = m_store.GetSetting(kFontKey, desktopFont.family());
    const QString sizeText = m_store.GetSetting(kFontSizeKey).trimmed();
    bool sizeOk = false;
    int fontSize = sizeText.toShort(&sizeOk);
    if (!sizeOk || fontSize <= 0) {
        if (!sizeText.isEmpty())
            m_reset << kFontSizeKey;
        fontSize = desktopFont.pointSize();
    }
    for (const KeySetting& key : keySettings()) {
        const QString stored = m_store.GetSetting(QString::fromLatin1(key.key));
        if (!stored.isEmpty() && key.selector->findText(stored) >= 0) {
            SelectComboText(key.selector, stored);
            continue;
        }
        if (!stored.isEmpty())
            m_reset << QString::fromLatin1(key.key);
        SelectComboText(key.selector, QString::fromLatin1(key.defaultName));
    }

    if (!selectText(m_font.cboFonts, fontName))
        selectText(m_font.cboFonts, m_desktop.closestInstalledFont(fontName));
    // The nearest size the list offers.
    int nearest = -1;
    for (int i = 0; i < m_font.cboFontSize->count(); ++i) {
        const int entry = m_font.cboFontSize->itemText(i).toInt();
        if (nearest < 0
            || std::abs(entry - fontSize) < std::abs(m_font.cboFontSize->itemText(nearest).toInt() - fontSize))
            nearest = i;
    }
    if (nearest >= 0)
        m_font.cboFontSize->setCurrentIndex(nearest);
}

void OptionSettings::loadOptionGroups()
{
    for (const GroupSetting& setting : groupSettings()) {
        QString stored = m_store.GetSetting(QString::fromLatin1(setting.key));
        bool known = false;
        for (int i = 0; i < setting.group->count(); ++i)
            known = known || setting.group->caption(i) == stored;
        if (!known) {
            if (!stored.isEmpty())
                m_reset << QString::fromLatin1(setting.key);
            stored = QString::fromLatin1(setting.defaultCaption);
        }
        // Turn the others off first so that the match, if any, is the only one on.
        for (int i = 0; i < setting.group->count(); ++i)
            if (setting.group->caption(i) != stored)
                setting.group->setValue(i, false);
        for (int i = 0; i < setting.group->count(); ++i)
            if (setting.group->caption(i) == stored)
                setting.group->setValue(i, true);
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
            m_store.SaveSetting(QString::fromLatin1(key.key), key.selector->currentText());

    for (const GroupSetting& setting : groupSettings()) {
        const int on = setting.group->selectedIndex();
        if (on >= 0)
            m_store.SaveSetting(QString::fromLatin1(setting.key), setting.group->caption(on));
    }
}

void OptionSettings::deleteAll()
{
    QStringList keys { kFontKey, kFontSizeKey };
    for (const NumberControl& number : numberSettings())
        keys << QString::fromLatin1(number.setting.key);
    for (const KeySetting& key : keySettings())
        keys << QString::fromLatin1(key.key);
    for (const GroupSetting& group : groupSettings())
        keys << QString::fromLatin1(group.key);
    // Whether Bolvin starts with the session is the user's own choice, kept through defaults.
    for (const QString& key : keys)
        if (key != QLatin1String("Startup"))
            m_store.DeleteSetting(key);
}
