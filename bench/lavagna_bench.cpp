// A step of the whiteboard as the class sees it: the window "Lavagna" filling a display of
// 1920 x 1080 (a private Xvfb), each press of "Avanti" counted until the display server has
// drawn the step.

#include "forms/form_slot.h"
#include "ui/lavagna.h"
#include "x_server.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QStyleFactory>
#include <QTest>

namespace {

/// One press of "Avanti": the click, the painting it causes and a round trip to the X
/// server, so that the step has been drawn when it ends. At the last step the operation
/// starts over, untimed.
void BM_Avanti(benchmark::State& state)
{
    const auto multiplicand = static_cast<std::int32_t>(state.range(0));
    const auto multiplier = static_cast<std::int32_t>(state.range(1));
    virdamo::forms::Lifecycle lifecycle;
    virdamo::forms::FormSlot slot(
        lifecycle, [&] { return std::make_unique<virdamo::ui::Lavagna>(multiplicand, multiplier, nullptr); });
    auto* window = dynamic_cast<virdamo::ui::Lavagna*>(slot.show());
    if (!QTest::qWaitForWindowExposed(window)) {
        state.SkipWithError("the whiteboard was never exposed");
        return;
    }
    auto* avanti = window->findChild<QAbstractButton*>(QStringLiteral("avanti"));
    QApplication::processEvents();
    state.counters["width"] = window->width();
    state.counters["height"] = window->height();
    state.counters["square"] = window->squarePixels();

    for (auto _ : state) {
        if (window->step() + 1 == window->steps().size()) {
            state.PauseTiming();
            window->startOver();
            QApplication::processEvents();
            benchmark::DoNotOptimize(QCursor::pos());
            state.ResumeTiming();
        }
        avanti->click();
        QApplication::processEvents();
        // A reply from the server comes after every request sent before it has been handled.
        benchmark::DoNotOptimize(QCursor::pos());
    }
    slot.unload();
}
BENCHMARK(BM_Avanti)->Args({9802, 978})->Args({47, 6})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    const virdamo::test::PrivateXServer display(1920, 1080);
    display.useFromThisProcess();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
