#pragma once

#include <QString>

#include <stdexcept>

// Thrown by any player member that cannot answer: no current track, an index outside a
// collection, a player that vanished mid-call. Callers treat a failed read as "no value".
class PlayerError : public std::runtime_error
{
public:
    explicit PlayerError(const QString& what)
        : std::runtime_error(what.toStdString())
    {
    }
};
