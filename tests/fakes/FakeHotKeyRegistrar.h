#pragma once

#include "platform/hotkeys/HotKeyRegistrar.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>

// A recording HotKeyRegistrar. Like the real ones it refuses a combination another id
// holds and one "another program" holds (heldElsewhere); press() plays a key press.
class FakeHotKeyRegistrar : public HotKeyRegistrar
{
public:
    struct Registration {
        int id;
        int modifiers;
        int virtualKey;
    };
    using Combination = QPair<int, int>; // modifiers, virtual key

    bool available = true;
    QSet<Combination> heldElsewhere;
    QList<Registration> attempts; // every registerHotKey call, in order
    QMap<int, Registration> live; // what is registered now, by id

    bool isAvailable() const override { return available; }

    bool registerHotKey(int id, int modifiers, int virtualKey, QString* error = nullptr) override
    {
        attempts.append({ id, modifiers, virtualKey });
        live.remove(id);
        auto refuse = [error](const QString& why) {
            if (error)
                *error = why;
            return false;
        };
        if (!available)
            return refuse(QStringLiteral("unavailable"));
        const Combination combination(modifiers, virtualKey);
        if (heldElsewhere.contains(combination))
            return refuse(QStringLiteral("held by another program"));
        for (const Registration& r : std::as_const(live)) {
            if (Combination(r.modifiers, r.virtualKey) == combination)
                return refuse(QStringLiteral("held by id %1").arg(r.id));
        }
        live.insert(id, { id, modifiers, virtualKey });
        return true;
    }

    void unregisterHotKey(int id) override { live.remove(id); }

    // Delivered only to the live id holding the combination (at most one), as the system would.
    void press(int modifiers, int virtualKey)
    {
        for (const Registration& r : live.values()) { // a copy: the receiver may register anew
            if (r.modifiers == modifiers && r.virtualKey == virtualKey)
                emit hotKeyPressed(r.id);
        }
    }
};
