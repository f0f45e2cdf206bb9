#pragma once

#include "worksheet/random_source.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace virdamo {

/// A source for tests: returns the scripted fractions in order and starts over at the
/// end; reseeding only counts.
class ScriptedRandomSource final : public RandomSource {
public:
    explicit ScriptedRandomSource(std::vector<float> fractions)
        : fractions_(std::move(fractions))
    {
        assert(!fractions_.empty());
    }

    /// A script whose fractions draw exactly these digits (each maps to d + 0.5 tenths).
    [[nodiscard]] static ScriptedRandomSource fromDigits(const std::vector<int>& digits);

    void reseedFromClock() override;
    float nextFraction() override;
    /// The next scripted fraction r as the word r * 2^64, so that nextBelow(n) draws about r * n.
    std::uint64_t nextWord() override;

    [[nodiscard]] int reseedCount() const { return reseeds_; }
    [[nodiscard]] std::size_t drawCount() const { return draws_; }

private:
    std::vector<float> fractions_;
    std::size_t next_ = 0;
    std::size_t draws_ = 0;
    int reseeds_ = 0;
};

inline ScriptedRandomSource ScriptedRandomSource::fromDigits(const std::vector<int>& digits)
{
    std::vector<float> fractions;
    fractions.reserve(digits.size());
    for (const int d : digits) {
        assert(d >= 0 && d <= 9);
        fractions.push_back((static_cast<float>(d) + 0.5F) / 10.0F);
    }
    return ScriptedRandomSource(std::move(fractions));
}

inline void ScriptedRandomSource::reseedFromClock()
{
    ++reseeds_;
}

inline float ScriptedRandomSource::nextFraction()
{
    const float r = fractions_[next_];
    next_ = (next_ + 1) % fractions_.size();
    ++draws_;
    return r;
}

inline std::uint64_t ScriptedRandomSource::nextWord()
{
    constexpr double kTwoToThe64 = 18446744073709551616.0;
    return static_cast<std::uint64_t>(static_cast<double>(nextFraction()) * kTwoToThe64);
}

}  // namespace virdamo
