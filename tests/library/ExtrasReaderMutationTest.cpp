#include "library/ExtrasFileReader.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRandomGenerator>

// Where clang's libFuzzer is absent (GCC builds), a seeded random-mutation run over the same
// entry point as tests/fuzz: a fixed seed so a failure reproduces, a bounded time so CI ends.
namespace
{

const QByteArray seedFile = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<library>\r\n"
                            "     <exportmode>All</exportmode>\r\n     <track>\r\n"
                            "          <name>Tom &amp; Jerry &#12354;</name>\r\n"
                            "          <artist>A\xE9</artist>\r\n          <rating>80</rating>\r\n"
                            "          <playeddate>12/6/2026 3:45:12 PM</playeddate>\r\n"
                            "          <time>3:45</time>\r\n     </track>\r\n</library>\r\n";

const QList<QByteArray> dictionary = { "<track>", "</track>", "<name>", "</name>", "&amp;", "&#", "&#x1F600;",
    "<!DOCTYPE l [<!ENTITY a \"b\">]>", "&a;", "<![CDATA[", "]]>", "<?xml version=\"1.0\" encoding=\"utf-16\"?>",
    "<exportmode>", "\xFF\xFE", "\0", "<a:b xmlns:a=\"u\">", "/>" };

// One to eight edits: a byte changed, bytes cut, a dictionary word or a piece of the input
// put in, or the rest cut off.
QByteArray mutate(QByteArray input, QRandomGenerator& random)
{
    for (int edits = 1 + int(random.bounded(8)); edits > 0; --edits) {
        const int at = input.isEmpty() ? 0 : int(random.bounded(int(input.size())));
        switch (random.bounded(5)) {
        case 0:
            if (!input.isEmpty())
                input[at] = char(random.bounded(256));
            break;
        case 1:
            input.remove(at, 1 + int(random.bounded(16)));
            break;
        case 2:
            input.insert(at, dictionary[int(random.bounded(int(dictionary.size())))]);
            break;
        case 3:
            input.insert(at, input.mid(int(random.bounded(int(input.size()) + 1)), int(random.bounded(64))));
            break;
        default:
            input.truncate(at);
        }
    }
    return input;
}

TEST(ExtrasReaderMutation, AnyInputGivesADocumentOrAReason)
{
    QRandomGenerator random(20261206);
    QElapsedTimer timer;
    timer.start();
    QByteArray input = seedFile;
    int rounds = 0;
    for (; rounds < 20000 && timer.elapsed() < 3000; ++rounds) {
        // Mostly grow from the last input, sometimes start again from the seed.
        input = mutate(random.bounded(4) == 0 || input.size() > 1 << 16 ? seedFile : input, random);
        QString error;
        ASSERT_TRUE(ExtrasFileReader::read(input, &error) || !error.isEmpty()) << "round " << rounds;
    }
    EXPECT_GT(rounds, 100);
}

} // namespace
