#include "QtDesktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QUrl>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

#include <cerrno>

namespace {
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

    // Every picture of that name goes into the icon, so that a screen of twice the density
    // is given the picture drawn for it rather than this size blown up.
    QIcon icon;
    QPixmap largest;
    const QStringList files = QDir(m_iconDir).entryList({ name + QStringLiteral("-*.png") }, QDir::Files);
    for (const QString& file : files) {
        const QPixmap picture(QDir(m_iconDir).filePath(file));
        if (picture.isNull() || picture.width() < size)
            continue;
        icon.addPixmap(picture);
        if (picture.width() > largest.width())
            largest = picture;
    }
    if (largest.isNull())
        return 0;
    if (!files.contains(QStringLiteral("%1-%2.png").arg(name).arg(size)))
        icon.addPixmap(largest.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
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
    const QString path = QDir::tempPath();
    if (path.isEmpty() || !QFileInfo(path).isDir())
        throw PlatformError(QStringLiteral("No temporary folder"), ENOENT);
    return QDir::toNativeSeparators(path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'));
}
