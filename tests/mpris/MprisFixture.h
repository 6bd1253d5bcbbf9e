#pragma once

#include "FakeMprisService.h"
#include "PrivateBus.h"

#include "player/mpris/MprisPlayer.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <memory>

// Lets a player just made hear its first answers, as it would before anyone used it.
inline bool answeredSoon(const MprisPlayer& player)
{
    constexpr int kAnswerWaitMs = 3000;
    return QTest::qWaitFor([&] { return player.answered(); }, kAnswerWaitMs);
}

// A private bus with one fake player on it, and the player object under test talking to it.
class MprisFixture : public testing::Test
{
protected:
    static constexpr int kTimeoutMs = 300;
    // Bound on waiting for a signal that must come.
    static constexpr int kEventWaitMs = 3000;
    // How long to watch for a signal that must not come; longer than the provisional grace.
    static constexpr int kQuietMs = 2 * MprisPlayer::kProvisionalGraceMs;

    void SetUp() override
    {
        const QString name = QStringLiteral("mpris-test-client-%1").arg(++s_clients);
        ASSERT_TRUE(m_bus.start(name)) << m_bus.error().toStdString();
        m_fake = std::make_unique<FakeMprisService>(m_bus.address(), QStringLiteral("fake"));
        m_fake->fillTypical();
        ASSERT_TRUE(m_fake->start());
    }

    void TearDown() override
    {
        m_player.reset();
        m_fake.reset();
        m_bus.stop();
    }

    MprisPlayer& player()
    {
        if (!m_player) {
            m_player = std::make_unique<MprisPlayer>(m_bus.client(), m_fake->service(), kTimeoutMs);
            EXPECT_TRUE(answeredSoon(*m_player));
        }
        return *m_player;
    }

    FakeMprisService& fake() { return *m_fake; }
    PrivateBus& bus() { return m_bus; }

private:
    static inline int s_clients = 0;
    PrivateBus m_bus;
    std::unique_ptr<FakeMprisService> m_fake;
    std::unique_ptr<MprisPlayer> m_player;
};
