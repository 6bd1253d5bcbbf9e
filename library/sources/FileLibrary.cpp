#include "FileLibrary.h"

#include "ReplacingFile.h"

#include "player/plist/FileCopy.h"

#include <QFile>
#include <QFileInfo>

FileLibrary::FileLibrary(QString path)
    : m_path(std::move(path))
    , m_now([] { return QDateTime::currentDateTime(); })
{
}

bool FileLibrary::commit(QString* message)
{
    m_wrote = false;
    const std::vector<int> changed = changedEntries();
    if (changed.empty())
        return true;
    ReplacingFile::sweep(m_path);
    if (!QFileInfo(m_path).isWritable()) {
        *message = QStringLiteral("The %1 \"%2\" was not changed: it is read-only. The imported values were not "
                                  "saved; make the file writable and import again.")
                       .arg(kind(), m_path);
        return false;
    }
    m_backup = FileCopy::backupName(m_path, m_now());
    QString error;
    if (!copyTo(m_backup, &error)) {
        QFile::remove(m_backup);
        *message = QStringLiteral("The %1 \"%2\" was not changed: no copy of it could be made beside it (%3).")
                       .arg(kind(), m_path, error);
        m_backup.clear();
        return false;
    }
    if (!writeChanges(changed, &error)) {
        *message = QStringLiteral("The %1 \"%2\" was not changed: %3 A copy of it from before the import is at \"%4\".")
                       .arg(kind(), m_path, error, m_backup);
        return false;
    }
    clearChanges();
    m_wrote = true;
    return true;
}

QString FileLibrary::completionNote() const
{
    if (!m_wrote)
        return {};
    QString note = QStringLiteral("A copy of the %1 from before the import is at \"%2\".").arg(kind(), m_backup);
    if (!whenShown().isEmpty())
        note = whenShown() + QLatin1Char(' ') + note;
    return note;
}

bool FileLibrary::copyTo(const QString& target, QString* error)
{
    return ReplacingFile::copyNew(m_path, target, error);
}

bool FileLibrary::restoreBackup(QString* error) const
{
    QFile copy(m_backup);
    if (!copy.open(QIODevice::ReadOnly)) {
        *error = copy.errorString();
        return false;
    }
    const QByteArray bytes = copy.readAll();
    if (copy.error() != QFileDevice::NoError) {
        *error = copy.errorString();
        return false;
    }
    return ReplacingFile::replace(m_path, bytes, error);
}
