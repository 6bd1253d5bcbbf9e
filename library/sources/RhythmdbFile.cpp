#include "RhythmdbFile.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace
{

const QString rootName = QStringLiteral("rhythmdb");
const QString knownVersion = QStringLiteral("2.0");
const QString songType = QStringLiteral("song");
const std::array<QString, RhythmdbFile::FieldCount> fieldNames
    = { QStringLiteral("rating"), QStringLiteral("play-count"), QStringLiteral("last-played") };

struct Edit {
    qsizetype from;
    qsizetype to;
    QString text;
};

QString element(int field, const QString& value)
{
    const QString& name = fieldNames[std::size_t(field)];
    return QStringLiteral("<%1>%2</%1>").arg(name, value);
}

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Reads the children of a song entry; the reader stands on the entry's start tag. Offsets
// come from the tags' ends, which the reader reports exactly ("<" cannot occur inside a tag,
// so a tag starts at the last "<" before its end); after text it has already read one
// character further.
void readSong(const QString& text, QXmlStreamReader& xml, RhythmdbFile::Song& song)
{
    for (;;) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement || token == QXmlStreamReader::Invalid) {
            if (song.childrenEnd < 0 && token == QXmlStreamReader::EndElement)
                song.childrenEnd = text.lastIndexOf(QLatin1Char('<'), xml.characterOffset() - 1);
            return;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const qsizetype tagFrom = text.lastIndexOf(QLatin1Char('<'), xml.characterOffset() - 1);
        qsizetype spaceFrom = tagFrom;
        while (spaceFrom > 0 && isSpace(text.at(spaceFrom - 1)))
            --spaceFrom;
        if (song.indent.isNull())
            song.indent = text.mid(spaceFrom, tagFrom - spaceFrom);
        const QString name = xml.name().toString();
        const QString value = xml.readElementText(QXmlStreamReader::SkipChildElements);
        const qsizetype end = xml.characterOffset();
        song.childrenEnd = end;
        const auto field = std::find(fieldNames.begin(), fieldNames.end(), name);
        if (field != fieldNames.end())
            song.fields[std::size_t(field - fieldNames.begin())] = { spaceFrom, tagFrom, end };
        if (name == QLatin1StringView("title"))
            song.title = value;
        else if (name == QLatin1StringView("artist"))
            song.artist = value;
        else if (name == QLatin1StringView("album"))
            song.album = value;
        else if (name == QLatin1StringView("location"))
            song.location = value;
        else if (name == QLatin1StringView("duration"))
            song.durationSeconds = value.toLongLong();
        else if (name == QLatin1StringView("rating"))
            song.stars = value.toDouble();
        else if (name == QLatin1StringView("play-count"))
            song.playCount = value.toLongLong();
        else if (name == QLatin1StringView("last-played"))
            song.lastPlayed = value.toLongLong();
    }
}

} // namespace

std::optional<RhythmdbFile> RhythmdbFile::parse(QString text, QString* error)
{
    RhythmdbFile file;
    file.m_text = std::move(text);
    QXmlStreamReader xml(file.m_text);
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("Line %1: %2").arg(xml.lineNumber()).arg(why);
        return std::nullopt;
    };
    bool rootSeen = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return fail(QStringLiteral("the file declares a DTD, which a Rhythmbox library never does."));
        if (token == QXmlStreamReader::EntityReference)
            return fail(QStringLiteral("the entity \"&%1;\" is not one XML defines.").arg(xml.name()));
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!rootSeen) {
            if (xml.name() != rootName)
                return fail(QStringLiteral("the file is not a Rhythmbox library (its root is <%1>).").arg(xml.name()));
            const QString version = xml.attributes().value(QStringLiteral("version")).toString();
            if (version != knownVersion)
                return fail(QStringLiteral("the library's version is \"%1\"; only \"%2\" is understood.")
                                .arg(version, knownVersion));
            rootSeen = true;
            continue;
        }
        if (xml.name() == QLatin1StringView("entry") && xml.attributes().value(QStringLiteral("type")) == songType) {
            Song song;
            readSong(file.m_text, xml, song);
            file.m_songs.push_back(std::move(song));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        return fail(xml.errorString() + QLatin1Char('.'));
    if (!rootSeen)
        return fail(QStringLiteral("the file holds no <rhythmdb> element."));
    return file;
}

QString RhythmdbFile::starsText(double stars)
{
    return QString::number(stars, 'g', 12);
}

QString RhythmdbFile::withValues(const std::vector<std::pair<int, Values>>& changes) const
{
    std::vector<Edit> edits;
    for (const auto& [position, values] : changes) {
        const Song& song = m_songs[std::size_t(position)];
        const std::array<QString, FieldCount> texts = { values.stars > 0 ? starsText(values.stars) : QString(),
            values.playCount > 0 ? QString::number(values.playCount) : QString(),
            values.lastPlayed > 0 ? QString::number(values.lastPlayed) : QString() };
        QString added;
        for (int f = 0; f < FieldCount; ++f) {
            const Song::Span& span = song.fields[std::size_t(f)];
            const QString& value = texts[std::size_t(f)];
            if (span.from >= 0 && value.isEmpty())
                edits.push_back({ span.from, span.to, QString() });
            else if (span.from >= 0)
                edits.push_back({ span.element, span.to, element(f, value) });
            else if (!value.isEmpty())
                added += song.indent + element(f, value);
        }
        if (!added.isEmpty())
            edits.push_back({ song.childrenEnd, song.childrenEnd, added });
    }
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.from < b.from; });

    QString out;
    out.reserve(m_text.size() + qsizetype(edits.size()) * 16);
    qsizetype at = 0;
    for (const Edit& edit : edits) {
        out += QStringView(m_text).mid(at, edit.from - at);
        out += edit.text;
        at = edit.to;
    }
    out += QStringView(m_text).mid(at);
    return out;
}
