#include "platform/desktop/SessionPlatform.h"

#include <gtest/gtest.h>

TEST(SessionPlatformTest, WaylandSessionsRunThroughXWaylandUnlessTheUserChoseOrThereIsNone)
{
    for (const auto& [words, platform, warned] :
        std::initializer_list<std::tuple<const char*, const char*, bool>> { { "DISPLAY=:1", "", false },
            { "WAYLAND_DISPLAY=w DISPLAY=:1", "xcb", false }, { "XDG_SESSION_TYPE=wayland DISPLAY=:1", "xcb", false },
            { "WAYLAND_DISPLAY=w", "", true }, { "WAYLAND_DISPLAY=w QT_QPA_PLATFORM=xcb", "", false },
            { "WAYLAND_DISPLAY=w DISPLAY=:1 QT_QPA_PLATFORM=wayland", "", true },
            { "WAYLAND_DISPLAY= DISPLAY= XDG_SESSION_TYPE=x11", "", false } }) {
        QHash<QString, QString> environment;
        for (const QString& word : QString::fromLatin1(words).split(QLatin1Char(' ')))
            environment.insert(word.section(QLatin1Char('='), 0, 0), word.section(QLatin1Char('='), 1));
        const SessionPlatform choice = SessionPlatform::choose(environment);
        EXPECT_EQ(choice.platform, QByteArray(platform)) << words;
        EXPECT_EQ(!choice.warning.isEmpty(), warned) << words;
    }
}
