// A desktop's settings portal that knows one setting, the colour scheme, as GNOME and KDE
// serve it, and answers after a delay if asked to, as one still starting does.
// usage: fake_settings_portal SCHEME [DELAY-MS]   (SCHEME: 0 no preference, 1 dark, 2 light)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QThread>

class FakeSettingsPortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint scheme = 0;
    unsigned long delayMs = 0;
public slots:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        QThread::msleep(delayMs);
        if (group != "org.freedesktop.appearance" || key != "color-scheme")
            sendErrorReply("org.freedesktop.portal.Error.NotFound", "Requested setting not found");
        // The real portal wraps the value once more than its signature says.
        return QDBusVariant(QVariant::fromValue(QDBusVariant(scheme)));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FakeSettingsPortal portal;
    portal.scheme = argc > 1 ? QString(argv[1]).toUInt() : 0;
    portal.delayMs = argc > 2 ? QString(argv[2]).toULong() : 0;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.registerObject("/org/freedesktop/portal/desktop", &portal, QDBusConnection::ExportAllSlots);
    return bus.registerService("org.freedesktop.portal.Desktop") ? app.exec() : 1;
}

#include "FakeSettingsPortal.moc"
