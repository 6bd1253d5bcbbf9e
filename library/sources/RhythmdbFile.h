#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The text of a rhythmdb.xml and where its songs' values sit in it, so a write changes those
// few elements and keeps every other byte: other entry types, elements this program does not
// know, comments and layout.
class RhythmdbFile
{
public:
    // The extras a write may change; their order is the order of Song::fields.
    enum Field { Rating, PlayCount, LastPlayed, FieldCount };

    struct Song {
        QString title;
        QString artist;
        QString album;
        QString location;
        qint64 durationSeconds = 0;
        // Stars as written, 0-5, possibly fractional.
        double stars = 0;
        qint64 playCount = 0;
        // Unix seconds; 0 when never played.
        qint64 lastPlayed = 0;

        // Where an extras element sits: from the whitespace before it to the end of its end
        // tag; from < 0 when the entry has none.
        struct Span {
            qsizetype from = -1;
            qsizetype element = -1;
            qsizetype to = -1;
        };
        std::array<Span, FieldCount> fields;
        // After the entry's last child: where a missing element is added.
        qsizetype childrenEnd = -1;
        // The whitespace before the entry's first child, reused for an added element.
        QString indent;
    };

    // The values one song is to hold; a zero value's element is left out, as Rhythmbox does.
    struct Values {
        double stars = 0;
        qint64 playCount = 0;
        qint64 lastPlayed = 0;
    };

    // Parses text, a whole rhythmdb.xml. nullopt with *error naming the fault (and its line).
    // A DTD or an entity it cannot resolve is refused: Rhythmbox writes neither, and nothing
    // outside the file is ever fetched.
    static std::optional<RhythmdbFile> parse(QString text, QString* error);

    const QString& text() const { return m_text; }
    const std::vector<Song>& songs() const { return m_songs; }

    // The file's text with the listed songs (positions in songs()) set to values, everything
    // else as it was.
    QString withValues(const std::vector<std::pair<int, Values>>& changes) const;

    // How a star count is written: "4", "2.5".
    static QString starsText(double stars);

private:
    QString m_text;
    std::vector<Song> m_songs;
};
