#pragma once

#include <QString>

// The folder holding icons, backgrounds, sounds and the sample library: "resources" beside
// the program (the build tree), else the installed data folder. Empty when neither exists.
QString resourceDir(const QString& programDir);
