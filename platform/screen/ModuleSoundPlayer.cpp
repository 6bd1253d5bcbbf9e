#include "ModuleSoundPlayer.h"

#include "ModuleLoader.h"

#include <cstdio>

namespace
{
using CreateSoundPlayer = SoundPlayer* (*)();
}

ModuleSoundPlayer::ModuleSoundPlayer(QStringList folders)
    : m_folders(std::move(folders))
{
}

// The module stays loaded to the end: its code runs the player's destructor.
ModuleSoundPlayer::~ModuleSoundPlayer() = default;

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
    QString error;
    if (const auto create = reinterpret_cast<CreateSoundPlayer>(
            ModuleLoader::resolve(QStringLiteral("bolvin_sound"), "bolvinCreateSoundPlayer", m_folders, &error)))
        m_player.reset(create());
    else
        std::fprintf(stderr, "Bolvin plays no sounds: %s\n", qPrintable(error));
}

SoundPlayer& SoundPlayer::system()
{
    static ModuleSoundPlayer player(ModuleLoader::folders());
    return player;
}
