#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace virdamo {

/// One row of a sheet of the powers of ten: a number times 10, 100 or 1000, "34,5 × 100 = 3450".
struct PowerOfTenRow {
    std::int32_t number = 0;  ///< its digits, the comma left out, the first not 0
    int decimals = 0;         ///< digits right of its comma, fewer than its digits
    int zeros = 1;            ///< 1, 2 or 3: times 10, 100 or 1000

    bool operator==(const PowerOfTenRow&) const = default;

    /// The number as the class writes it: "34,5".
    [[nodiscard]] std::string numberText() const;
    /// The power of ten: "100".
    [[nodiscard]] std::string factorText() const;
    /// The exact product as the class writes it, no zero ending its decimals nor a comma
    /// with nothing after it: "3450", "34,5".
    [[nodiscard]] std::string resultText() const;
};

/// Rows on a sheet of the powers of ten.
inline constexpr int kPowersOfTenRows = 20;

/// The rows of the sheet of the powers of ten drawn from seed, its numbers of digits digits
/// (2 to 4): half of them whole, half with 1 to digits - 1 decimals and a last digit that is
/// not 0, in random order, each times 10, 100 or 1000. The draw, from a SeededRandomSource of
/// seed, is part of the format of sheet codes: it never changes.
[[nodiscard]] std::vector<PowerOfTenRow> powersOfTenRows(int digits, std::uint64_t seed);

}  // namespace virdamo
