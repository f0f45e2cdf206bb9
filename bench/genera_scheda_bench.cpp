#include "worksheet/genera_scheda.h"
#include "worksheet/level.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet.h"

#include <benchmark/benchmark.h>

#include <bitset>
#include <cstdint>
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

/// The level of arguments 2 and 3: the tables as a bit set (bit d for the digit d) and the carries.
virdamo::Level levelOf(const benchmark::State& state)
{
    return virdamo::Level{std::bitset<10>(static_cast<unsigned long long>(state.range(2))),
                          static_cast<virdamo::CarriesRule>(state.range(3))};
}

/// A 20-operation sheet at a level, digit counts in arguments 0 and 1. Tables 0 and 1 without
/// carries work out the largest tables of multiplicands (multipliers of 0s and 1s alone).
void BM_GeneraSchedaAtALevel(benchmark::State& state)
{
    virdamo::Modulo1 m;
    m.CifreMoltiplicando = static_cast<std::int16_t>(state.range(0));
    m.CifreMoltiplicatore = static_cast<std::int16_t>(state.range(1));
    m.UltimaOperazione = 19;
    m.Spazi = std::string(20, ' ');
    const virdamo::Level level = levelOf(state);
    virdamo::ClockRandomSource random;
    for (auto _ : state) {
        virdamo::GeneraScheda(m, level, random);
        benchmark::DoNotOptimize(m.TxtProdotto[19].data());
        benchmark::ClobberMemory();
    }
}
constexpr std::int64_t kSenza = static_cast<std::int64_t>(virdamo::CarriesRule::Without);
constexpr std::int64_t kCon = static_cast<std::int64_t>(virdamo::CarriesRule::With);
constexpr std::int64_t kQualsiasi = static_cast<std::int64_t>(virdamo::CarriesRule::Any);
BENCHMARK(BM_GeneraSchedaAtALevel)
    ->Args({4, 3, 0b0000111100, kSenza})
    ->Args({4, 3, 0b0000000011, kSenza})
    ->Args({4, 3, 0b0000000011, kCon})
    ->Args({4, 3, 0b1111111111, kSenza})
    ->Args({4, 3, 0b1111111100, kQualsiasi})
    ->Args({2, 1, 0b0000111100, kSenza})
    ->Args({2, 1, 0b0000000100, kSenza})
    ->Args({2, 1, 0b1111111111, kCon})
    ->Unit(benchmark::kMicrosecond);

/// Counting the operations a level allows; every table with three-digit multipliers is the
/// most multipliers to add up.
void BM_OperationCount(benchmark::State& state)
{
    const virdamo::Level level = levelOf(state);
    const auto cifreA = static_cast<int>(state.range(0));
    const auto cifreB = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(level.operationCount(cifreA, cifreB));
    }
}
/// A decimal sheet drawn from its code as a class set draws each of its sheets: 4 x 2 with 2
/// and 1 decimals, every operation worked out; a new seed each time. Arguments: the level's
/// carries as in BM_GeneraSchedaAtALevel's kSenza and kCon, or -1 for the default level.
void BM_DecimalSheet(benchmark::State& state)
{
    using namespace virdamo;
    SheetCode code{4, 2, 19, 0x123456789AULL};
    code.multiplicandDecimals = 2;
    code.multiplierDecimals = 1;
    if (state.range(0) >= 0) {
        code.level.carries = static_cast<CarriesRule>(state.range(0));
    }
    for (auto _ : state) {
        code.seed = (code.seed + 1) & kSeedMask;
        const Sheet sheet = sheetOf(code);
        benchmark::DoNotOptimize(sheet.operations.data());
    }
}
BENCHMARK(BM_DecimalSheet)->Arg(-1)->Arg(kSenza)->Arg(kCon)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_OperationCount)
    ->Args({4, 3, 0b1111111111, kSenza})
    ->Args({4, 3, 0b1111111111, kCon})
    ->Args({4, 3, 0b0000000011, kSenza})
    ->Args({2, 1, 0b0000000100, kSenza})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
