#pragma once

#include <QString>

// The few system-registry writes Bolvin makes: the run-at-logon entry. Where there is no
// registry an implementation keeps the same names and meaning in the platform's own place.
class Registry
{
public:
    enum Root { CurrentUser, LocalMachine };

    virtual ~Registry() = default;

    // Creates or opens KeyName under hKey and writes value as ValueName. Reports nothing.
    virtual void SetRegistryString(Root hKey, const QString& KeyName, const QString& ValueName, const QString& value)
        = 0;
    // True only when the value existed under a key opened for writing and was deleted.
    virtual bool DeleteRegistryValue(Root hKey, const QString& KeyName, const QString& ValueName) = 0;

    // The run-at-logon command for the program in programDir: the quoted path of the
    // program file, whatever the running file is called.
    virtual QString runAtLogonCommand(const QString& programDir) const = 0;
};

// Where the run-at-logon entries live.
inline constexpr auto kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
