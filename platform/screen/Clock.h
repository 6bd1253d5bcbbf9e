#pragma once

#include <QtGlobal>

// The tick count: milliseconds on a clock that only moves forward.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual qint64 now() const = 0;

    // The real clock, for code that is not handed one.
    static Clock& system();
};
