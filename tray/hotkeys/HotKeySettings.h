#pragma once

#include "HotKey.h"

#include <QString>

#include <array>

// What registration reads from the options window's "Hot Keys" page at the moment it
// runs: the "Enable Hotkey" box and the selectors' current texts.
struct HotKeySettings {
    bool enabled = false;
    QString modifier;
    // Key names by hotkey id: keys[0] is id 1 (`cboHotKey`) … keys[7] is id 8.
    std::array<QString, HotKeyId::Count> keys;

    const QString& keyName(int id) const { return keys[std::size_t(id - HotKeyId::First)]; }
};
