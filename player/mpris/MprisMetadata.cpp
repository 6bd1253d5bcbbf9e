#include "MprisMetadata.h"

#include "player/TrackTime.h"

#include "player/RatingScale.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QUrl>

#include <cmath>

namespace
{
constexpr qint64 kMicrosecondsPerSecond = 1000000;
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

// QtDBus leaves nested variants and containers it has no type for as arguments.
QVariant unwrap(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

QDBusArgument argumentOf(const QVariant& value)
{
    return value.value<QDBusArgument>();
}

bool isArgument(const QVariant& value, const char* signature)
{
    return value.metaType() == QMetaType::fromType<QDBusArgument>()
        && argumentOf(value).currentSignature() == QLatin1String(signature);
}
}

MprisMetadata::MprisMetadata(QVariantMap map)
    : m_map(std::move(map))
{
}

MprisMetadata MprisMetadata::fromVariant(const QVariant& raw)
{
    const QVariant value = unwrap(raw);
    if (value.metaType() == QMetaType::fromType<QVariantMap>())
        return MprisMetadata(value.toMap());
    if (isArgument(value, "a{sv}"))
        return MprisMetadata(qdbus_cast<QVariantMap>(argumentOf(value)));
    return MprisMetadata();
}

QString MprisMetadata::string(const QString& key) const
{
    const QVariant value = unwrap(m_map.value(key));
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString();
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    // A list where one text was due: its first entry is the best reading.
    const QStringList list = strings(key);
    return list.isEmpty() ? QString() : list.first();
}

QStringList MprisMetadata::strings(const QString& key) const
{
    const QVariant value = unwrap(m_map.value(key));
    if (value.metaType() == QMetaType::fromType<QStringList>())
        return value.toStringList();
    if (value.metaType() == QMetaType::fromType<QString>())
        return { value.toString() };
    if (isArgument(value, "as"))
        return qdbus_cast<QStringList>(argumentOf(value));
    return {};
}

bool MprisMetadata::hasTrack() const
{
    // An id alone names nothing a user could be shown: mpv idle says "/noplaylist".
    if (m_map.isEmpty() || trackId() == kNoTrack)
        return false;
    return !title().isEmpty() || !url().isEmpty() || !artist().isEmpty() || !album().isEmpty();
}

QString MprisMetadata::trackId() const
{
    return string(QStringLiteral("mpris:trackid"));
}

QString MprisMetadata::url() const
{
    return string(QStringLiteral("xesam:url"));
}

QString MprisMetadata::title() const
{
    return string(QStringLiteral("xesam:title"));
}

QString MprisMetadata::artist() const
{
    return strings(QStringLiteral("xesam:artist")).join(QStringLiteral(", "));
}

QString MprisMetadata::album() const
{
    return string(QStringLiteral("xesam:album"));
}

qint64 MprisMetadata::lengthMicroseconds() const
{
    const QVariant value = unwrap(m_map.value(QStringLiteral("mpris:length")));
    if (value.metaType() == QMetaType::fromType<QString>())
        return -1;
    bool ok = false;
    const qint64 length = value.toLongLong(&ok);
    return ok && length >= 0 ? length : -1;
}

QString MprisMetadata::timeText() const
{
    const qint64 length = lengthMicroseconds();
    return trackTimeText(length < 0 ? -1 : length / (kMicrosecondsPerSecond / 1000));
}

int MprisMetadata::rating() const
{
    const QVariant value = unwrap(m_map.value(QStringLiteral("xesam:userRating")));
    if (value.metaType() == QMetaType::fromType<QString>())
        return 0;
    bool ok = false;
    const double scale = value.toDouble(&ok);
    return ok ? ratingFromScale(scale) : 0;
}

int MprisMetadata::ratingFromScale(double value)
{
    return RatingScale::fromUserRating(value);
}

int MprisMetadata::useCount() const
{
    const QVariant value = unwrap(m_map.value(QStringLiteral("xesam:useCount")));
    if (value.metaType() == QMetaType::fromType<QString>())
        return 0;
    bool ok = false;
    const int count = value.toInt(&ok);
    return ok && count > 0 ? count : 0;
}

bool MprisMetadata::hasUseCount() const
{
    return m_map.contains(QStringLiteral("xesam:useCount"));
}

QDateTime MprisMetadata::lastUsed() const
{
    const QDateTime date = QDateTime::fromString(string(QStringLiteral("xesam:lastUsed")), Qt::ISODate);
    return date.isValid() ? date.toLocalTime() : QDateTime();
}

QString MprisMetadata::artUrl() const
{
    return string(QStringLiteral("mpris:artUrl"));
}

QString MprisMetadata::identity() const
{
    return QStringList { trackId(), url(), title(), artist(), album() }.join(QChar(0x1f));
}

bool MprisMetadata::isProvisional() const
{
    if (!artist().isEmpty() || !album().isEmpty())
        return false;
    const QString name = QUrl(url()).fileName();
    return title().isEmpty() || (!name.isEmpty() && title() == name);
}
