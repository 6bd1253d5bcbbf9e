// A desktop's StatusNotifierWatcher with a host, as KDE and GNOME's AppIndicator extension
// run one: Qt then shows tray icons through D-Bus.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>

class FakeTrayWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER m_items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER m_host)
    Q_PROPERTY(int ProtocolVersion MEMBER m_version)
public slots:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& call)
    {
        // A path alone names an object of the caller's connection.
        m_items << (service.startsWith(u'/') ? call.service() + service : service + "/StatusNotifierItem");
        emit StatusNotifierItemRegistered(m_items.last());
    }
    void RegisterStatusNotifierHost(const QString&) { emit StatusNotifierHostRegistered(); }
signals:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
    bool m_host = true;
    int m_version = 0;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FakeTrayWatcher watcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.registerObject("/StatusNotifierWatcher", &watcher, QDBusConnection::ExportAllContents);
    return bus.registerService("org.kde.StatusNotifierWatcher") ? app.exec() : 1;
}

#include "FakeTrayWatcher.moc"
