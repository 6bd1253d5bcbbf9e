#pragma once

#include "LibraryStore.h"

#include "player/LibraryWriteHold.h"

#include <functional>
#include <memory>

// The connected player's own library file, kept from the player's periodic writes for the
// whole import and written once at its end. An import ended by the program's shutdown is
// dropped instead, so that the file is as it was before it or as it is after it.
class HeldPlayerLibrary : public LibraryStore
{
public:
    HeldPlayerLibrary(std::unique_ptr<LibraryWriteHold> hold, std::function<bool()> shuttingDown);

    bool commit(QString* message) override;
    QString completionNote() const override;

private:
    std::unique_ptr<LibraryWriteHold> m_hold;
    std::function<bool()> m_shuttingDown;
};
