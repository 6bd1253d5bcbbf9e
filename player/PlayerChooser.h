#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Which of several players on the desktop Bolvin drives. Without a pinned choice the
// active one is the player that last started playing: it stays active while it plays and
// after it stops, until another one starts.
class PlayerChooser : public QObject
{
    Q_OBJECT
public:
    struct Entry {
        QString id; // stable while the player runs; what pin() takes
        QString name; // what the user calls it
    };

    using QObject::QObject;

    // In the order the players appeared.
    virtual QList<Entry> players() const = 0;
    // Empty when no player runs (or the pinned one does not).
    virtual QString activeId() const = 0;
    // Holds this player whatever the others do; an empty id lets the rule choose again.
    virtual void pin(const QString& id) = 0;

signals:
    void playersChanged();
    void activeChanged();
    // The user's choice, to be remembered for the next start.
    void pinned(const QString& id);
};
