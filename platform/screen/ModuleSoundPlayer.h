#pragma once

#include "ModuleLoader.h"
#include "SoundPlayer.h"

#include <QStringList>

#include <memory>

// The program's sound output: the Qt Multimedia player in its own module, loaded at the
// first sound from the first of the folders that has it. Without the module, sounds are
// skipped and stderr says why, once.
class ModuleSoundPlayer : public SoundPlayer
{
public:
    explicit ModuleSoundPlayer(QStringList folders);
    ~ModuleSoundPlayer() override;

    void playFile(const QString& path) override;

    // False until a sound loaded the module, and when it could not be loaded.
    bool isLoaded() const { return m_player != nullptr; }

    // Where the module is: in the build tree beside the program, else where it is installed.
    static QStringList folders(const QString& programDir) { return ModuleLoader::folders(programDir); }

private:
    void load();

    QStringList m_folders;
    bool m_tried = false;
    std::unique_ptr<SoundPlayer> m_player;
};
