#include "library/ExtrasFileReader.h"
#include "library/ExtrasFileWriter.h"

#include <gtest/gtest.h>

namespace
{

// Only & < > are escaped, an entity already in a name again; Latin-1 stays bytes and the
// rest becomes references; what XML 1.0 cannot hold at all becomes U+FFFD.
TEST(ExtrasFileWriter, EscapesAndEncodesAsTheFormatHasIt)
{
    EXPECT_EQ(ExtrasFileWriter::escape(QStringLiteral("a&b<c>d\"e'f")), QStringLiteral("a&amp;b&lt;c&gt;d\"e'f"));
    EXPECT_EQ(ExtrasFileWriter::escape(QStringLiteral("&lt;")), QStringLiteral("&amp;lt;"));
    const char16_t loneSurrogate[] = { u'x', char16_t(0xD800), u'y' };
    const std::pair<QStringView, QByteArray> cases[] = { { u"Café Ü", "Caf\xE9 \xDC" }, { u"あ", "&#12354;" },
        { u"Ωμ", "&#937;&#956;" }, { u"🎵", "&#127925;" }, { u"a\rb\tc\nd", "a&#13;b\tc\nd" },
        { u"a\u0001b", "a&#65533;b" }, { QStringView(loneSurrogate, 3), "x&#65533;y" } };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(ExtrasFileWriter::encode(text), bytes) << text.toString().toStdString();
}

// The parser's reason for a file that is not well-formed. No entity is ever resolved: a
// document type declaration, where any would be declared, is refused; so is nesting no
// extras file has.
TEST(ExtrasFileReader, GivesTheReasonForAFileThatIsNotWellFormedOrHostile)
{
    const std::pair<QByteArray, const char*> cases[] = {
        { "", "line" },
        { "<plist><track><name>A</name></track></plist>", "<plist>" },
        { "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<library>\n<track>\n<name>\xff</name>\n</track></library>",
            "line 4" },
        { "<?xml version=\"1.0\"?><!DOCTYPE library [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><library><track>"
          "<name>&x;</name></track></library>",
            "document type declaration" },
        { "<library>" + QByteArray("<track><name>").repeated(ExtrasFileReader::maxDepth + 1), "deeper" },
    };
    for (const auto& [bytes, said] : cases) {
        QString error;
        EXPECT_FALSE(ExtrasFileReader::read(bytes, &error)) << bytes.left(80).toStdString();
        EXPECT_TRUE(!error.isEmpty() && error.contains(QLatin1String(said))) << error.toStdString();
    }
}

} // namespace
