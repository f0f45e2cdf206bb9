#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

/// One press of "VISUALIZZA" as far as the engine goes: a 20-operation sheet.
void BM_GeneraScheda(benchmark::State& state)
{
    virdamo::Modulo1 m;
    m.CifreMoltiplicando = static_cast<std::int16_t>(state.range(0));
    m.CifreMoltiplicatore = static_cast<std::int16_t>(state.range(1));
    m.UltimaOperazione = 19;
    m.Spazi = std::string(20, ' ');
    virdamo::ClockRandomSource random;
    for (auto _ : state) {
        virdamo::GeneraScheda(m, random);
        benchmark::DoNotOptimize(m.TxtProdotto[19].data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GeneraScheda)->Args({4, 3})->Args({2, 1})->Unit(benchmark::kMicrosecond);

}  // namespace
