#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class AdvancedPage;
class Desktop;
class FontPage;
class HotKeysPage;
class LibraryPage;
class NotificationPage;
class SettingsStore;

// Moves every setting between the store and its control on the options window. Setting a
// control raises its change handler only when the value really changes, so a load acts
// through the handlers exactly as a user would.
class OptionSettings
{
public:
    OptionSettings(SettingsStore& store, const Desktop& desktop, NotificationPage& notification, FontPage& font,
        HotKeysPage& hotKeys, AdvancedPage& advanced, LibraryPage& library);

    // Every stored key into its control; absent keys, and numbers that are not numbers or
    // lie outside their control's range, load as the key's default. The caller registers
    // the hotkeys afterwards.
    void load();
    // Every control's value into the store. An empty hotkey selector keeps its stored key;
    // an option group with nothing on writes nothing.
    void save();
    // Deletes the settings keys; "FirstRun", "Position" and "Startup" stay.
    void deleteAll();
    // The keys whose stored value the last load could not use, and so loaded as defaults.
    QStringList resetKeys() const { return m_reset; }

    // A setting and the control that holds it, as OptionSettings.cpp declares them.
    struct NumberControl;
    struct GroupSetting;
    struct KeySetting;

private:
    std::vector<NumberControl> numberSettings() const;
    std::vector<GroupSetting> groupSettings() const;
    std::vector<KeySetting> keySettings() const;
    void loadNumbers();
    void loadFontAndHotKeys();
    void loadOptionGroups();

    SettingsStore& m_store;
    const Desktop& m_desktop;
    NotificationPage& m_notification;
    FontPage& m_font;
    HotKeysPage& m_hotKeys;
    AdvancedPage& m_advanced;
    LibraryPage& m_library;
    bool mbFontsLoaded = false;
    QStringList m_reset;
};
