#include "modSound.h"

#include <QFileInfo>

void PlayWaveFile(const QString& path, SoundPlayer& player)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    player.playFile(path);
}
