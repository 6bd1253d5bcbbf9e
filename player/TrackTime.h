#pragma once

#include <QString>

// A track's length as players show it and extras files carry it: "3:05", or "1:02:03" from
// an hour up; a negative length reads as none, "0:00".
QString trackTimeText(qint64 milliseconds);
