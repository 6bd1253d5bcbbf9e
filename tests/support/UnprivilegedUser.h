#pragma once

#include <QDirIterator>
#include <QFile>
#include <QString>

#include <pwd.h>
#include <unistd.h>

// Runs the rest of a scope as "nobody" when the tests run as root, who would write through
// any mode: a read-only file or folder then means what it means to a user. The folder is
// given to nobody first. The saved user id stays root, so the scope's end takes root back.
class UnprivilegedUser
{
public:
    explicit UnprivilegedUser(const QString& folder)
    {
        const passwd* nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 || !nobody)
            return;
        chown(folder, nobody->pw_uid, nobody->pw_gid);
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            chown(it.next(), nobody->pw_uid, nobody->pw_gid);
        m_dropped = ::setresgid(nobody->pw_gid, nobody->pw_gid, 0) == 0
            && ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0;
    }
    ~UnprivilegedUser()
    {
        if (m_dropped)
            m_dropped = ::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0;
    }
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

    // False when the scope still runs as root (no user "nobody").
    bool isUnprivileged() const { return ::geteuid() != 0; }

private:
    static void chown(const QString& path, uid_t user, gid_t group)
    {
        (void)::chown(QFile::encodeName(path).constData(), user, group);
    }

    bool m_dropped = false;
};
