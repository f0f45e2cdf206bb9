#include "worksheet/powers_of_ten.h"

#include "worksheet/random_source.h"
#include "worksheet/worked_operation.h"

#include <cassert>
#include <utility>

namespace virdamo {

namespace {

std::int32_t powerOfTen(int zeros)
{
    std::int32_t power = 1;
    for (; zeros > 0; --zeros) power *= 10;
    return power;
}

}  // namespace

std::string PowerOfTenRow::numberText() const
{
    return decimalText(number, decimals);
}

std::string PowerOfTenRow::factorText() const
{
    return std::to_string(powerOfTen(zeros));
}

std::string PowerOfTenRow::resultText() const
{
    return shortestDecimalText(static_cast<std::int64_t>(number) * powerOfTen(zeros), decimals);
}

std::vector<PowerOfTenRow> powersOfTenRows(int digits, std::uint64_t seed)
{
    assert(digits >= 2 && digits <= 4);
    SeededRandomSource random(seed);
    const std::int32_t lowest = powerOfTen(digits - 1);
    std::vector<PowerOfTenRow> rows(kPowersOfTenRows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        PowerOfTenRow& row = rows[i];
        row.zeros = 1 + static_cast<int>(random.nextBelow(3));
        if (i % 2 == 0) {
            row.number = lowest + static_cast<std::int32_t>(random.nextBelow(static_cast<std::uint32_t>(9 * lowest)));
            continue;
        }
        // A decimal number ends in a digit other than 0: the class writes 34,5, not 34,50.
        row.decimals = 1 + static_cast<int>(random.nextBelow(static_cast<std::uint32_t>(digits - 1)));
        const std::int32_t tens =
            lowest / 10 + static_cast<std::int32_t>(random.nextBelow(static_cast<std::uint32_t>(9 * lowest / 10)));
        row.number = tens * 10 + 1 + static_cast<std::int32_t>(random.nextBelow(9));
    }
    // Whole and decimal rows mixed, each arrangement equally likely.
    for (std::size_t i = rows.size() - 1; i > 0; --i) {
        std::swap(rows[i], rows[random.nextBelow(static_cast<std::uint32_t>(i + 1))]);
    }
    return rows;
}

}  // namespace virdamo
