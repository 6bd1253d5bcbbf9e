#include "RhythmboxDatabase.h"

#include "DBusIntrospection.h"
#include "MprisConnection.h"
#include "player/RatingScale.h"

#include "player/PlayerError.h"

#include "rhythmdbproxy.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace
{
const QString kRating = QStringLiteral("rating");
const QString kPlayCount = QStringLiteral("play-count");
const QString kLastPlayed = QStringLiteral("last-played");
constexpr double kSameStars = 1e-6;

// Rhythmbox sends numbers as d or u; anything else is no value.
std::optional<double> number(const QVariant& value)
{
    const QMetaType type = value.metaType();
    if (type != QMetaType::fromType<double>() && type != QMetaType::fromType<uint>()
        && type != QMetaType::fromType<int>() && type != QMetaType::fromType<qulonglong>()
        && type != QMetaType::fromType<qlonglong>())
        return std::nullopt;
    const double result = value.toDouble();
    return std::isfinite(result) ? std::optional(result) : std::nullopt;
}

bool sameStars(const QVariant& sent, const QVariant& held)
{
    const auto stars = number(held);
    return stars && std::abs(*stars - sent.toDouble()) < kSameStars;
}

bool sameCount(const QVariant& sent, const QVariant& held)
{
    const auto count = number(held);
    return count && *count == double(sent.toUInt());
}
}

const QString RhythmboxDatabase::kBusName = QStringLiteral("org.gnome.Rhythmbox3");
const QString RhythmboxDatabase::kObjectPath = QStringLiteral("/org/gnome/Rhythmbox3/RhythmDB");
const QString RhythmboxDatabase::kInterface = QStringLiteral("org.gnome.Rhythmbox3.RhythmDB");

bool RhythmboxDatabase::isRhythmbox(const QString& service, const QString& identity)
{
    const QString name = QStringLiteral("rhythmbox");
    return service.section(QLatin1Char('.'), 3).contains(name, Qt::CaseInsensitive)
        || identity.contains(name, Qt::CaseInsensitive);
}

std::unique_ptr<RhythmboxDatabase> RhythmboxDatabase::find(std::shared_ptr<const MprisConnection> link, QObject* parent)
{
    const auto description = DBusIntrospection::read(link->bus(), kBusName, kObjectPath, link->timeoutMs());
    if (!description || !description->hasMethod(kInterface, QStringLiteral("GetEntryProperties"), QStringLiteral("s"))
        || !description->hasMethod(kInterface, QStringLiteral("SetEntryProperties"), QStringLiteral("sa{sv}")))
        return nullptr;
    return std::unique_ptr<RhythmboxDatabase>(new RhythmboxDatabase(std::move(link), parent));
}

RhythmboxDatabase::RhythmboxDatabase(std::shared_ptr<const MprisConnection> link, QObject* parent)
    : TrackWriter(parent)
    , m_link(std::move(link))
    , m_proxy(std::make_unique<RhythmDbProxy>(kBusName, kObjectPath, m_link->bus()))
{
    m_proxy->setTimeout(m_link->timeoutMs());
}

RhythmboxDatabase::~RhythmboxDatabase() = default;

PlayerAbility RhythmboxDatabase::rateAbility() const
{
    if (m_link->vanished())
        return PlayerAbility::no(QStringLiteral("%1 has quit.").arg(m_link->displayName()));
    return PlayerAbility::yes();
}

PlayerAbility RhythmboxDatabase::playCountAbility() const
{
    return rateAbility();
}

QString RhythmboxDatabase::reason(const QDBusError& error, const QString& uri, const QString& action) const
{
    if (error.name() == QLatin1String("org.freedesktop.DBus.Error.FileNotFound"))
        return QStringLiteral("%1 has no track at %2 in its library.").arg(m_link->displayName(), uri);
    return m_link->reason(error, action);
}

QString RhythmboxDatabase::uriOf(const MprisMetadata& track) const
{
    m_link->ensureAnswering();
    const QString uri = track.url();
    if (uri.isEmpty())
        throw PlayerError(QStringLiteral("%1 gives no location for this track, so its library entry cannot be found.")
                              .arg(m_link->displayName()));
    return uri;
}

QVariantMap RhythmboxDatabase::entry(const QString& uri, const QString& action) const
{
    QDBusPendingReply<QVariantMap> reply = m_proxy->GetEntryProperties(uri);
    reply.waitForFinished();
    if (reply.isError())
        throw PlayerError(reason(reply.error(), uri, action));
    return reply.value();
}

void RhythmboxDatabase::write(const MprisMetadata& track, const QString& name, const QVariant& value,
    const QString& action, bool (*matches)(const QVariant& sent, const QVariant& held))
{
    const QString uri = uriOf(track);
    QDBusPendingReply<> reply = m_proxy->SetEntryProperties(uri, { { name, value } });
    reply.waitForFinished();
    if (reply.isError())
        throw PlayerError(reason(reply.error(), uri, action));
    // Zero is left out of an entry, so a missing value reads as zero.
    const QVariant held = entry(uri, action).value(name, QVariant::fromValue(0u));
    if (!matches(value, held))
        throw PlayerError(QStringLiteral("%1 did not keep the %2 it was sent.").arg(m_link->displayName(), name));
    emit written();
}

void RhythmboxDatabase::rate(const MprisMetadata& track, int rating)
{
    write(track, kRating, RatingScale::toStars(rating), QStringLiteral("rate the track"), sameStars);
}

void RhythmboxDatabase::setPlayCount(const MprisMetadata& track, int count)
{
    write(track, kPlayCount, uint(std::max(count, 0)), QStringLiteral("change the play count"), sameCount);
}

void RhythmboxDatabase::setPlayedDate(const MprisMetadata& track, const QDateTime& date)
{
    const qint64 seconds = date.isValid() ? std::clamp<qint64>(date.toSecsSinceEpoch(), 0, UINT32_MAX) : 0;
    write(track, kLastPlayed, uint(seconds), QStringLiteral("change the last played date"), sameCount);
}

TrackStatistics RhythmboxDatabase::readBack(const MprisMetadata& track) const
{
    const QString uri = uriOf(track);
    const QVariantMap values = entry(uri, QStringLiteral("describe the track"));
    const double stars = number(values.value(kRating)).value_or(0.0);
    const double count = number(values.value(kPlayCount)).value_or(0.0);
    const double played = number(values.value(kLastPlayed)).value_or(0.0);
    TrackStatistics result;
    result.rating = RatingScale::fromStars(stars);
    result.playCount = int(std::clamp(count, 0.0, double(INT_MAX)));
    result.playedDate = played > 0 ? QDateTime::fromSecsSinceEpoch(qint64(played)) : QDateTime();
    return result;
}
