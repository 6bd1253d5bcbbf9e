#include "QtSoundPlayer.h"

#include <QCoreApplication>
#include <QFile>
#include <QSoundEffect>

namespace
{
constexpr int kRiffHeaderSize = 12;

bool isRiffWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(kRiffHeaderSize);
    return header.size() == kRiffHeaderSize && header.startsWith("RIFF") && header.endsWith("WAVE");
}
}

void QtSoundPlayer::playFile(const QString& path)
{
    // Qt 6.4's sample cache never finishes loading a file that is not RIFF/WAVE, and the
    // next source change or the program's exit then waits for it for ever.
    if (!isRiffWave(path))
        return;
    if (!m_effect)
        m_effect = new QSoundEffect(QCoreApplication::instance());
    m_effect->stop();
    m_effect->setSource(QUrl::fromLocalFile(path));
    // Plays as soon as the file has loaded, which happens in the background.
    m_effect->play();
}

QUrl QtSoundPlayer::source() const
{
    return m_effect ? m_effect->source() : QUrl();
}

// What the program looks up once it has loaded this module.
extern "C" Q_DECL_EXPORT SoundPlayer* bolvinCreateSoundPlayer()
{
    return new QtSoundPlayer;
}
