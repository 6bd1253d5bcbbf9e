#include "player/playcount/PlayCounter.h"
#include "FakeClock.h"
#include <QTimer>
#include <gtest/gtest.h>

// name, steps, "track@second" per count. Steps: tL a track of L s (tL@P starting at P s), p play,
// z pause, s stop, wN wait N s, kN seek to N s, rN rate N, f the timer fires (idle: no time passes).
using Case = std::array<const char*, 3>;
class PlayCounterTest : public testing::TestWithParam<Case>
{
};

TEST_P(PlayCounterTest, CountsWhatWasHeard)
{
    FakeClock clock;
    clock.ticks = 0;
    PlayCounter counter(clock);
    auto* timer = counter.findChild<QTimer*>();
    QStringList counted;
    QObject::connect(&counter, &PlayCounter::played, [&](const QString& track, const QDateTime&) {
        counted << QStringLiteral("%1@%2").arg(track).arg(double(clock.ticks) / 1000);
    });
    int tracks = 0;
    const std::map<char, std::function<void(double, double)>> act {
        { 't', [&](double a, double b) { counter.trackStarted(QString::number(++tracks), a * 1e6, b * 1e6); } },
        { 'p', [&](double, double) { counter.statusChanged(QStringLiteral("Playing")); } },
        { 'z', [&](double, double) { counter.statusChanged(QStringLiteral("Paused")); } },
        { 's', [&](double, double) { counter.statusChanged(QStringLiteral("Stopped")); } },
        { 'w', [&](double a, double) { clock.advance(a * 1000); } },
        { 'k', [&](double a, double) { counter.seeked(a * 1e6); } },
        { 'r', [&](double a, double) { counter.rateChanged(a); } },
        { 'f', [&](double, double) { clock.advance(timer->isActive() ? timer->interval() : 0); } },
    };
    for (const QString& step : QString::fromLatin1(GetParam()[1]).split(u' ')) {
        const QStringList args = step.mid(1).split(u'@');
        act.at(step[0].toLatin1())(args[0].toDouble(), args.value(1).toDouble());
        if (step == u"f")
            QMetaObject::invokeMethod(timer, "timeout");
    }
    EXPECT_EQ(counted.join(u' '), QString::fromLatin1(GetParam()[2]));
}

INSTANTIATE_TEST_SUITE_P(Plays, PlayCounterTest,
    testing::Values(Case { "HalfLength", "t100 p f f", "1@50" }, Case { "SeenAtPause", "t100 p w49 z p w2 z", "1@51" },
        Case { "ThirtySecondsOrNothing", "t0 p f w600 t29.9 f w30 t30 f", "3@645" },
        Case { "FourMinuteCap", "t3600 p f", "1@240" }, Case { "PausesAccumulate", "t100 p w40 z w100 f p f", "1@150" },
        Case { "SeekForwardSkipped", "t100 p w10 k60 f", "1@50" }, Case { "SeekBackKept", "t100 p w40 k5 f", "1@50" },
        Case { "NothingPastTheEnd", "t100@70 p f w60 z k0 p f", "1@110" },
        Case { "Rates", "t100 r2 p w10 r0.5 f", "1@70" }, Case { "RateZeroStandsStill", "t100 p r0 w100 z", "" },
        Case { "ChangeBeforeHalfCountsNothing", "t100 p w49 t100 w49 z", "" },
        Case { "OncePerStart", "t100 p f w60 z p f k30 w60 s", "1@50" },
        Case { "ReplayCountsAgain", "t100 p f k0 f s w30 p f t100 f", "1@50 1@100 1@180 2@230" }),
    [](const auto& info) { return info.param[0]; });
