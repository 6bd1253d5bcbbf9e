#include "ReplacingFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QString partSuffix = QStringLiteral(".bolvin-part");
constexpr mode_t permissionBits = 07777;
constexpr mode_t privateMode = 0600;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Closes on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The owner may not be changeable by this user; the group and mode then still are, and a
// file this user made is this user's anyway.
bool takeAttributes(int fd, const struct stat& like, QString* error)
{
    if (::fchown(fd, like.st_uid, like.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), like.st_gid);
    if (::fchmod(fd, like.st_mode & permissionBits) != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

bool writeAll(int fd, const QByteArray& bytes, QString* error)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + at, std::size_t(bytes.size() - at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *error = systemError();
            return false;
        }
        at += written;
    }
    if (::fsync(fd) != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

// An unnamed file in dir; -1 where the file system has none.
int unnamedFile(const QString& dir)
{
    return ::open(QFile::encodeName(dir).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, privateMode);
}

// Gives the unnamed fd the name; fails when the name exists.
bool nameUnnamed(int fd, const QString& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0;
}

// Writes bytes to a new file like `like` and names it target: exclusively (no file of that
// name may exist) or over an existing one.
bool writeNew(const QString& target, const QByteArray& bytes, const struct stat& like, bool replacing, QString* error)
{
    const QString temporary = ReplacingFile::temporaryFor(target);
    const QByteArray temporaryName = QFile::encodeName(temporary);
    Descriptor unnamed(unnamedFile(QFileInfo(target).absolutePath()));
    if (unnamed.get() >= 0) {
        if (!takeAttributes(unnamed.get(), like, error) || !writeAll(unnamed.get(), bytes, error))
            return false;
        if (!replacing) {
            if (!nameUnnamed(unnamed.get(), target)) {
                *error = systemError();
                return false;
            }
            return true;
        }
        ::unlink(temporaryName.constData());
        if (!nameUnnamed(unnamed.get(), temporary)) {
            *error = systemError();
            return false;
        }
    } else {
        Descriptor named(
            ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, privateMode));
        if (named.get() < 0) {
            *error = systemError();
            return false;
        }
        if (!takeAttributes(named.get(), like, error) || !writeAll(named.get(), bytes, error)) {
            ::unlink(temporaryName.constData());
            return false;
        }
    }
    const QByteArray targetName = QFile::encodeName(target);
    const int named = replacing ? ::rename(temporaryName.constData(), targetName.constData())
                                : ::link(temporaryName.constData(), targetName.constData());
    if (named != 0) {
        *error = systemError();
        ::unlink(temporaryName.constData());
        return false;
    }
    if (!replacing)
        ::unlink(temporaryName.constData());
    return true;
}

bool statOf(const QString& path, struct stat* info, QString* error)
{
    if (::stat(QFile::encodeName(path).constData(), info) != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

} // namespace

bool ReplacingFile::replace(const QString& path, const QByteArray& bytes, QString* error)
{
    struct stat like {
    };
    return statOf(path, &like, error) && writeNew(path, bytes, like, true, error);
}

bool ReplacingFile::copyNew(const QString& source, const QString& target, QString* error)
{
    struct stat like {
    };
    if (!statOf(source, &like, error))
        return false;
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return writeNew(target, bytes, like, false, error);
}

bool ReplacingFile::publish(const QString& temporary, const QString& target, const QString& like, QString* error)
{
    struct stat info {
    };
    if (!statOf(like, &info, error))
        return false;
    Descriptor fd(::open(QFile::encodeName(temporary).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) {
        *error = systemError();
        return false;
    }
    if (!takeAttributes(fd.get(), info, error))
        return false;
    if (::fsync(fd.get()) != 0) {
        *error = systemError();
        return false;
    }
    if (::link(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = systemError();
        return false;
    }
    ::unlink(QFile::encodeName(temporary).constData());
    return true;
}

QString ReplacingFile::temporaryFor(const QString& target)
{
    const QFileInfo info(target);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + partSuffix);
}

void ReplacingFile::sweep(const QString& path)
{
    const QFileInfo info(path);
    const QStringList left = info.dir().entryList(
        { QLatin1Char('.') + info.completeBaseName() + QLatin1Char('*') + partSuffix }, QDir::Files | QDir::Hidden);
    for (const QString& name : left)
        QFile::remove(info.dir().filePath(name));
}
