#include "forms/form_slot.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStyleFactory>

namespace {

/// One press of "VISUALIZZA" with the window shown: empties the 20 places, generates a
/// sheet and sets the labels (up to 200 caption and visibility updates).
void BM_Command1_Click(benchmark::State& state)
{
    virdamo::Modulo1 worksheet;
    virdamo::ClockRandomSource random;
    virdamo::forms::Lifecycle lifecycle;
    virdamo::forms::FormSlot slot(lifecycle, [&] {
        return std::make_unique<virdamo::ui::FrmDue>(worksheet, random, virdamo::ui::FrmDueHooks{});
    });
    slot.show();
    auto* window = slot.formAs<virdamo::ui::FrmDue>();
    window->controller().Opt1_Click(static_cast<std::int16_t>(state.range(0) - 2));
    window->controller().Option1_Click(static_cast<std::int16_t>(state.range(1) - 1));
    QApplication::processEvents();
    for (auto _ : state) {
        window->controller().Command1_Click();
    }
    slot.unload();
}
BENCHMARK(BM_Command1_Click)->Args({4, 3})->Args({2, 1})->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
