#pragma once

#include "tray/hotkeys/HotKeySettings.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

// "Hot Keys  ": the shared modifier and the eight keys.
class HotKeysPage : public QWidget
{
    Q_OBJECT
public:
    explicit HotKeysPage(QWidget* parent = nullptr);

    // Fills the modifier and key selectors with what can be chosen.
    void fillKeys();
    // The eight key selectors in hotkey id order 1..8.
    std::array<QComboBox*, 8> keySelectors() const;
    // The keys as the selectors name them, for the registration.
    HotKeySettings hotKeySettings() const;

signals:
    // "Change HotKeys": the settings are saved and the keys registered anew.
    void changeRequested();

private:
    friend class OptionSettings;

    QCheckBox* chkEnableHotKey;
    QComboBox* cboHotKeyMod;
    QComboBox* cboHotKey;
    QComboBox* cboNextTrackKey;
    QComboBox* cboPreviousTrackKey;
    QComboBox* cboVolumeUpKey;
    QComboBox* cboVolumeDownKey;
    QComboBox* cboPauseKey;
    QComboBox* cboRatingUpKey;
    QComboBox* cboRatingDownKey;
    QPushButton* cmdChangeHotkey;
};
