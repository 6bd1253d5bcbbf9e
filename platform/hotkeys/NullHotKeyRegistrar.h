#pragma once

#include "HotKeyRegistrar.h"

// For sessions without global hotkeys: nothing can be registered.
class NullHotKeyRegistrar : public HotKeyRegistrar
{
public:
    using HotKeyRegistrar::HotKeyRegistrar;

    bool isAvailable() const override { return false; }
    bool registerHotKey(int, int, int, QString* error = nullptr) override
    {
        if (error)
            *error = QStringLiteral("Global hotkeys are not available in this session.");
        return false;
    }
    void unregisterHotKey(int) override { }
};
