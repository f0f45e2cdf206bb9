// "VISUALIZZA" as the user meets it: the worksheet window shown on a real X display (a
// private Xvfb), the pointer resting inside it, and each press counted until the display
// server has drawn the result.

#include "forms/form_slot.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "x_server.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QStyleFactory>
#include <QTest>

namespace {

QAbstractButton* button(virdamo::ui::FrmDue& window, const char* name)
{
    return window.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

/// One press of "VISUALIZZA": the click, the events it posts (layout, painting) and a
/// round trip to the X server, so that what the press sent has been drawn when it ends.
void BM_Visualizza(benchmark::State& state)
{
    virdamo::Modulo1 worksheet;
    virdamo::ClockRandomSource random;
    virdamo::forms::Lifecycle lifecycle;
    virdamo::forms::FormSlot slot(lifecycle, [&] { return std::make_unique<virdamo::ui::FrmDue>(worksheet, random); });
    auto* window = dynamic_cast<virdamo::ui::FrmDue*>(slot.show());
    if (!QTest::qWaitForWindowExposed(window)) {
        state.SkipWithError("the worksheet window was never exposed");
        return;
    }
    const auto digits = [&](const char* group, int64_t index) {
        return button(*window, QStringLiteral("%1(%2)").arg(QString::fromLatin1(group)).arg(index).toLatin1().data());
    };
    digits("Opt1", state.range(0) - 2)->click();
    digits("Option1", state.range(1) - 1)->click();
    if (state.range(2) == 10) {
        button(*window, "Opt5")->click();
    }
    QAbstractButton* visualizza = button(*window, "Command1");
    // The pointer rests on the sheet, where a user's hand leaves it after a click.
    QCursor::setPos(window->mapToGlobal(window->rect().center()));
    QApplication::processEvents();

    for (auto _ : state) {
        visualizza->click();
        QApplication::processEvents();
        // A reply from the server comes after every request sent before it has been handled.
        benchmark::DoNotOptimize(QCursor::pos());
    }
    slot.unload();
}
BENCHMARK(BM_Visualizza)
    ->Args({4, 3, 20})
    ->Args({2, 1, 20})
    ->Args({4, 3, 10})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    const virdamo::test::PrivateXServer display(1280, 1024);
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
