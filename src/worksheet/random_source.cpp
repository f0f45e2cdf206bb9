#include "worksheet/random_source.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <utility>

namespace virdamo {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

/// SplitMix64 finaliser: a bijection that spreads nearby inputs over all 64 bits.
std::uint64_t mix(std::uint64_t x)
{
    x = (x ^ (x >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27U)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31U);
}

}  // namespace

std::uint64_t nanosecondsNow()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void SplitMixSource::start(std::uint64_t seed)
{
    seed_ = seed & kSeedMask;
    // Mixing the seed makes neighbouring seeds (a class set's sheets) start unrelated sequences.
    state_ = mix(seed_ + kGolden);
}

std::uint64_t SplitMixSource::nextWord()
{
    state_ += kGolden;
    return mix(state_);
}

float SplitMixSource::nextFraction()
{
    // The top 24 bits fill a float mantissa exactly, so the result is k / 2^24 and
    // can never round up to 1 (std::generate_canonical<float> can, in libstdc++).
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(nextWord() >> 40U) * kScale;
}

std::uint32_t RandomSource::nextBelow(std::uint32_t bound)
{
    assert(bound >= 1);
    // x * bound / 2^32 maps the 2^32 values of x onto 0..bound-1; the low half of the product
    // tells the (2^32 mod bound) values of x that would make some results one more likely.
    const std::uint32_t unfair = static_cast<std::uint32_t>(-bound) % bound;
    std::uint64_t product = 0;
    for (int attempt = 0; attempt < kBelowAttempts; ++attempt) {
        product = (nextWord() >> 32U) * bound;
        if (static_cast<std::uint32_t>(product) >= unfair) {
            break;
        }
    }
    return static_cast<std::uint32_t>(product >> 32U);
}

ClockRandomSource::ClockRandomSource(Clock clock)
    : clock_(std::move(clock))
{
    reseedFromClock();
}

void ClockRandomSource::reseedFromClock()
{
    // Mixed before it is cut to 40 bits, so readings a nanosecond apart give unrelated seeds.
    start(mix(clock_()));
}

SeededRandomSource::SeededRandomSource(std::uint64_t seed)
    : fixed_(seed)
{
    start(fixed_);
}

void SeededRandomSource::reseedFromClock()
{
    start(fixed_);
}

int digitFromFraction(float r)
{
    assert(r >= 0.0F && r < 1.0F);
    // Ten times a float below 1 is exact in double and stays below 10; the clamp keeps
    // a source that breaks its contract from ever producing a two-character digit.
    const auto d = static_cast<int>(static_cast<double>(r) * 10.0);
    return std::clamp(d, 0, 9);
}

}  // namespace virdamo
