#pragma once

#include "FakeMprisService.h"
#include "PrivateBus.h"

#include "player/PlayerError.h"
#include "player/extras/ExtrasStore.h"
#include "player/mpris/MprisPlayer.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// Lets a player just made hear its first answers, as it would before anyone used it.
inline bool answeredSoon(const MprisPlayer& player)
{
    constexpr int kAnswerWaitMs = 3000;
    return QTest::qWaitFor([&] { return player.answered(); }, kAnswerWaitMs);
}

// For a read that fails until the player has heard something: whether it fails now.
inline bool throwsPlayerError(const std::function<void()>& call)
{
    try {
        call();
        return false;
    } catch (const PlayerError&) {
        return true;
    }
}

// A private bus of the test's own. Fakes and players a test keeps as members go before the
// bus, players first, as members of a derived fixture are destroyed before this one's.
class BusFixture : public testing::Test
{
protected:
    static constexpr int kTimeoutMs = 300;
    // Bound on waiting for a signal that must come.
    static constexpr int kEventWaitMs = 3000;
    // How long to watch for a signal that must not come; longer than the provisional grace.
    static constexpr int kQuietMs = 2 * MprisPlayer::kProvisionalGraceMs;

    void SetUp() override
    {
        ASSERT_TRUE(m_bus.start(QStringLiteral("mpris-test-client-%1").arg(++s_clients)))
            << m_bus.error().toStdString();
    }

    // The player under test for a fake already on the bus, once it has its first answers; as
    // in the program, players with no writer of their own rate in Bolvin's store.
    std::unique_ptr<MprisPlayer> connectTo(const FakeMprisService& fake)
    {
        auto player = std::make_unique<MprisPlayer>(m_bus.client(), fake.service(), kTimeoutMs,
            QHash<QString, QVariantMap>(), std::make_shared<ExtrasStore>(extrasPath()));
        EXPECT_TRUE(answeredSoon(*player));
        return player;
    }

    static bool eventually(const std::function<bool()>& done) { return QTest::qWaitFor(done, kEventWaitMs); }
    PrivateBus& bus() { return m_bus; }
    QString extrasPath() const { return m_extrasDir.filePath("extras.sqlite"); }

private:
    static inline int s_clients = 0;
    QTemporaryDir m_extrasDir;
    PrivateBus m_bus;
};

// One typical fake player on the bus, and the player object under test talking to it.
class MprisFixture : public BusFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(BusFixture::SetUp());
        m_fake = std::make_unique<FakeMprisService>(bus().address(), QStringLiteral("fake"));
        m_fake->fillTypical();
        ASSERT_TRUE(m_fake->start());
    }

    MprisPlayer& player()
    {
        if (!m_player)
            m_player = connectTo(*m_fake);
        return *m_player;
    }
    FakeMprisService& fake() { return *m_fake; }
    void change(const char* name, const QVariant& value)
    {
        fake().change(FakeMprisService::kPlayer, { { name, value } });
    }

private:
    std::unique_ptr<FakeMprisService> m_fake;
    std::unique_ptr<MprisPlayer> m_player;
};
