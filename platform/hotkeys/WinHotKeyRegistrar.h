#pragma once

#include "HotKeyRegistrar.h"

#include <QAbstractNativeEventFilter>
#include <QSet>

// Global hotkeys on Windows: RegisterHotKey for the GUI thread (no window), whose
// WM_HOTKEY messages are picked out of the thread's queue by Qt's native event filter.
// Modifier and key codes go to the system unchanged.
class WinHotKeyRegistrar : public HotKeyRegistrar, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit WinHotKeyRegistrar(QObject* parent = nullptr);
    // Unregisters every hotkey.
    ~WinHotKeyRegistrar() override;

    bool isAvailable() const override { return true; }
    bool registerHotKey(int id, int modifiers, int virtualKey, QString* error = nullptr) override;
    void unregisterHotKey(int id) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QSet<int> m_ids;
};
