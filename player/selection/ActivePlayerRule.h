#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The choice among players, fed with what happens on the bus. Each feed answers whether
// the active player is now another one.
class ActivePlayerRule
{
public:
    bool appeared(const QString& id, bool playing);
    bool vanished(const QString& id);
    bool statusChanged(const QString& id, bool playing);
    // A pinned name holds the first present player whose id contains it, ignoring case;
    // an empty name unpins.
    bool pin(const QString& name);

    // Empty when no player is present or the pinned one is not.
    QString active() const;
    QStringList players() const { return m_players; }
    QString pinned() const { return m_pinned; }

private:
    bool takeOverIfIdle(const QString& id);
    QString fallback() const;

    QStringList m_players;
    QSet<QString> m_playing;
    QString m_current; // the rule's choice when nothing is pinned
    QString m_pinned;
};
