#include "popup/PopUpMessage.h"
#include "popup/PopUpMessages.h"

#include "FakeClock.h"
#include "FakeCursor.h"
#include "FakeScreen.h"
#include "FakeSoundPlayer.h"
#include "FakeTranslucency.h"
#include "FakeWindowStacking.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <vector>

namespace
{

constexpr int kPopUps = 10;

// One scheduler tick with ten pop-ups growing and shrinking one percent a tick, fading on,
// on the fake screen. Showing a fresh set when the last one has gone is not measured.
void AnimatePopupsTick(benchmark::State& state)
{
    FakeScreen screen;
    screen.area = QRect(0, 0, 4000, 4000);
    FakeCursor cursor;
    FakeClock clock;
    FakeSoundPlayer sound;
    FakeTranslucency translucency;
    FakeWindowStacking stacking;
    PopUpServices services;
    services.screen = &screen;
    services.cursor = &cursor;
    services.clock = &clock;
    services.sound = &sound;
    services.translucency = &translucency;
    services.stacking = &stacking;

    PopUpMessages popups(services, 3000, 1200);
    popups.setMovementIndex(1);
    popups.setShowDelay(0);
    popups.setAllowFading(true);
    std::vector<std::shared_ptr<PopUpMessage>> shown;
    for (int i = 0; i < kPopUps; ++i) {
        shown.push_back(std::make_shared<PopUpMessage>());
        shown.back()->setMessage(QStringLiteral("Message"));
    }

    for (auto _ : state) {
        if (popups.Count() == 0) {
            state.PauseTiming();
            translucency.calls.clear();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (const auto& popUp : shown)
                popups.Show(popUp);
            state.ResumeTiming();
        }
        clock.advance(popups.ScrollDelay());
        popups.AnimatePopups();
    }
}
BENCHMARK(AnimatePopupsTick)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
