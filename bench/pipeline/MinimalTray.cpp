// The yardstick for start-up and memory: a Qt 6 tray icon with a menu and nothing else.
#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace
{
constexpr int kIconSize = 22;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Quit"), &app, &QApplication::quit);
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::darkCyan);
    auto* icon = new QSystemTrayIcon(QIcon(pixmap));
    icon->setContextMenu(menu);
    icon->show();
    // Deleted before the application object goes: a tray icon that outlives it crashes at exit.
    QObject::connect(&app, &QApplication::aboutToQuit, [icon, menu] {
        delete icon;
        delete menu;
    });
    return app.exec();
}
