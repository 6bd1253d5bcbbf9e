#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>

// One track as the extras file holds it; name and artist unescaped.
struct ExtrasTrack {
    QString name;
    QString artist;
    int rating = 0;
    int playedCount = 0;
    // Already in the general date form.
    QString playedDate;
    QString time;
};

// Writes the extras file: CR LF lines, 8-bit text declared as ISO-8859-1. Characters outside
// ISO-8859-1 become numeric character references, so nothing is lost and the file is what
// it declares. Output is buffered; flush() pushes it to the device.
class ExtrasFileWriter
{
public:
    explicit ExtrasFileWriter(QIODevice& device);

    // "&", "<" and ">" as entities, in that order, and nothing else: an entity already in
    // the text is escaped again, as the original program did.
    static QString escape(const QString& text);
    // ISO-8859-1 bytes, other characters as "&#N;". Characters XML 1.0 cannot hold at all
    // (most controls, lone surrogates) become U+FFFD; a CR becomes "&#13;" so that a reader's
    // line-end handling does not turn it into a LF.
    static QByteArray encode(QStringView text);

    // Lines 1 to 3: the declaration, "<library>" and the export mode.
    void writeHeader(const QString& exportMode);
    void writeTrack(const ExtrasTrack& track);
    // "</library>".
    void writeFooter();

    // False once a write to the device failed; errorString() says why.
    bool flush();
    bool ok() const { return m_ok; }
    QString errorString() const { return m_device.errorString(); }

private:
    void line(QLatin1StringView indent, QLatin1StringView open, QStringView text, QLatin1StringView close);
    void line(QLatin1StringView text);

    QIODevice& m_device;
    QByteArray m_buffer;
    bool m_ok = true;
};
