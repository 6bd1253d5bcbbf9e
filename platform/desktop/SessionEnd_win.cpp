#include "SessionEnd.h"

// Windows ends a GUI program through the session's end message, which Qt already turns
// into the application's quit.
SessionEnd::SessionEnd(QObject* parent)
    : QObject(parent)
{
}

SessionEnd::~SessionEnd() = default;
