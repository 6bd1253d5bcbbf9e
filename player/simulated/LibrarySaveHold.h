#pragma once

#include "player/LibraryWriteHold.h"

#include <QPointer>

class SimulatedPlayer;

// One batch of library changes kept from the file while it lives; see
// SimulatedPlayer::holdSaves(). Ending it keeping the changes (release() or the destructor)
// lets the last hold write them in one go; discard() drops them. A hold whose player has
// gone, or that has ended, does nothing.
class LibrarySaveHold : public LibraryWriteHold
{
public:
    LibrarySaveHold() = default;
    ~LibrarySaveHold() override;
    LibrarySaveHold(LibrarySaveHold&& other) noexcept;
    LibrarySaveHold& operator=(LibrarySaveHold&& other) noexcept;
    LibrarySaveHold(const LibrarySaveHold&) = delete;
    LibrarySaveHold& operator=(const LibrarySaveHold&) = delete;

    bool isHeld() const { return m_player != nullptr; }
    // Ends the hold keeping its changes. False when the write it led to failed (the
    // player's saveError() says why; the changes stay pending).
    bool release() override;
    // Ends the hold dropping every unsaved change of the library: the player reads its
    // file again, which still holds what it did before the batch. False when the file could
    // not be read; the changes are then kept, pending.
    bool discard() override;
    QString error() const override { return m_error; }
    QString backupPath() const override { return m_backup; }

private:
    friend class SimulatedPlayer;
    explicit LibrarySaveHold(SimulatedPlayer* player);
    bool end(bool keep);

    QPointer<SimulatedPlayer> m_player;
    QString m_error;
    QString m_backup;
};
