#include "LibrarySaveHold.h"

#include "SimulatedPlayer.h"

#include <utility>

LibrarySaveHold::LibrarySaveHold(SimulatedPlayer* player)
    : m_player(player)
{
}

LibrarySaveHold::~LibrarySaveHold()
{
    end(true);
}

LibrarySaveHold::LibrarySaveHold(LibrarySaveHold&& other) noexcept
    : m_player(std::exchange(other.m_player, nullptr))
{
}

LibrarySaveHold& LibrarySaveHold::operator=(LibrarySaveHold&& other) noexcept
{
    if (this != &other) {
        end(true);
        m_player = std::exchange(other.m_player, nullptr);
    }
    return *this;
}

bool LibrarySaveHold::release()
{
    return end(true);
}

bool LibrarySaveHold::discard()
{
    return end(false);
}

bool LibrarySaveHold::end(bool keep)
{
    SimulatedPlayer* player = std::exchange(m_player, nullptr);
    if (!player)
        return true;
    const QString earlierBackup = player->lastBackup();
    const bool ended = player->endHold(keep);
    m_error = ended ? QString() : player->saveError();
    if (player->lastBackup() != earlierBackup)
        m_backup = player->lastBackup();
    return ended;
}
