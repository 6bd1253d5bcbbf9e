#pragma once

// The system's short warning sound.
class Beeper
{
public:
    virtual ~Beeper() = default;

    // Sounds the beep and returns at once.
    virtual void beep() = 0;

    // The real one, for code that is not handed one.
    static Beeper& system();
};
