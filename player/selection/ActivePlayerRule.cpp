#include "ActivePlayerRule.h"

namespace
{
// Runs a change and reports whether the active player moved.
template <typename Change> bool movesActive(const ActivePlayerRule& rule, Change&& change)
{
    const QString before = rule.active();
    change();
    return rule.active() != before;
}
}

bool ActivePlayerRule::appeared(const QString& id, bool playing)
{
    return movesActive(*this, [&] {
        if (!m_players.contains(id))
            m_players.append(id);
        if (playing)
            m_playing.insert(id);
        if (m_current.isEmpty() || (playing && !m_playing.contains(m_current)))
            m_current = id;
    });
}

bool ActivePlayerRule::vanished(const QString& id)
{
    return movesActive(*this, [&] {
        m_players.removeAll(id);
        m_playing.remove(id);
        if (m_current == id)
            m_current = fallback();
    });
}

bool ActivePlayerRule::statusChanged(const QString& id, bool playing)
{
    if (!m_players.contains(id))
        return appeared(id, playing);
    return movesActive(*this, [&] {
        if (!playing) {
            // A player that stops stays active until another one starts.
            m_playing.remove(id);
            return;
        }
        m_playing.insert(id);
        takeOverIfIdle(id);
    });
}

bool ActivePlayerRule::pin(const QString& name)
{
    return movesActive(*this, [&] { m_pinned = name.trimmed(); });
}

QString ActivePlayerRule::active() const
{
    if (m_pinned.isEmpty())
        return m_current;
    for (const QString& id : m_players)
        if (id.contains(m_pinned, Qt::CaseInsensitive))
            return id;
    return QString();
}

bool ActivePlayerRule::takeOverIfIdle(const QString& id)
{
    if (m_current == id || m_playing.contains(m_current))
        return false;
    m_current = id;
    return true;
}

QString ActivePlayerRule::fallback() const
{
    for (const QString& id : m_players)
        if (m_playing.contains(id))
            return id;
    return m_players.isEmpty() ? QString() : m_players.first();
}
