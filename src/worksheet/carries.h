#pragma once

#include <array>
#include <cstdint>

namespace virdamo {

/// The carries ("riporti") of one multiplication worked in column form, as a pupil writes
/// them: small, over the column each one goes into. Columns count from 0 at the units.
///
/// A partial product multiplies the multiplicand by one digit of the multiplier, from the
/// units of the multiplicand leftwards: each digit product plus the carry coming in gives
/// one digit of the row and sends its tens into the next column. The addition of the
/// partial products (two or more of them) does the same column by column. A carry that
/// leaves the last column becomes the leading digit of its row, not a carry, and a carry
/// of 0 is no carry: both are 0 here.
struct Carries {
    /// Most digits of a multiplicand and of a multiplier.
    static constexpr int kMultiplicandDigits = 4;
    static constexpr int kMultiplierDigits = 3;
    /// Most columns of a product (9999 x 999 has 7 digits).
    static constexpr int kProductColumns = 7;

    /// intoMultiplicandColumn[r][c]: the carry that partial product r (0 for the multiplier's
    /// units digit) sends into the multiplicand's column c.
    std::array<std::array<int, kMultiplicandDigits>, kMultiplierDigits> intoMultiplicandColumn{};
    /// intoProductColumn[k]: the carry the final addition sends into the product's column k;
    /// all 0 with a one-digit multiplier, which has no addition.
    std::array<int, kProductColumns> intoProductColumn{};
    /// True when some carry above is not 0: the operation "has carries" as the class counts
    /// them. A leading digit product of 10 or more (50 x 3) and a carry out of the addition's
    /// last column (90 x 19) only make a row's leading digits.
    bool any = false;

    bool operator==(const Carries&) const = default;
};

/// The carries of multiplicand x multiplier (10 to 9999 and 1 to 999).
[[nodiscard]] Carries carriesOf(std::int32_t multiplicand, std::int32_t multiplier);

/// True when multiplicand x multiplier has carries (Carries::any), without recording them.
[[nodiscard]] bool hasCarries(std::int32_t multiplicand, std::int32_t multiplier);

/// The four numbers of the "prova del nove" cross: each factor reduced to one digit, the
/// product of those two reduced, and the operation's product reduced. The check holds
/// when the last two agree.
struct ProvaDelNove {
    int multiplicand = 0;     ///< top left
    int multiplier = 0;       ///< top right
    int productOfDigits = 0;  ///< bottom left
    int product = 0;          ///< bottom right

    bool operator==(const ProvaDelNove&) const = default;
};

/// A number's digits summed until one digit is left: 0 for 0, 9 for a multiple of 9.
[[nodiscard]] int reducedToOneDigit(std::int64_t value);

/// The cross of multiplicand x multiplier.
[[nodiscard]] ProvaDelNove provaDelNove(std::int32_t multiplicand, std::int32_t multiplier);

}  // namespace virdamo
