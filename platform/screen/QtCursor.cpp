#include "QtCursor.h"

#include <QCursor>

QPoint QtCursor::pos() const
{
    return QCursor::pos();
}

Cursor& Cursor::system()
{
    static QtCursor cursor;
    return cursor;
}
