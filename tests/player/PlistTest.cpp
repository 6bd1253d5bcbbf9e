#include "SampleLibrary.h"

#include "player/plist/PlistReader.h"
#include "player/plist/PlistWriter.h"

#include <gmock/gmock.h>

#include <limits>

using testing::HasSubstr;
using Type = PlistValue::Type;

namespace
{

QByteArray plist(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

} // namespace

// Text the writer did not make itself too: odd spacing in numbers and data, markup characters
// in keys; all of it must come back with the same meaning and text.
TEST(PlistReader, ReadsEveryValueTypeKeepsKeyOrderAndOddTextSurvivesARoundTrip)
{
    QString error;
    const std::optional<PlistDocument> first = PlistReader::read(plist(R"(<dict>
        <key>zeta</key><string>Fish &amp; Chips &lt;3</string>
        <key>alpha</key><integer>-42</integer>
        <key>mid</key><real>2.5</real>
        <key>when</key><date>2006-05-12T19:24:07Z</date>
        <key>yes</key><true/>
        <key>no</key><false/>
        <key>blob</key><data>
            aGVs
            bG8=
        </data>
        <key>list</key><array><integer>1</integer><dict/><array><true/></array><array/></array>
        <key>empty</key><string></string>
        <key>Our &lt;odd&gt; key &amp; more</key><string>a &lt; b &gt; c &amp; d</string>
        <key>Spaced</key><integer> 7 </integer>
    </dict>)"),
        &error);
    ASSERT_TRUE(first) << error.toStdString();
    const QByteArray written = PlistWriter::write(*first);
    const std::optional<PlistDocument> document = PlistReader::read(written, &error);
    ASSERT_TRUE(document) << error.toStdString();
    EXPECT_EQ(PlistWriter::write(*document), written);

    const PlistValue& root = document->root;
    ASSERT_EQ(root.type(), Type::Dict);
    ASSERT_EQ(root.size(), 11);
    EXPECT_EQ(root.keyAt(0), "zeta");
    EXPECT_EQ(root.value("zeta")->toString(), "Fish & Chips <3");
    EXPECT_EQ(root.value("alpha")->toInteger(), -42);
    EXPECT_DOUBLE_EQ(root.value("mid")->toReal(), 2.5);
    EXPECT_EQ(root.value("when")->toDate(), QDateTime(QDate(2006, 5, 12), QTime(19, 24, 7), Qt::UTC));
    EXPECT_TRUE(root.value("yes")->toBool());
    EXPECT_FALSE(root.value("no")->toBool());
    EXPECT_EQ(root.value("blob")->toData(), "hello");
    ASSERT_EQ(root.value("list")->items().size(), 4u);
    EXPECT_TRUE(root.value("list")->items()[2].items()[0].toBool());
    EXPECT_EQ(root.keyAt(9), "Our <odd> key & more");
    EXPECT_EQ(root.valueAt(9).toString(), "a < b > c & d");
    EXPECT_EQ(root.value("Spaced")->text(), " 7 ");
    EXPECT_EQ(root.value("Spaced")->toInteger(), 7);

    // Numbers and dates in any writing come back as written: usual forms are kept as numbers
    // inside; every other form keeps its text.
    const QByteArray forms = plist(R"(<array>
	<integer>-9223372036854775808</integer>
	<integer>007</integer>
	<integer>+5</integer>
	<date>2006-01-02T10:00:00Z</date>
	<date>1899-12-31T23:59:59Z</date>
	<date>2006-01-02T11:00:00+01:00</date>
	<date>2006-01-02T10:00:00</date>
	<date>2006-01-02T10:00:00.250Z</date>
</array>)");
    const std::optional<PlistDocument> numbers = PlistReader::read(forms, &error);
    ASSERT_TRUE(numbers) << error.toStdString();
    EXPECT_EQ(PlistWriter::write(*numbers), forms);
    const std::vector<PlistValue>& items = numbers->root.items();
    EXPECT_EQ(items[0].toInteger(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(items[1].toInteger(), 7);
    EXPECT_EQ(items[3].toDate(), QDateTime(QDate(2006, 1, 2), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(items[5].toDate(), items[3].toDate());
    EXPECT_EQ(items[6].toDate(), items[3].toDate());
    EXPECT_EQ(items[3].toInteger(), 0);
    EXPECT_FALSE(items[0].toDate().isValid());
}

static QByteArray withEntity(const QByteArray& declaration)
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [\n" + declaration
        + "\n]>\n<plist version=\"1.0\"><dict><key>Name</key><string>&xxe;</string></dict></plist>\n";
}

// Nine levels of ten references each: 10^10 characters if it were ever expanded.
static QByteArray billionLaughs()
{
    QByteArray text = "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [\n<!ENTITY lol0 \"lololololol\">\n";
    for (int level = 1; level <= 9; ++level)
        text += "<!ENTITY lol" + QByteArray::number(level) + " \""
            + ("&lol" + QByteArray::number(level - 1) + ";").repeated(10) + "\">\n";
    return text + "]>\n<plist version=\"1.0\"><string>&lol9;</string></plist>\n";
}

// Damaged and hostile files alike: refused with the line and the reason, and nothing an
// entity names is ever read.
TEST(PlistReader, RefusesMalformedFilesWithTheLineAndTheReason)
{
    const struct {
        QByteArray text;
        const char* line;
        const char* says;
    } cases[] = { { "", "Line 1", "Premature end of document" },
        { "<?xml version=\"1.0\"?>\n<html/>", "Line 2", "not <plist>" },
        { plist("<dict>\n<key>a</key><string>x</string>\n"), "Line 6", "mismatch" },
        { plist("<dict>\n<key>a</key>\n</dict>"), "Line 5", "\"a\" has no value" },
        { plist("<dict>\n<key>a</key>\n<integer>abc</integer>\n</dict>"), "Line 5", "not a whole number" },
        { plist("<dict>\n<key>a</key><date>yesterday</date>\n</dict>"), "Line 4", "not a date" },
        { plist("<dict>\n<key>a</key><colour>red</colour>\n</dict>"), "Line 4",
            "<colour> is not a property-list value" },
        { plist("<dict>\n<key>a</key><true/>\n<key>a</key><true/>\n</dict>"), "Line 5", "appears twice" },
        { withEntity("<!ENTITY xxe SYSTEM \"file:///etc/passwd\">"), "Line 4", "external entity \"xxe\"" },
        { withEntity("<!ENTITY xxe PUBLIC \"-//X//Y//EN\" \"http://127.0.0.1:9/x\">"), "Line 4",
            "external entity \"xxe\"" },
        { billionLaughs(), "Line 14", "expansion limit" }, { plist("<string>&nowhere;</string>"), "Line 3", "nowhere" },
        { plist(QByteArray("<array>").repeated(100'000) + QByteArray("</array>").repeated(100'000)), "Line 3",
            "nested more than" } };
    for (const auto& [text, line, says] : cases) {
        SCOPED_TRACE(text.left(120).toStdString());
        QString error;
        EXPECT_FALSE(PlistReader::read(text, &error));
        EXPECT_THAT(
            error.toStdString(), testing::AllOf(HasSubstr(line), HasSubstr(says), testing::Not(HasSubstr("root:"))));
    }
}
