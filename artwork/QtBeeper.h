#pragma once

#include "Beeper.h"

// The beep on Qt: the platform's bell, or nothing where the platform has none.
class QtBeeper : public Beeper
{
public:
    void beep() override;
};
