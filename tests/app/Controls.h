#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

// The control named name inside window, as the user reaches it through the window. Throws
// when there is none, so that a renamed control fails its test instead of crashing the run.
template <typename Control> Control* control(const QObject& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        throw std::logic_error(std::string("no control named ") + name);
    return found;
}
