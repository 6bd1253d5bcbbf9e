#include "FileCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace
{

// Small enough that a large library is never held whole in memory.
constexpr qint64 kChunk = qint64(1) << 20;

bool writeFrom(
    QIODevice& source, const QString& target, std::optional<QFileDevice::Permissions> permissions, QString* why)
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *why = out.errorString();
        return false;
    }
    while (!source.atEnd()) {
        const QByteArray bytes = source.read(kChunk);
        if (bytes.isEmpty()) {
            *why = source.errorString();
            out.cancelWriting();
            return false;
        }
        // A refused write makes commit() fail with the device's reason.
        if (out.write(bytes) != bytes.size())
            break;
    }
    // Set on the temporary file, so the copy never shows more than the original allows.
    if (permissions)
        out.setPermissions(*permissions);
    if (!out.commit()) {
        *why = out.errorString();
        return false;
    }
    return true;
}

} // namespace

bool FileCopy::write(QIODevice& source, const QString& target, QString* why)
{
    return writeFrom(source, target, std::nullopt, why);
}

bool FileCopy::copy(const QString& source, const QString& target, QString* why)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *why = in.errorString();
        return false;
    }
    return writeFrom(in, target, in.permissions(), why);
}

QString FileCopy::backupName(const QString& file, const QDateTime& when)
{
    const QFileInfo info(file);
    const QString stem = info.completeBaseName() + QStringLiteral(".before-import-")
        + when.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    QString name = info.dir().filePath(stem + suffix);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = info.dir().filePath(QStringLiteral("%1-%2%3").arg(stem).arg(n).arg(suffix));
    return name;
}
