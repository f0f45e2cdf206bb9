#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>

namespace virdamo {

class RandomSource;

/// Which operations a level takes by their carries, as its LevelFormat tells them.
enum class CarriesRule : std::uint8_t {
    Any,      ///< with or without carries ("qualsiasi")
    Without,  ///< only operations without carries ("senza")
    With,     ///< only operations with carries ("con")
};

/// How a level tells an operation's carries and draws its sheets. A levelled code keeps the
/// format it was made in, so that it makes the same sheet in every release.
enum class LevelFormat : std::uint8_t {
    First,    ///< a leading digit product of 10 or more is a carry too; all allowed operations equally likely
    Written,  ///< the carries a class writes (hasCarries); every table on the sheet, evenly
};

/// What the class is learning, as a sheet's operations are chosen for it: the tables
/// ("tabelline") whose digits the multiplier may use, and the carries. The digit counts and
/// the number of operations stay settings of Modulo1.
struct Level {
    /// The digits 0 to 9: the tables of the default level.
    static constexpr std::bitset<10> kEveryDigit{0x3FFU};

    std::bitset<10> tables = kEveryDigit;  ///< bit d set: the multiplier may use the digit d
    CarriesRule carries = CarriesRule::Any;
    LevelFormat format = LevelFormat::Written;  ///< what new sheets are made in

    bool operator==(const Level&) const = default;

    /// Every digit, carries or not, in either format: the level at which sheets are drawn as they
    /// always were, repeats included.
    [[nodiscard]] bool isDefault() const;
    /// True when the level takes multiplicand x multiplier: every digit of the multiplier is one
    /// of the tables, and the carries are as carries asks.
    [[nodiscard]] bool allows(std::int32_t multiplicand, std::int32_t multiplier) const;
    /// How many different operations with these digit counts (2-4 and 1-3) the level takes:
    /// 0 to 8,100,000, counted in microseconds.
    [[nodiscard]] std::int32_t operationCount(int multiplicandDigits, int multiplierDigits) const;
    /// True when the level takes no operation with these digit counts: there is no sheet to make.
    [[nodiscard]] bool allowsNone(int multiplicandDigits, int multiplierDigits) const;
    /// True when a sheet of `operations` operations at this level has to repeat some, because
    /// the level takes fewer different ones.
    [[nodiscard]] bool repeatsOperations(int multiplicandDigits, int multiplierDigits, int operations) const;
};

/// One multiplication of a sheet.
struct Operation {
    std::int32_t multiplicand = 0;
    std::int32_t multiplier = 0;

    bool operator==(const Operation&) const = default;
};

/// The operations a level takes with given digit counts, each numbered by its rank from 0 in
/// the order of the multiplier, then of the multiplicand, both ascending. Ranks are part of
/// the format of sheet codes: a code with a level draws ranks, so this order never changes.
class AllowedOperations {
public:
    /// Digit counts out of range (2-4, 1-3) make an empty set.
    AllowedOperations(const Level& level, int multiplicandDigits, int multiplierDigits);

    /// How many operations the set holds.
    [[nodiscard]] std::int32_t size() const { return size_; }
    /// out[i] becomes the operation of rank ranks[i] (0 <= rank < size()); out is as long as ranks.
    void at(std::span<const std::int32_t> ranks, std::span<Operation> out) const;
    /// Fills sheet (1 to 20 operations) from a set of at least one, as the level's format draws
    /// a sheet. No operation appears twice while the set holds as many as the sheet; otherwise
    /// each appears once before any appears twice. The first format: every operation equally
    /// likely. The written one: with a one-digit multiplier each table of the set takes
    /// floor(N / T) or ceil(N / T) of the N places (T tables), in random order; with a longer
    /// one the multiplier is drawn first, all alike, then the multiplicand among its own.
    void draw(std::span<Operation> sheet, RandomSource& random) const;

private:
    /// The written format's draw of ranks.
    void drawWritten(std::span<std::int32_t> ranks, RandomSource& random) const;

    /// Most multipliers a set can hold: every three-digit number.
    static constexpr std::size_t kMostMultipliers = 900;

    CarriesRule carries_ = CarriesRule::Any;
    LevelFormat format_ = LevelFormat::Written;
    int cifreMoltiplicando_ = 0;
    int cifreMoltiplicatore_ = 0;
    std::size_t multipliers_ = 0;                              ///< those with some operation
    std::array<std::int16_t, kMostMultipliers> multiplier_{};  ///< ascending
    std::array<std::int32_t, kMostMultipliers> endRank_{};     ///< one past the last rank of multiplier_[i]
    std::int32_t size_ = 0;
};

}  // namespace virdamo
