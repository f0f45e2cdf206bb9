// The page for the browser of a class set of 40 different 4 x 3 sheets of 20 operations on
// squares with the carries and the cross, the largest a class makes, as --html writes it.

#include "output/html_sheets.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ClassSetHtml(benchmark::State& state)
{
    virdamo::pages::ClassSet set;
    set.first = virdamo::SheetCode{4, 3, 19, 0x123456789AULL};
    set.sheets = 40;
    set.options = virdamo::pages::PageOptions{5.0, true, true, true, {}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(virdamo::output::classSetHtml(set));
    }
}
BENCHMARK(BM_ClassSetHtml)->Unit(benchmark::kMillisecond);

}  // namespace
