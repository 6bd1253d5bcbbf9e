#pragma once

#include <QString>
#include <QStringList>

// Parts that need large libraries (sound, network, printing) live in modules loaded at their
// first use, so that a start does not load those libraries for a feature it may never use.
class ModuleLoader
{
public:
    // Where the modules are: in the build tree beside the program, else where they are
    // installed.
    static QStringList folders(const QString& programDir);
    // The folders of the running program; needs the application object.
    static QStringList folders();

    // Loads module name from the first of folders that has it, for the rest of the run, and
    // returns its function entry; nullptr when none could be loaded, *error saying why.
    static QFunctionPointer resolve(const QString& name, const char* entry, const QStringList& folders, QString* error);
};
