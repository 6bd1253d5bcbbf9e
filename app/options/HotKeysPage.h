#pragma once

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

    // The eight key selectors in hotkey id order 1..8.
    std::array<QComboBox*, 8> keySelectors() const;
};
