#pragma once

#include "OptionKeys.h"
#include "app/notification/TrackPopUpOptions.h"
#include "tray/hotkeys/HotKeySettings.h"

#include <QFont>
#include <QStringList>

class BackgroundPictures;
class Desktop;
class PopUpMessages;
class SettingsStore;

// The options as the store holds them, for the program to run on while the options window
// has not been built: most runs never open it, and building its pages costs memory and
// start-up time. The window loads its controls through the same readers.
class StoredOptions
{
public:
    StoredOptions(const SettingsStore& store, const Desktop& desktop, const BackgroundPictures& backgrounds);

    // Each reader adds the key to reset when the stored value could not be used and the
    // default was taken instead. A number that is not a 16-bit number, or lies outside its
    // range, is unusable; so is a caption or key name nobody offers.
    static int number(const SettingsStore& store, const NumberSetting& setting, QStringList* reset = nullptr);
    static int choice(const SettingsStore& store, const OptionKeys::Choice& choice, QStringList* reset = nullptr);
    static QString keyName(const SettingsStore& store, const OptionKeys::Key& key, const QStringList& offered,
        QStringList* reset = nullptr);
    // The desktop's own font unless the user chose another.
    static QString fontFamily(const SettingsStore& store, const Desktop& desktop);
    // The stored point size, or the desktop font's.
    static int fontSize(const SettingsStore& store, const Desktop& desktop, QStringList* reset = nullptr);

    TrackPopUpOptions trackPopUpOptions() const;
    // Gives the pop-ups every value the options hold for them.
    void pushTo(PopUpMessages& popUps) const;
    QFont messageFont() const;
    HotKeySettings hotKeySettings() const;
    bool playListsEnabled() const;

private:
    bool box(const NumberSetting& setting) const { return number(m_store, setting) != 0; }

    const SettingsStore& m_store;
    const Desktop& m_desktop;
    const BackgroundPictures& m_backgrounds;
};
