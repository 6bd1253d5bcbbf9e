#pragma once

#include <QtGlobal>

// What the shell offers, read from the operating-system version word.
struct ShellFeatures {
    bool useUnicode = false;      // NT family: the wide record
    bool supportsBalloon = false; // balloon tips and the version-2 record
};

// Low byte major, next byte minor, top bit set for the non-NT family. Balloons come with
// NT 5.0 and later, and with 4.90 in the other family.
ShellFeatures decodeVersionWord(quint32 versionWord);
