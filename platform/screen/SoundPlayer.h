#pragma once

#include <QString>

// Plays sound files without waiting for them.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // Starts playing an existing wave file and returns at once; a sound still playing is
    // cut off. Callers check that the file exists (see PlayWaveFile).
    virtual void playFile(const QString& path) = 0;

    // The real sound output, for code that is not handed one.
    static SoundPlayer& system();
};
