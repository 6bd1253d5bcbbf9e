#include "LibraryFileSaver.h"

#include <algorithm>

namespace
{

// Long enough to gather a burst of changes (an import) into one write, short enough that
// little is lost if the program is killed.
constexpr int saveDelayMs = 2000;

} // namespace

LibraryFileSaver::LibraryFileSaver(MusicLibrary& library, QObject* parent)
    : QObject(parent)
    , m_library(library)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(saveDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &LibraryFileSaver::flush);
}

void LibraryFileSaver::changed()
{
    if (m_holds == 0 && !m_timer.isActive())
        m_timer.start();
}

bool LibraryFileSaver::flush()
{
    m_timer.stop();
    if (!m_library.isModified() || m_holds > 0)
        return true;
    if (!m_library.save()) {
        m_error = m_library.errorString();
        emit writeFailed(m_error);
        return false;
    }
    m_error.clear();
    return true;
}

void LibraryFileSaver::hold()
{
    if (m_holds == 0)
        flush();
    ++m_holds;
}

bool LibraryFileSaver::endHold(bool keep, const QDateTime& now)
{
    m_holds = std::max(m_holds - 1, 0);
    if (!keep) {
        if (!m_library.reload()) {
            m_error = m_library.errorString();
            return false;
        }
        emit reloaded();
        return true;
    }
    if (m_holds > 0 || !m_library.isModified())
        return true;
    const QString backup = m_library.backUp(now);
    if (backup.isEmpty()) {
        m_error = m_library.errorString();
        emit writeFailed(m_error);
        return false;
    }
    m_lastBackup = backup;
    return flush();
}
