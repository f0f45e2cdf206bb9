#include "scripted_random_source.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace virdamo {
namespace {

TEST(DigitFromFraction, MapsTenthsToDigits)
{
    const struct {
        float r;
        int digit;
    } cases[] = {
        {0.0F, 0},
        {0.0999999F, 0},
        {0.1F, 1},
        {0.25F, 2},
        {0.5F, 5},
        {0.8999999F, 8},
        {0.9F, 8} /* 0.9F is just below nine tenths */,
        {0.90001F, 9},
        {0.99F, 9},
        {std::nextafter(1.0F, 0.0F), 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digitFromFraction(c.r), c.digit) << "r = " << c.r;
    }
}

TEST(ClockRandomSource, FractionsStayInTheHalfOpenUnitInterval)
{
    ClockRandomSource random;
    std::vector<int> perDigit(10);
    std::vector<int> perNumberBelowTen(10);
    constexpr int kDraws = 200'000;
    for (int n = 0; n < kDraws; ++n) {
        const float r = random.nextFraction();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        ++perDigit[static_cast<std::size_t>(digitFromFraction(r))];
        const std::uint32_t below = random.nextBelow(10);
        ASSERT_LT(below, 10U);
        ++perNumberBelowTen[below];
        ASSERT_EQ(random.nextBelow(1), 0U);
    }
    // Uniform digits: each near 20,000; a 5% band is more than 14 standard deviations wide.
    for (int d = 0; d < 10; ++d) {
        EXPECT_NEAR(perDigit[static_cast<std::size_t>(d)], kDraws / 10.0, kDraws / 200.0) << "digit " << d;
        EXPECT_NEAR(perNumberBelowTen[static_cast<std::size_t>(d)], kDraws / 10.0, kDraws / 200.0) << "number " << d;
    }
}

TEST(ClockRandomSource, ReseedingRestartsFromTheClock)
{
    std::uint64_t now = 42;
    ClockRandomSource random([&now] { return now; });
    random.reseedFromClock();
    std::vector<float> a, b, c;
    for (int n = 0; n < 8; ++n) a.push_back(random.nextFraction());
    random.reseedFromClock();
    for (int n = 0; n < 8; ++n) b.push_back(random.nextFraction());
    now += 1;  // one nanosecond later
    random.reseedFromClock();
    for (int n = 0; n < 8; ++n) c.push_back(random.nextFraction());
    EXPECT_EQ(a, b);
    EXPECT_NE(b, c);
}

TEST(ScriptedRandomSource, ReplaysItsScriptAndCounts)
{
    auto random = ScriptedRandomSource::fromDigits({3, 0, 9});
    std::vector<int> drawn;
    for (int n = 0; n < 7; ++n) drawn.push_back(digitFromFraction(random.nextFraction()));
    EXPECT_EQ(drawn, (std::vector<int>{3, 0, 9, 3, 0, 9, 3}));
    EXPECT_EQ(random.drawCount(), 7U);
    random.reseedFromClock();
    EXPECT_EQ(random.reseedCount(), 1);
}

}  // namespace
}  // namespace virdamo
