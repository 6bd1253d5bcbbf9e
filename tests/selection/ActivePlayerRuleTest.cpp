#include "player/selection/ActivePlayerRule.h"

#include <gtest/gtest.h>

TEST(ActivePlayerRule, WhileTheActivePlayerPlaysAnotherStartingDoesNotTakeOver)
{
    ActivePlayerRule rule;
    rule.appeared("mpv", true);
    EXPECT_FALSE(rule.appeared("vlc", true)) << "appearing while playing is starting to play";
    EXPECT_FALSE(rule.statusChanged("vlc", true));
    EXPECT_EQ(rule.active(), "mpv");
    EXPECT_FALSE(rule.statusChanged("mpv", false)) << "stopping hands nothing over";
    EXPECT_TRUE(rule.appeared("elisa", true)) << "the active one is idle now";
    EXPECT_EQ(rule.active(), "elisa");
}

TEST(ActivePlayerRule, WhenTheActivePlayerGoesAPlayingOneFollowsElseTheFirst)
{
    ActivePlayerRule rule;
    rule.appeared("a", false);
    rule.appeared("b", false);
    rule.appeared("c", true);
    rule.statusChanged("a", true);
    rule.statusChanged("c", false);
    ASSERT_EQ(rule.active(), "c");
    EXPECT_TRUE(rule.vanished("c"));
    EXPECT_EQ(rule.active(), "a");
    rule.statusChanged("a", false);
    EXPECT_FALSE(rule.vanished("b"));
    EXPECT_TRUE(rule.vanished("a"));
    EXPECT_TRUE(rule.active().isEmpty());
    EXPECT_TRUE(rule.players().isEmpty());
}

TEST(ActivePlayerRule, APinHoldsItsPlayerByNameWhateverTheOthersDo)
{
    ActivePlayerRule rule;
    rule.appeared("mpv", true);
    EXPECT_TRUE(rule.pin("VLC")) << "nothing named so runs: nothing is active";
    EXPECT_TRUE(rule.active().isEmpty());
    EXPECT_TRUE(rule.appeared("vlc.instance4242", false));
    EXPECT_EQ(rule.active(), "vlc.instance4242");
    EXPECT_FALSE(rule.statusChanged("mpv", true));
    EXPECT_TRUE(rule.pin(QString()));
    EXPECT_EQ(rule.active(), "mpv") << "unpinned, the rule's own choice again";
}
