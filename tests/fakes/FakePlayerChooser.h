#pragma once

#include "player/PlayerChooser.h"

// Players the test lists; pin() makes the pinned one active at once.
class FakePlayerChooser : public PlayerChooser
{
public:
    QList<Entry> players() const override { return entries; }
    QString activeId() const override { return active; }
    void pin(const QString& id) override
    {
        pins << id;
        active = id;
        emit activeChanged();
        emit pinned(id);
    }

    QList<Entry> entries;
    QString active;
    QStringList pins;
};
