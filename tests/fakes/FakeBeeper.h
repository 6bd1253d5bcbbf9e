#pragma once

#include "artwork/Beeper.h"

// Counts the beeps it was asked for.
class FakeBeeper : public Beeper
{
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};
