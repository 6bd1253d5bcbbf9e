#pragma once

#include "platform/screen/SoundPlayer.h"

#include <QStringList>

// Records the files it was asked to play, in order.
class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;
    void playFile(const QString& path) override { played.append(path); }
};
