#pragma once

#include "platform/screen/Cursor.h"

// A pointer that stays where the test puts it (far off the screen by default).
class FakeCursor : public Cursor
{
public:
    QPoint at { -10000, -10000 };
    QPoint pos() const override { return at; }
};
