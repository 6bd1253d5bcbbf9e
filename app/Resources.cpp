#include "Resources.h"

#include <QDir>
#include <QFileInfo>

QString resourceDir(const QString& programDir)
{
    const QDir dir(programDir);
    for (const QString& candidate :
        { dir.filePath(QStringLiteral("resources")), dir.filePath(QStringLiteral("../share/bolvin")) }) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QString();
}
