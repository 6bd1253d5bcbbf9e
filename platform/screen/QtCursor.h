#pragma once

#include "Cursor.h"

// The mouse pointer as Qt sees it.
class QtCursor : public Cursor
{
public:
    QPoint pos() const override;
};
