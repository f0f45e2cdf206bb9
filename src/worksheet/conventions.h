#pragma once

#include <cstdint>

namespace virdamo {

/// How a class writes the places a shifted partial product leaves empty on its right.
enum class EmptyPlaces : std::uint8_t {
    Blank,  ///< left empty
    Dash,   ///< a dash in each
    Zero,   ///< a 0 in each
};

/// How a class writes the partial product of a 0 in the multiplier.
enum class ZeroRow : std::uint8_t {
    Digit,  ///< a single 0 under the digit
    Zeros,  ///< as many zeros as the multiplicand has digits
    Skip,   ///< no row: the next row keeps its own place
};

/// What a class was taught to write: never which operations, only how they are written.
struct Conventions {
    EmptyPlaces emptyPlaces = EmptyPlaces::Blank;
    ZeroRow zeroRow = ZeroRow::Digit;
    bool nineIsZero = false;  ///< a 9 in the prova del nove cross is written 0

    bool operator==(const Conventions&) const = default;
};

/// The "digit" of a dash written in an empty place, and the key a pupil types for it.
inline constexpr int kDash = -1;

}  // namespace virdamo
