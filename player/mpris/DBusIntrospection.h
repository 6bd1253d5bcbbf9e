#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QString>

#include <optional>

// What an object on the bus says it offers, from its Introspect answer. Players are told
// apart by what they offer, never by a version string.
class DBusIntrospection
{
public:
    // Asks service for the description of path, waiting at most timeoutMs; nullopt when it
    // does not answer in time, answers an error, or sends something that is not a description.
    static std::optional<DBusIntrospection> read(
        const QDBusConnection& bus, const QString& service, const QString& path, int timeoutMs);
    // nullopt when xml is not an introspection document.
    static std::optional<DBusIntrospection> parse(const QString& xml);

    bool hasInterface(const QString& interface) const;
    // inSignature is the method's in-arguments' types joined ("sa{sv}").
    bool hasMethod(const QString& interface, const QString& method, const QString& inSignature) const;
    // A property of that type that other programs may set ("write" or "readwrite").
    bool hasWritableProperty(const QString& interface, const QString& name, const QString& type) const;

private:
    struct Property {
        QString type;
        QString access;
    };
    struct Interface {
        QHash<QString, QString> methods; // name -> in-signature
        QHash<QString, Property> properties;
    };

    QHash<QString, Interface> m_interfaces;
};
