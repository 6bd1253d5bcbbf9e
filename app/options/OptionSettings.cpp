#include "OptionSettings.h"

#include "AdvancedPage.h"
#include "FontPage.h"
#include "HotKeysPage.h"
#include "LibraryPage.h"
#include "NotificationPage.h"
#include "OptionGroup.h"
#include "platform/desktop/Desktop.h"
#include "platform/settings/SettingsStore.h"
#include "tray/hotkeys/HotKey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

#include <cstdlib>
#include <limits>
#include <variant>
#include <vector>

namespace {
// A number key and the control that holds it.
struct NumberSetting {
    const char* key;
    int defaultValue;
    std::variant<QCheckBox*, QScrollBar*> control;
};

int minimumOf(const NumberSetting& s)
{
    return std::holds_alternative<QScrollBar*>(s.control) ? std::get<QScrollBar*>(s.control)->minimum() : 0;
}
int maximumOf(const NumberSetting& s)
{
    return std::holds_alternative<QScrollBar*>(s.control) ? std::get<QScrollBar*>(s.control)->maximum() : 1;
}
int valueOf(const NumberSetting& s)
{
    if (auto* box = std::get_if<QCheckBox*>(&s.control))
        return (*box)->isChecked() ? 1 : 0;
    return std::get<QScrollBar*>(s.control)->value();
}
void setValue(const NumberSetting& s, int value)
{
    if (auto* box = std::get_if<QCheckBox*>(&s.control))
        (*box)->setChecked(value != 0);
    else
        std::get<QScrollBar*>(s.control)->setValue(value);
}

// The store holds text; a value that is not a 16-bit number, or that its control cannot
// hold, falls back to the default rather than to whatever the control would clamp it to.
// A key that held such a value is added to reset.
int storedNumber(const SettingsStore& store, const NumberSetting& s, QStringList& reset)
{
    const QString text = store.GetSetting(QString::fromLatin1(s.key)).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()
        || value < minimumOf(s) || value > maximumOf(s)) {
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

const QStringList kSettingKeys { "ExportMsg", "FloatArtwork", "Fading", "PopArt", "PopTitle", "StretchBackground",
    "StickyArt", "StickyTitle", "ShowDelay", "Movement", "Direction", "Background", "PopUpHeight", "PopUpWidth",
    "Scroll", "PlayLists", "Startup", "Font", "FontSize", "FontBold", "FontItalic", "EnableHotKey", "HotKeyMod",
    "HotKey", "NextTrackKey", "PreviousTrackKey", "VolumeUpKey", "VolumeDownKey", "PauseKey", "RatingUpKey",
    "RatingDownKey", "XPos", "YPos" };
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

namespace {
std::vector<NumberSetting> numberSettings(NotificationPage& n, AdvancedPage& a)
{
    // In load order.
    return {
        { "ExportMsg", 0, a.chkExportMsg },
        { "FloatArtwork", 0, n.chkFloatArt },
        { "Fading", 0, n.chkFading },
        { "PopArt", 1, n.chkPopArt },
        { "PopTitle", 1, n.chkPopTitle },
        { "StretchBackground", 0, n.chkStretchBkg },
        { "StickyArt", 0, n.chkStickyArt },
        { "StickyTitle", 0, n.chkStickyTitle },
        { "PlayLists", 0, a.chkEnablePlayLists },
        // Off until the user asks: nothing is added to the session's start without asking.
        { "Startup", 0, a.chkStartup },
        { "PopUpHeight", 2000, a.scrPopUpHeight },
        { "PopUpWidth", 2000, a.scrPopUpWidth },
        { "ShowDelay", 3000, a.scrShowDelay },
        { "Movement", 5, a.scrMovementIndex },
        { "Scroll", 30, a.scrScrollDelay },
    };
}

struct GroupSetting {
    const char* key;
    const char* defaultCaption;
    OptionGroup* group;
};

std::vector<GroupSetting> groupSettings(NotificationPage& n)
{
    return { { "Direction", "Up", n.optDirection }, { "Background", "One", n.optBackGround },
        { "YPos", "Bottom", n.optYPos }, { "XPos", "Right", n.optXPos } };
}

struct KeySetting {
    const char* key;
    const char* defaultName;
    QComboBox* selector;
};

std::vector<KeySetting> keySettings(HotKeysPage& h)
{
    return { { "HotKeyMod", "Ctrl", h.cboHotKeyMod }, { "HotKey", "E", h.cboHotKey },
        { "NextTrackKey", "Right", h.cboNextTrackKey }, { "PreviousTrackKey", "Left", h.cboPreviousTrackKey },
        { "VolumeUpKey", "Up", h.cboVolumeUpKey }, { "VolumeDownKey", "Down", h.cboVolumeDownKey },
        { "PauseKey", "P", h.cboPauseKey }, { "RatingUpKey", "PageUp", h.cboRatingUpKey },
        { "RatingDownKey", "PageDn", h.cboRatingDownKey } };
}

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
    for (const NumberSetting& setting : numberSettings(m_notification, m_advanced))
        setValue(setting, storedNumber(m_store, setting, m_reset));
}

void OptionSettings::loadFontAndHotKeys()
{
    // The desktop's own font unless the user chose another; a family that is not installed
    // becomes the one the system would draw in its place, never merely the first listed.
    const QFont desktopFont = m_desktop.systemFont();
    const QString fontName = m_store.GetSetting(QStringLiteral("Font"), desktopFont.family());
    const QString sizeText = m_store.GetSetting(QStringLiteral("FontSize")).trimmed();
    bool sizeOk = false;
    int fontSize = sizeText.toShort(&sizeOk);
    if (!sizeOk || fontSize <= 0) {
        if (!sizeText.isEmpty())
            m_reset << QStringLiteral("FontSize");
        fontSize = desktopFont.pointSize();
    }
    for (const NumberSetting& box : std::vector<NumberSetting> { { "FontBold", 0, m_font.chkFontBold },
             { "FontItalic", 0, m_font.chkFontItalic }, { "EnableHotKey", 0, m_hotKeys.chkEnableHotKey } })
        setValue(box, storedNumber(m_store, box, m_reset));

    for (const KeySetting& key : keySettings(m_hotKeys)) {
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
        if (nearest < 0 || std::abs(entry - fontSize) < std::abs(m_font.cboFontSize->itemText(nearest).toInt() - fontSize))
            nearest = i;
    }
    if (nearest >= 0)
        m_font.cboFontSize->setCurrentIndex(nearest);
}

void OptionSettings::loadOptionGroups()
{
    for (const GroupSetting& setting : groupSettings(m_notification)) {
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
    const auto number = [&](const char* key, int value) {
        m_store.SaveSetting(QString::fromLatin1(key), QString::number(value));
    };
    const std::vector<NumberSetting> numbers = numberSettings(m_notification, m_advanced);
    const auto valueFor = [&](const char* key) {
        for (const NumberSetting& s : numbers)
            if (qstrcmp(s.key, key) == 0)
                return valueOf(s);
        return 0;
    };
    for (const char* key : { "ExportMsg", "FloatArtwork", "Fading", "PopArt", "PopTitle", "StretchBackground",
             "StickyArt", "StickyTitle", "PopUpHeight", "PopUpWidth", "ShowDelay", "Movement", "Scroll", "PlayLists",
             "Startup" })
        number(key, valueFor(key));
    m_store.SaveSetting(QStringLiteral("Font"), m_font.cboFonts->currentText());
    m_store.SaveSetting(QStringLiteral("FontSize"), m_font.cboFontSize->currentText());
    number("FontBold", m_font.chkFontBold->isChecked() ? 1 : 0);
    number("FontItalic", m_font.chkFontItalic->isChecked() ? 1 : 0);
    number("EnableHotKey", m_hotKeys.chkEnableHotKey->isChecked() ? 1 : 0);

    for (const KeySetting& key : keySettings(m_hotKeys))
        if (!key.selector->currentText().isEmpty())
            m_store.SaveSetting(QString::fromLatin1(key.key), key.selector->currentText());

    for (const GroupSetting& setting : groupSettings(m_notification)) {
        const int on = setting.group->selectedIndex();
        if (on >= 0)
            m_store.SaveSetting(QString::fromLatin1(setting.key), setting.group->caption(on));
    }
}

void OptionSettings::deleteAll()
{
    // Whether Bolvin starts with the session is the user's own choice, kept through defaults.
    for (const QString& key : kSettingKeys)
        if (key != QLatin1String("Startup"))
            m_store.DeleteSetting(key);
}
