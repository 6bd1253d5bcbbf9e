#pragma once

#include "platform/screen/SoundPlayer.h"

#include <QPointer>
#include <QUrl>

class QSoundEffect;

// One sound effect for the whole program, so a new sound cuts off the old one.
class QtSoundPlayer : public SoundPlayer
{
public:
    // Files that are not RIFF/WAVE are not played (and do not cut off the current sound).
    void playFile(const QString& path) override;

    // The file last started; empty before the first sound.
    QUrl source() const;

private:
    // Owned by the application object, so it goes before the multimedia backend does.
    QPointer<QSoundEffect> m_effect;
};
