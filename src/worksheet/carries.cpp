#include "worksheet/carries.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace virdamo {

namespace {

/// The decimal digits of value from the units up; returns how many there are.
template <std::size_t N>
int digitsOf(std::int64_t value, std::array<int, N>& digits)
{
    int count = 0;
    do {
        assert(static_cast<std::size_t>(count) < N);
        digits[static_cast<std::size_t>(count++)] = static_cast<int>(value % 10);
        value /= 10;
    } while (value > 0);
    return count;
}

/// Works the operation out column by column; records the carries in carries when given and
/// returns whether any of them is written (not 0).
bool work(std::int32_t multiplicand, std::int32_t multiplier, Carries* carries)
{
    assert(multiplicand >= 10 && multiplicand <= 9999 && multiplier >= 1 && multiplier <= 999);
    std::array<int, Carries::kMultiplicandDigits> a{};
    std::array<int, Carries::kMultiplierDigits> d{};
    const int n = digitsOf(multiplicand, a);
    const int m = digitsOf(multiplier, d);
    bool any = false;

    for (int r = 0; r < m; ++r) {
        int carry = 0;
        for (int c = 0; c < n; ++c) {
            const int t = a[static_cast<std::size_t>(c)] * d[static_cast<std::size_t>(r)] + carry;
            carry = t / 10;
            if (c + 1 < n) {
                any = any || carry != 0;
                if (carries) {
                    carries->intoMultiplicandColumn[static_cast<std::size_t>(r)][static_cast<std::size_t>(c) + 1] =
                        carry;
                }
            }
        }
    }
    if (m < 2) {
        return any;
    }

    // The addition of the rows as they are written: partial product r shifted r columns
    // left, a zero partial product as the single digit 0.
    std::array<std::array<int, Carries::kMultiplicandDigits + 1>, Carries::kMultiplierDigits> rows{};
    std::array<int, Carries::kMultiplierDigits> lengths{};
    int columns = 0;
    for (int r = 0; r < m; ++r) {
        const auto k = static_cast<std::size_t>(r);
        lengths[k] = digitsOf(static_cast<std::int64_t>(multiplicand) * d[k], rows[k]);
        columns = std::max(columns, r + lengths[k]);
    }
    int carry = 0;
    for (int column = 0; column < columns; ++column) {
        int t = carry;
        for (int r = 0; r < m; ++r) {
            const int at = column - r;
            if (at >= 0 && at < lengths[static_cast<std::size_t>(r)]) {
                t += rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(at)];
            }
        }
        carry = t / 10;
        if (column + 1 < columns) {
            any = any || carry != 0;
            if (carries) {
                carries->intoProductColumn[static_cast<std::size_t>(column) + 1] = carry;
            }
        }
    }
    return any;
}

}  // namespace

Carries carriesOf(std::int32_t multiplicand, std::int32_t multiplier)
{
    Carries carries;
    carries.any = work(multiplicand, multiplier, &carries);
    return carries;
}

bool hasCarries(std::int32_t multiplicand, std::int32_t multiplier)
{
    return work(multiplicand, multiplier, nullptr);
}

int reducedToOneDigit(std::int64_t value)
{
    assert(value >= 0);
    // The sum of the digits keeps the remainder by 9; repeated, it ends on one digit.
    return value == 0 ? 0 : static_cast<int>(1 + (value - 1) % 9);
}

ProvaDelNove provaDelNove(std::int32_t multiplicand, std::int32_t multiplier)
{
    ProvaDelNove cross;
    cross.multiplicand = reducedToOneDigit(multiplicand);
    cross.multiplier = reducedToOneDigit(multiplier);
    cross.productOfDigits = reducedToOneDigit(static_cast<std::int64_t>(cross.multiplicand) * cross.multiplier);
    cross.product = reducedToOneDigit(static_cast<std::int64_t>(multiplicand) * multiplier);
    return cross;
}

}  // namespace virdamo
