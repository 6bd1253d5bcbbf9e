#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// A player's Metadata map read leniently: players send wrong types often enough (a single
// string for a list, a string for a number) that a value of an unexpected type reads as
// "no value" instead of failing the whole track.
class MprisMetadata
{
public:
    MprisMetadata() = default;
    explicit MprisMetadata(QVariantMap map);
    // Accepts a QVariantMap or the a{sv} argument QtDBus hands over; anything else is empty.
    static MprisMetadata fromVariant(const QVariant& value);

    // False for an empty map and for the MPRIS "NoTrack" id: no track is current.
    bool hasTrack() const;
    QString trackId() const;
    QString url() const;
    QString title() const;
    // The artists joined with ", ".
    QString artist() const;
    QString album() const;
    // Microseconds; -1 when missing or malformed.
    qint64 lengthMicroseconds() const;
    // "m:ss", or "h:mm:ss" from an hour on; "0:00" when the length is unknown.
    QString timeText() const;
    // 0 to 100. Only a value exactly on a star step (0.2 on the 0..1 scale) lands on a
    // multiple of 20, so the stars shown never claim more than the player said.
    int rating() const;
    int useCount() const;
    // Whether the player publishes play counts at all (an unplayed track has 0, not nothing).
    bool hasUseCount() const;
    // Local time; invalid when missing or unreadable.
    QDateTime lastUsed() const;
    QString artUrl() const;

    // What tells one track from the next: a change here is a new track start.
    QString identity() const;
    // mpv announces a new track first with its file name as the title and only then with
    // the tags; such a first announcement is provisional.
    bool isProvisional() const;
    // xesam:userRating (0..1) on Bolvin's 0..100 scale.
    static int ratingFromScale(double value);

private:
    QString string(const QString& key) const;
    QStringList strings(const QString& key) const;

    QVariantMap m_map;
};
