#pragma once

#include "platform/screen/Clock.h"

// A clock that moves only when the test says so.
class FakeClock : public Clock
{
public:
    qint64 ticks = 1000000;
    qint64 now() const override { return ticks; }
    void advance(qint64 ms) { ticks += ms; }
};
