#pragma once

#include "Clock.h"

// The monotonic clock: milliseconds since an arbitrary point, typically system start.
class QtClock : public Clock
{
public:
    qint64 now() const override;
};
