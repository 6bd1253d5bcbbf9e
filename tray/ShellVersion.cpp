#include "ShellVersion.h"

namespace {
constexpr quint32 kNonNtBit = 0x80000000u;
constexpr int kBalloonNtMajor = 5;
constexpr int kBalloonOtherMajor = 4;
constexpr int kBalloonOtherMinor = 90;
} // namespace

ShellFeatures decodeVersionWord(quint32 versionWord)
{
    const int major = int(versionWord & 0xFF);
    const int minor = int((versionWord >> 8) & 0xFF);
    ShellFeatures features;
    features.useUnicode = (versionWord & kNonNtBit) == 0;
    features.supportsBalloon = features.useUnicode
        ? major >= kBalloonNtMajor
        : major == kBalloonOtherMajor && minor == kBalloonOtherMinor;
    return features;
}
