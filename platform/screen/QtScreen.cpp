#include "QtScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace
{
constexpr double kDefaultDpi = 96.0;
}

QRect QtScreen::workArea() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

double QtScreen::logicalDpiX() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : kDefaultDpi;
}

double QtScreen::logicalDpiY() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : kDefaultDpi;
}

QRect QtScreen::windowRect(const QWidget* window) const
{
    if (!window)
        return {};
    return { window->mapToGlobal(QPoint(0, 0)), window->size() };
}

Screen& Screen::system()
{
    static QtScreen screen;
    return screen;
}
