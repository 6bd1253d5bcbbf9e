#pragma once

#include "FakeMprisService.h"

// Strawberry as other programs see it on the bus: an MPRIS player named "strawberry" whose
// track has a location. From 1.0.19 on its player interface also has a writable Rating
// (0..1), which it does not reflect in the published metadata; 1.0.14 has no Rating at all.
// Both describe themselves through introspection, as Qt's adaptors do.
class FakeStrawberryService : public FakeMprisService
{
public:
    enum Version { WithoutRating, WithRating };

    FakeStrawberryService(const QString& busAddress, Version version)
        : FakeMprisService(busAddress, QStringLiteral("strawberry"))
    {
        fillTypical();
        set(kRoot, QStringLiteral("Identity"), QStringLiteral("Strawberry"));
        QVariantMap metadata
            = track(QStringLiteral("/org/strawberrymusicplayer/strawberry/Track/1"), QStringLiteral("Strawberry Song"));
        metadata[QStringLiteral("xesam:url")] = QStringLiteral("file:///music/strawberry.ogg");
        metadata[QStringLiteral("xesam:useCount")] = 3;
        set(kPlayer, QStringLiteral("Metadata"), metadata);
        if (version == WithRating)
            set(kPlayer, QStringLiteral("Rating"), 0.0);
        setIntrospection(description(version == WithRating ? QStringLiteral("readwrite") : QString()));
    }

    // The player interface's description; ratingAccess empty leaves Rating out.
    static QString description(const QString& ratingAccess)
    {
        const QString rating = ratingAccess.isEmpty()
            ? QString()
            : QStringLiteral("<property name=\"Rating\" type=\"d\" access=\"%1\"/>").arg(ratingAccess);
        return QStringLiteral("<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
                              " \"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n"
                              "<node><interface name=\"org.mpris.MediaPlayer2.Player\">"
                              "<method name=\"Next\"/>"
                              "<property name=\"Metadata\" type=\"a{sv}\" access=\"read\"/>"
                              "<property name=\"Volume\" type=\"d\" access=\"readwrite\"/>%1"
                              "</interface><node name=\"child\"><interface name=\"org.mpris.MediaPlayer2.Player\">"
                              "<property name=\"Rating\" type=\"d\" access=\"readwrite\"/></interface></node></node>")
            .arg(rating);
    }

    double rating() const { return get(kPlayer, QStringLiteral("Rating")).toDouble(); }
};
