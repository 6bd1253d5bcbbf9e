#pragma once

#include "tray/hotkeys/HotKeySettings.h"

#include <QWidget>

#include <array>

class HotKeyRegistrar;
class QCheckBox;
class QComboBox;
class QLabel;
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
    // When registrar's desktop assigns the keys itself, says so and shows beside each
    // selector the keys it assigned, now and whenever they change. Otherwise shows nothing.
    // registrar must outlive the page.
    void showAssignments(const HotKeyRegistrar& registrar);

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
    QLabel* lblDesktopKeys;
    // The desktop's keys beside each key selector, in hotkey id order.
    std::array<QLabel*, 8> m_assignedKeys {};
};
