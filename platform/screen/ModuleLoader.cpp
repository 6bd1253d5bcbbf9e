#include "ModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

QStringList ModuleLoader::folders(const QString& programDir)
{
    const QDir dir(programDir);
    return { dir.filePath(QStringLiteral(BOLVIN_BUILD_MODULE_SUBDIR)),
        QDir::cleanPath(dir.filePath(QStringLiteral(BOLVIN_INSTALLED_MODULE_DIR))) };
}

QStringList ModuleLoader::folders()
{
    return folders(QCoreApplication::applicationDirPath());
}

QFunctionPointer ModuleLoader::resolve(
    const QString& name, const char* entry, const QStringList& folders, QString* error)
{
    QStringList reasons;
    for (const QString& folder : folders) {
        QLibrary module(QDir(folder).filePath(name));
        // Its code runs to the end: the objects it made are destroyed late, by its code.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (!module.load()) {
            reasons << module.errorString();
            continue;
        }
        if (const QFunctionPointer found = module.resolve(entry))
            return found;
        reasons << module.errorString();
    }
    *error = reasons.join(QStringLiteral("; "));
    return nullptr;
}
