#pragma once

#include "FakeLibraryPlayer.h"

#include <QString>

#include <memory>

class SimulatedPlayer;

// Libraries of any size for the benchmark, with names, artists, counts and dates spread
// the way a real library's are (some never played, some names repeated in other case).
namespace GeneratedLibrary
{

FakeTrackData track(int i);
// An "iTunes Music Library.xml" of count tracks and a "Library" playlist, written to path.
bool writePlist(const QString& path, int count);
std::unique_ptr<SimulatedPlayer> simulatedPlayer(const QString& path, int count);
// The same tracks in a fake player whose song-name search is indexed.
std::unique_ptr<FakeLibraryPlayer> indexedPlayer(int count);

} // namespace GeneratedLibrary
