#pragma once

#include <QString>

class QIODevice;

// A library kept in a file (a player's database, a copied library file) rather than in a
// running player: values set on its tracks stay in memory until commit() writes them. The
// import calls commit() once, after its last track, also after a cancel, so what was merged
// so far is kept just as a player would keep it.
class LibraryStore
{
public:
    virtual ~LibraryStore() = default;

    // Writes every changed value, after a dated copy of the file is made beside it, and
    // reads each one back. True when there was nothing to write or all of it was written.
    // False with *message set to what happened and where the copy is; the file is then as
    // it was before.
    virtual bool commit(QString* message) = 0;
    // Added to the completion notice after a commit that wrote something: where the copy
    // is, and when the player shows the new values. Empty when nothing was written.
    virtual QString completionNote() const = 0;
    // A library that holds any track (Bolvin's own) takes in the tracks of the extras file it
    // does not hold yet, so that each finds its match. The import calls this once the file
    // has read cleanly, with the file at its start.
    virtual void takeInTracksOf(QIODevice& extrasFile) { Q_UNUSED(extrasFile); }
};
