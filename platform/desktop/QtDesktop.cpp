#include "QtDesktop.h"

#include "PictureFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMap>
#include <QMessageBox>
#include <QPixmap>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include <cerrno>

namespace
{
constexpr auto kTitle = "Bolvin";
}

QtDesktop::QtDesktop(QString iconDir)
    : m_iconDir(std::move(iconDir))
{
}

void QtDesktop::messageBox(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kTitle), text, QMessageBox::Ok);
    box.exec();
}

void QtDesktop::showWindow(QWidget* window)
{
    window->show();
}

void QtDesktop::hideWindow(QWidget* window)
{
    window->hide();
}

void QtDesktop::raiseWindow(QWidget* window)
{
    window->showNormal();
    window->raise();
    window->activateWindow();
}

IconId QtDesktop::loadIcon(const QString& name, int size)
{
    const QString key = name + QLatin1Char('@') + QString::number(size);
    if (const auto found = m_handleByKey.constFind(key); found != m_handleByKey.cend())
        return *found;

    // The pictures drawn for this size and for a screen of twice the density go into the
    // icon, each the smallest drawn at least that large, so that neither is a blown-up
    // copy; the large ones are not decoded for a small icon.
    // The names are matched by hand: a wildcard filter is a regular expression, and that
    // alone would load the regular-expression compiler at every start.
    QMap<int, QString> byWidth;
    const QString prefix = name + QLatin1Char('-');
    const QLatin1String suffix(".png");
    for (QDirIterator files(m_iconDir, QDir::Files); files.hasNext();) {
        const QString path = files.next();
        const QString file = files.fileName();
        if (!file.startsWith(prefix) || !file.endsWith(suffix))
            continue;
        bool numbered = false;
        const int width = QStringView(file).sliced(prefix.size()).chopped(suffix.size()).toInt(&numbered);
        if (numbered)
            byWidth.insert(width, path);
    }
    QIcon icon;
    QString added;
    for (const int wanted : { size, 2 * size }) {
        const auto drawn = byWidth.lowerBound(wanted);
        if (drawn == byWidth.cend() || *drawn == added)
            continue;
        const QPixmap picture = PictureFile::read(*drawn);
        if (picture.isNull())
            continue;
        icon.addPixmap(drawn.key() == wanted
                ? picture
                : picture.scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        added = *drawn;
    }
    if (icon.isNull())
        return 0;
    const IconId handle = static_cast<IconId>(m_iconByHandle.size() + 1);
    m_iconByHandle.insert(handle, icon);
    m_handleByKey.insert(key, handle);
    return handle;
}

QIcon QtDesktop::icon(IconId handle) const
{
    return m_iconByHandle.value(handle);
}

void QtDesktop::setWindowIcons(QWidget* window, IconId big, IconId small)
{
    QIcon both;
    for (const IconId handle : { big, small }) {
        const QIcon part = icon(handle);
        for (const QSize& size : part.availableSizes())
            both.addPixmap(part.pixmap(size));
    }
    window->setWindowIcon(both);
}

QFont QtDesktop::systemFont() const
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

QString QtDesktop::closestInstalledFont(const QString& family) const
{
    // fontconfig's substitution, as any other program on this desktop would get it.
    return QFontInfo(QFont(family)).family();
}

QStringList QtDesktop::installedFonts() const
{
    return QFontDatabase::families();
}

void QtDesktop::openUrl(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

QString QtDesktop::tempDir() const
{
    // The user's own: in a folder every user shares, another user's file of the same name
    // would stand in the way.
    QString path = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (path.isEmpty())
        path = QDir::tempPath();
    if (path.isEmpty() || !QFileInfo(path).isDir())
        throw PlatformError(QStringLiteral("No temporary folder"), ENOENT);
    return QDir::toNativeSeparators(path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'));
}
