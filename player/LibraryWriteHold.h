#pragma once

#include <QString>

// A batch of library changes (an import) that a player keeps from its library file while
// the hold lives, so that the file is written once, whole, at the end: a kill or a quit in
// the middle leaves it as it was before the batch. Ending the hold any other way (the
// destructor) keeps the changes, as release() does.
class LibraryWriteHold
{
public:
    virtual ~LibraryWriteHold() = default;

    // Ends the batch, writing its changes in one go after a dated copy of the file. False
    // when that failed: error() says why, and the changes stay with the player, unsaved.
    virtual bool release() = 0;
    // Ends the batch dropping its changes: the file and the player as they were before it.
    virtual bool discard() = 0;
    virtual QString error() const = 0;
    // The dated copy that release() made; empty when it wrote nothing.
    virtual QString backupPath() const = 0;
};
