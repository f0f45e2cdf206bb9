#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace virdamo {

/// The pseudo-random source the generation draws its digits from.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    /// Starts a new sequence seeded from the current time.
    virtual void reseedFromClock() = 0;
    /// The next fraction r of the sequence, uniformly distributed, 0 <= r < 1.
    virtual float nextFraction() = 0;
    /// The next 64 bits of the sequence, every value equally likely; one step, as nextFraction is.
    virtual std::uint64_t nextWord() = 0;
    /// Most words nextBelow takes for one number.
    static constexpr int kBelowAttempts = 8;
    /// The next whole number of the sequence from 0 to bound - 1 (bound >= 1), every one equally
    /// likely: Lemire's multiply-shift on the top 32 bits of a word. The few words that would
    /// favour some results are drawn again, kBelowAttempts words at most; only when every one of
    /// them is such a word is the number biased, which for a bound under 2^23 (a level allows
    /// at most 8.1 million operations) has odds below 2^-70.
    [[nodiscard]] std::uint32_t nextBelow(std::uint32_t bound);
    /// The seed that started the current sequence, when a SeededRandomSource made from it
    /// draws the same sequence again; none for a source that cannot be replayed.
    [[nodiscard]] virtual std::optional<std::uint64_t> seed() const { return std::nullopt; }
};

/// Seeds are 40 bits, so that the code of a sheet stays short.
inline constexpr std::uint64_t kSeedMask = (std::uint64_t{1} << 40U) - 1U;

/// SplitMix64 (passes BigCrush, costs a few instructions per draw and nothing to seed)
/// started from a 40-bit seed. The sequence each seed gives is part of the format of
/// sheet codes: a code must give the same sheet in every release, so this never changes.
class SplitMixSource : public RandomSource {
public:
    float nextFraction() override;
    std::uint64_t nextWord() override;
    [[nodiscard]] std::optional<std::uint64_t> seed() const override { return seed_; }

protected:
    /// Starts the sequence of seed (only its low 40 bits count).
    void start(std::uint64_t seed);

private:
    std::uint64_t seed_ = 0;
    std::uint64_t state_ = 0;
};

/// Nanoseconds since the epoch from the system's high-resolution clock.
[[nodiscard]] std::uint64_t nanosecondsNow();

/// The program's source, seeded from a nanosecond clock so that two presses within the
/// same second still give different sheets.
class ClockRandomSource final : public SplitMixSource {
public:
    using Clock = std::function<std::uint64_t()>;  ///< returns nanoseconds

    explicit ClockRandomSource(Clock clock = nanosecondsNow);

    void reseedFromClock() override;

private:
    Clock clock_;
};

/// Draws the sequence of one seed again at every reseed: a sheet made again from its code.
class SeededRandomSource final : public SplitMixSource {
public:
    explicit SeededRandomSource(std::uint64_t seed);

    void reseedFromClock() override;

private:
    std::uint64_t fixed_;
};

/// The digit 0 to 9 that a fraction in [0, 1) draws: the integer part of ten times it.
[[nodiscard]] int digitFromFraction(float r);

}  // namespace virdamo
