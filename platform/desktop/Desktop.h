#pragma once

#include <QFont>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include <stdexcept>

class QWidget;

// A platform call that failed, with the platform's own error code.
class PlatformError : public std::runtime_error
{
public:
    PlatformError(const QString& what, int code)
        : std::runtime_error(what.toStdString())
        , m_code(code)
    {
    }
    int code() const { return m_code; }

private:
    int m_code;
};

// Opaque, shared icon handle; 0 is no icon. The same name and size give the same handle.
using IconId = quint32;

// Desktop services the application core needs: message boxes, windows, icons and the
// temporary folder. One implementation on Qt; tests use a recording fake.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // Shows text with an OK button only, titled "Bolvin", and returns when it is closed.
    virtual void messageBox(const QString& text) = 0;

    virtual void showWindow(QWidget* window) = 0;
    virtual void hideWindow(QWidget* window) = 0;
    // Brings a shown window to the front and gives it the focus.
    virtual void raiseWindow(QWidget* window) = 0;

    // The named icon resource at size × size pixels; 0 when there is no such resource.
    virtual IconId loadIcon(const QString& name, int size) = 0;
    // The picture behind a handle; a null icon for 0 or an unknown handle.
    virtual QIcon icon(IconId handle) const = 0;
    // Attaches big and small icons to a top-level window.
    virtual void setWindowIcons(QWidget* window, IconId big, IconId small) = 0;

    // The installed screen fonts, in the order the system reports them.
    virtual QStringList installedFonts() const = 0;
    // The desktop's own user-interface font.
    virtual QFont systemFont() const = 0;
    // The installed family the system draws in place of family (itself when installed).
    virtual QString closestInstalledFont(const QString& family) const = 0;
    // Opens a web address in the user's browser; failures are not reported.
    virtual void openUrl(const QString& address) = 0;

    // The user's temporary folder, ending in a separator. Throws PlatformError when the
    // folder cannot be had.
    virtual QString tempDir() const = 0;
};
