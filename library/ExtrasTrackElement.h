#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

// One "track" element of an extras file: the text of each known child it has. A child the
// element lacks is nullopt, so the import leaves that value of the track as it is.
struct ExtrasTrackElement {
    enum Field { Name, Artist, Rating, PlayedCount, PlayedDate, Time, FieldCount };

    std::array<std::optional<QString>, FieldCount> fields;

    // The element name for a field, "name" to "time"; FieldCount for any other name.
    static Field fieldNamed(QStringView elementName);
};

// A whole extras file as the import needs it.
struct ExtrasDocument {
    // The text of the first "exportmode" element; nullopt when there is none.
    std::optional<QString> exportMode;
    // Every "track" element at any depth, in document order.
    std::vector<ExtrasTrackElement> tracks;
};

inline ExtrasTrackElement::Field ExtrasTrackElement::fieldNamed(QStringView elementName)
{
    static const std::array<QLatin1StringView, FieldCount> names
        = { QLatin1StringView("name"), QLatin1StringView("artist"), QLatin1StringView("rating"),
              QLatin1StringView("playedcount"), QLatin1StringView("playeddate"), QLatin1StringView("time") };
    for (int i = 0; i < FieldCount; ++i) {
        if (elementName == names[std::size_t(i)])
            return Field(i);
    }
    return FieldCount;
}
