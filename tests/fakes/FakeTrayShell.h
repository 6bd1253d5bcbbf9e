#pragma once

#include "platform/tray/NotifyIconData.h"
#include "platform/tray/TrayShell.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QPointer>

#include <utility>

// A recording TrayShell: every notify-icon command with a copy of its record and the default item of each pop-up menu.
// popupMenu "chooses" the action set in nextChoice (triggering it, as the real menu does before it closes); notify()
// plays the shell's notification.
class FakeTrayShell : public TrayShell
{
public:
    static constexpr quint32 kNt50 = 0x0005;
    static constexpr quint32 kNt40 = 0x0004;

    struct Command {
        int command;
        NotifyIconData record;
    };

    quint32 version = kNt50;
    bool available = true;
    QList<Command> commands;
    QList<QAction*> popups; // each menu's default item
    QPointer<QAction> nextChoice;
    bool menuOpen = false; // true while popupMenu runs

    quint32 versionWord() const override { return version; }
    bool isAvailable() const override { return available; }
    bool notifyIcon(int command, const NotifyIconData& record) override
    {
        commands.append({ command, record });
        return true;
    }
    void setForegroundWindow() override { }
    QAction* popupMenu(QMenu* menu, QAction* defaultItem) override
    {
        popups.append(defaultItem);
        menu->setDefaultAction(defaultItem);
        QAction* chosen = std::exchange(nextChoice, nullptr);
        menuOpen = true;
        if (chosen)
            chosen->trigger();
        menuOpen = false;
        return chosen;
    }

    void notify(int code) { emit notification(code); }
    const Command& last() const { return commands.constLast(); }
    QList<int> commandCodes() const
    {
        QList<int> codes;
        for (const Command& c : commands)
            codes.append(c.command);
        return codes;
    }
};
