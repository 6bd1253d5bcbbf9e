#pragma once

#include "SoundPlayer.h"

#include <QString>

// Starts playing a wave file and returns at once, cutting off a sound still playing.
// Does nothing for "" or a path where no file exists.
void PlayWaveFile(const QString& path, SoundPlayer& player);
