#pragma once

#include <QDirIterator>
#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <pwd.h>
#include <sys/syscall.h>
#include <unistd.h>

// Runs the rest of a scope as "nobody" when the tests run as root, who would write through
// any mode: a read-only file or folder then means what it means to a user. The folder is
// given to nobody first. Nobody keeps root's power to look into any folder, no more: in a
// container even "/" may be closed to other users. The saved user id stays root, so the
// scope's end takes root back.
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
        if (m_dropped)
            allowSearch();
        // Where nobody cannot reach the folder by its name (a container whose "/" is closed to
        // other users), the file checks a user's program makes would all fail for the wrong
        // reason: the scope stays root and the caller skips.
        if (m_dropped && ::access(QFile::encodeName(folder).constData(), X_OK) != 0)
            restore();
    }
    ~UnprivilegedUser() { restore(); }
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

    // False when the scope still runs as root (no user "nobody", or none can reach the folder).
    bool isUnprivileged() const { return ::geteuid() != 0; }

private:
    void restore()
    {
        if (m_dropped)
            m_dropped = ::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0;
    }
    static void chown(const QString& path, uid_t user, gid_t group)
    {
        (void)::chown(QFile::encodeName(path).constData(), user, group);
    }
    // Root's permitted powers outlive the change of user while the saved id is root; this
    // thread takes back the one to read and search folders, never one to write.
    static void allowSearch()
    {
        __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        data[CAP_DAC_READ_SEARCH / 32].effective |= 1U << (CAP_DAC_READ_SEARCH % 32);
        (void)::syscall(SYS_capset, &header, data);
    }

    bool m_dropped = false;
};
