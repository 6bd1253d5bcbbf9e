#include "ModuleSoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <cstdio>

namespace
{
const QString kModuleName = QStringLiteral("bolvin_sound");
using CreateSoundPlayer = SoundPlayer* (*)();
}

ModuleSoundPlayer::ModuleSoundPlayer(QStringList folders)
    : m_folders(std::move(folders))
{
}

// The module stays loaded to the end: its code runs the player's destructor.
ModuleSoundPlayer::~ModuleSoundPlayer() = default;

QStringList ModuleSoundPlayer::folders(const QString& programDir)
{
    const QDir dir(programDir);
    return { dir.filePath(QStringLiteral(BOLVIN_BUILD_MODULE_SUBDIR)),
        QDir::cleanPath(dir.filePath(QStringLiteral(BOLVIN_INSTALLED_MODULE_DIR))) };
}

void ModuleSoundPlayer::playFile(const QString& path)
{
    if (!m_tried)
        load();
    if (m_player)
        m_player->playFile(path);
}

void ModuleSoundPlayer::load()
{
    m_tried = true;
    QStringList reasons;
    for (const QString& folder : m_folders) {
        QLibrary module(QDir(folder).filePath(kModuleName));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load()) {
            reasons << module.errorString();
            continue;
        }
        if (const auto create = reinterpret_cast<CreateSoundPlayer>(module.resolve("bolvinCreateSoundPlayer"))) {
            m_player.reset(create());
            return;
        }
        reasons << module.errorString();
    }
    std::fprintf(stderr, "Bolvin plays no sounds: %s\n", qPrintable(reasons.join(QStringLiteral("; "))));
}

SoundPlayer& SoundPlayer::system()
{
    static ModuleSoundPlayer player(ModuleSoundPlayer::folders(QCoreApplication::applicationDirPath()));
    return player;
}
