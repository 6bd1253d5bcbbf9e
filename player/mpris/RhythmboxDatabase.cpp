#include "RhythmboxDatabase.h"

#include "DBusIntrospection.h"
#include "MprisConnection.h"
#include "player/RatingScale.h"

#include "player/PlayerError.h"

#include <climits>
#include <cmath>
#include <cstdint>

bool RhythmboxDatabase::isRhythmbox(const QString& service, const QString& identity)
{
    const QString name = QStringLiteral("rhythmbox");
    return service.section(QLatin1Char('.'), 3).contains(name, Qt::CaseInsensitive)
        || identity.contains(name, Qt::CaseInsensitive);
}

std::unique_ptr<RhythmboxDatabase> RhythmboxDatabase::find(std::shared_ptr<const MprisConnection> link, QObject* parent)
{
    const auto description
        = DBusIntrospection::read(link->bus(), RhythmDbClient::kService, RhythmDbClient::kPath, link->timeoutMs());
    const QString& interface = RhythmDbClient::kInterface;
    if (!description || !description->hasMethod(interface, QStringLiteral("GetEntryProperties"), QStringLiteral("s"))
        || !description->hasMethod(interface, QStringLiteral("SetEntryProperties"), QStringLiteral("sa{sv}")))
        return nullptr;
    return std::unique_ptr<RhythmboxDatabase>(new RhythmboxDatabase(std::move(link), parent));
}

RhythmboxDatabase::RhythmboxDatabase(std::shared_ptr<const MprisConnection> link, QObject* parent)
    : TrackWriter(parent)
    , m_link(std::move(link))
    , m_client(m_link->bus(), m_link->timeoutMs())
{
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

QString RhythmboxDatabase::reason(
    const RhythmDbClient::Outcome& outcome, const QString& uri, const QString& action) const
{
    if (outcome.kind == RhythmDbClient::Outcome::NoEntry)
        return QStringLiteral("%1 has no track at %2 in its library.").arg(m_link->displayName(), uri);
    return m_link->reason(outcome.error, action);
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
    RhythmDbClient::Outcome outcome;
    const std::optional<QVariantMap> values = m_client.entry(uri, &outcome);
    if (!values)
        throw PlayerError(reason(outcome, uri, action));
    return *values;
}

void RhythmboxDatabase::write(
    const MprisMetadata& track, const QString& name, const QVariant& value, const QString& action)
{
    const QString uri = uriOf(track);
    const RhythmDbClient::Outcome outcome = m_client.write(uri, { { name, value } });
    if (outcome.kind == RhythmDbClient::Outcome::NotKept)
        throw PlayerError(QStringLiteral("%1 did not keep the %2 it was sent.").arg(m_link->displayName(), name));
    if (!outcome)
        throw PlayerError(reason(outcome, uri, action));
    emit written();
}

void RhythmboxDatabase::rate(const MprisMetadata& track, int rating)
{
    write(track, RhythmDbClient::kRating, RhythmDbClient::starsValue(RatingScale::toStars(rating)),
        QStringLiteral("rate the track"));
}

void RhythmboxDatabase::setPlayCount(const MprisMetadata& track, int count)
{
    write(
        track, RhythmDbClient::kPlayCount, RhythmDbClient::countValue(count), QStringLiteral("change the play count"));
}

void RhythmboxDatabase::setPlayedDate(const MprisMetadata& track, const QDateTime& date)
{
    write(track, RhythmDbClient::kLastPlayed, RhythmDbClient::countValue(date.isValid() ? date.toSecsSinceEpoch() : 0),
        QStringLiteral("change the last played date"));
}

TrackStatistics RhythmboxDatabase::readBack(const MprisMetadata& track) const
{
    const QString uri = uriOf(track);
    const QVariantMap values = entry(uri, QStringLiteral("describe the track"));
    const double stars = RhythmDbClient::number(values.value(RhythmDbClient::kRating)).value_or(0.0);
    const double count = RhythmDbClient::number(values.value(RhythmDbClient::kPlayCount)).value_or(0.0);
    const double played = RhythmDbClient::number(values.value(RhythmDbClient::kLastPlayed)).value_or(0.0);
    TrackStatistics result;
    result.rating = RatingScale::fromStars(stars);
    result.playCount = int(std::clamp(count, 0.0, double(INT_MAX)));
    result.playedDate = played > 0 ? QDateTime::fromSecsSinceEpoch(qint64(played)) : QDateTime();
    return result;
}
