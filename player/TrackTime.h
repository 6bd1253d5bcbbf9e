#pragma once

#include <QString>

#include <optional>

// A track's length as players show it and extras files carry it: "3:05", or "1:02:03" from
// an hour up; a negative length reads as none, "0:00".
QString trackTimeText(qint64 milliseconds);
// The length such a text shows, in milliseconds: "3:05" or "1:02:03". nullopt for anything
// else.
std::optional<qint64> trackTimeMs(const QString& text);
