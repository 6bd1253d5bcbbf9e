#pragma once

#include <QObject>

#include <initializer_list>
#include <utility>

// Each control is named as its member was: tests reach it by that name, as a user by its place.
inline void nameControls(std::initializer_list<std::pair<QObject*, const char*>> controls)
{
    for (const auto& [control, name] : controls)
        control->setObjectName(QLatin1String(name));
}
