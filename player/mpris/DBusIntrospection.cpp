#include "DBusIntrospection.h"

#include <QDBusMessage>
#include <QXmlStreamReader>

namespace
{
const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
}

std::optional<DBusIntrospection> DBusIntrospection::read(
    const QDBusConnection& bus, const QString& service, const QString& path, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, kIntrospectable, QStringLiteral("Introspect"));
    // Looking at what a service offers never starts it.
    call.setAutoStartService(false);
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1
        || reply.arguments().first().metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    return parse(reply.arguments().first().toString());
}

std::optional<DBusIntrospection> DBusIntrospection::parse(const QString& xml)
{
    DBusIntrospection result;
    QXmlStreamReader reader(xml);
    bool sawNode = false;
    // Only the object's own interfaces count, not those of child nodes.
    int depth = 0;
    QString interface;
    QString method;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            const auto name = reader.name();
            if (name == QLatin1String("node"))
                --depth;
            else if (name == QLatin1String("interface"))
                interface.clear();
            else if (name == QLatin1String("method"))
                method.clear();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto name = reader.name();
        const auto attributes = reader.attributes();
        if (name == QLatin1String("node")) {
            sawNode = true;
            ++depth;
        } else if (depth != 1) {
            continue;
        } else if (name == QLatin1String("interface")) {
            interface = attributes.value(QLatin1String("name")).toString();
            result.m_interfaces[interface];
        } else if (interface.isEmpty()) {
            continue;
        } else if (name == QLatin1String("method")) {
            method = attributes.value(QLatin1String("name")).toString();
            result.m_interfaces[interface].methods[method];
        } else if (name == QLatin1String("arg") && !method.isEmpty()
            && attributes.value(QLatin1String("direction")) != QLatin1String("out")) {
            result.m_interfaces[interface].methods[method] += attributes.value(QLatin1String("type")).toString();
        } else if (name == QLatin1String("property")) {
            result.m_interfaces[interface].properties.insert(attributes.value(QLatin1String("name")).toString(),
                { attributes.value(QLatin1String("type")).toString(),
                    attributes.value(QLatin1String("access")).toString() });
        }
    }
    if (reader.hasError() || !sawNode)
        return std::nullopt;
    return result;
}

bool DBusIntrospection::hasInterface(const QString& interface) const
{
    return m_interfaces.contains(interface);
}

bool DBusIntrospection::hasMethod(const QString& interface, const QString& method, const QString& inSignature) const
{
    const auto found = m_interfaces.constFind(interface);
    if (found == m_interfaces.constEnd())
        return false;
    const auto signature = found->methods.constFind(method);
    return signature != found->methods.constEnd() && *signature == inSignature;
}

bool DBusIntrospection::hasWritableProperty(const QString& interface, const QString& name, const QString& type) const
{
    const auto found = m_interfaces.constFind(interface);
    if (found == m_interfaces.constEnd())
        return false;
    const auto property = found->properties.constFind(name);
    return property != found->properties.constEnd() && property->type == type
        && (property->access == QLatin1String("readwrite") || property->access == QLatin1String("write"));
}
