#pragma once

#include "worksheet/level.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace virdamo {

struct Modulo1;

/// What a sheet asks of the class.
enum class SheetKind : std::uint8_t {
    Columns,      ///< multiplications in column, worked out
    PowersOfTen,  ///< twenty rows of a number times 10, 100 or 1000, "34,5 × 100 = 3450"
};

/// What makes a sheet again: the three settings it was drawn with, the seed of its random
/// sequence and the level it was drawn at.
///
/// The code of a sheet drawn at the default level, for example "8RQRH-24M61", is ten symbols
/// of the alphabet "0123456789ABCDEFGHJKMNPQRSTVWXYZ" (no I, L, O, U), shown as two groups of five:
///   1     the settings: (multiplicand digits - 2) * 6 + (multiplier digits - 1) * 2
///         + (1 for 20 operations, 0 for 10); the values 18 to 31 are kept for later formats;
///   2-9   the seed, 40 bits, five bits a symbol, most significant first;
///   10    the check symbol: the nine symbols above as a polynomial over GF(32)
///         (x^5 + x^2 + 1), evaluated at x, times x, so that any one changed symbol and
///         any two neighbours swapped give another check symbol.
/// The code of a sheet drawn at any other level is thirteen symbols, shown in groups of five,
/// five and three, for example "H28T5-CY4T1-1WR":
///   1-9   as above;
///   10-12 the level, 15 bits, most significant first: bits 0-9 the digits the multiplier may
///         use (bit d for the digit d, at least one), bits 10-11 the carries (0 any, 1 none,
///         2 some; 3 is kept for later formats), bit 12 the format (0 First, 1 Written, see
///         LevelFormat), bits 13-14 zero (kept for later formats);
///   13    the check symbol, worked out as above over the twelve symbols before it.
/// A thirteen-symbol code never holds the default level, nor one that allows no operation
/// with its digit counts: no sheet has such a code.
/// The code of a sheet with decimal factors, or of the powers of ten, is fifteen symbols,
/// shown in three groups of five, for example "H28T5-CY4T1-1W0AR":
///   1-12  as above, the level any, the default one included;
///   13-14 10 bits, most significant first: bits 0-1 the multiplicand's decimals (0 to 3),
///         bits 2-3 the multiplier's (0 to 2), bit 4 the kind (0 Columns, 1 PowersOfTen),
///         bits 5-9 zero (kept for later formats); never all zero;
///   15    the check symbol, worked out as above over the fourteen symbols before it.
/// Each factor has fewer decimals than digits; the powers of ten have no decimals of their own.
/// The decimals put commas in the digits drawn: a sheet with decimals keeps the operations of
/// the sheet of the same seed, settings and level without them whose decimal factors do not
/// end in 0, then those of further rounds of draws (sheetOf, in sheet.h).
/// The powers of ten draw from the seed with a SeededRandomSource, as powersOfTenRows does.
/// Reading a code (UTF-8) ignores case, blanks and hyphens, and takes O for 0 and I or L
/// for 1. Dashes and blanks that word processors put in (en and em dash, non-breaking
/// space...) count as hyphens and blanks.
/// A code makes its sheet by GeneraScheda, at its level, with a SeededRandomSource of its seed.
/// That source's sequence and what the generation makes of it are part of the format, so the
/// same code gives the same sheet in every release: at the default level the digit drawn from
/// each fraction; at any other level the 64-bit words, the numbers nextBelow draws from them,
/// the draw of each format (AllowedOperations::draw) and the order of the ranks.
struct SheetCode {
    int multiplicandDigits = 2;    ///< 2, 3 or 4
    int multiplierDigits = 1;      ///< 1, 2 or 3
    int lastOperation = 19;        ///< 9 or 19
    std::uint64_t seed = 0;        ///< 40 bits
    Level level{};                 ///< the default level unless the code has thirteen symbols or more
    int multiplicandDecimals = 0;  ///< 0 to 3, fewer than multiplicandDigits
    int multiplierDecimals = 0;    ///< 0 to 2, fewer than multiplierDigits
    SheetKind kind = SheetKind::Columns;

    bool operator==(const SheetCode&) const = default;

    /// Operations of the sheet: 10 or 20.
    [[nodiscard]] int operations() const { return lastOperation + 1; }

    /// Sheet k (from 1) of a class set whose first sheet is this one: the same settings and
    /// level, the seed k - 1 further on.
    [[nodiscard]] SheetCode nth(int k) const;
    /// The code as it is shown and printed: two groups of five symbols, and a group of three
    /// for a level other than the default, or of five for decimals or the powers of ten.
    [[nodiscard]] std::string text() const;
    /// True when the code needs fifteen symbols: decimals or the powers of ten.
    [[nodiscard]] bool extended() const
    {
        return multiplicandDecimals != 0 || multiplierDecimals != 0 || kind != SheetKind::Columns;
    }
    /// True when each factor has fewer decimals than digits, and the powers of ten have none.
    [[nodiscard]] bool decimalsFit() const;
    /// True when there is a sheet to make: the decimals fit, and a sheet in column has a level
    /// that allows some operation with its digit counts.
    [[nodiscard]] bool makesSheet() const;
};

/// Why a text is not a sheet code. UnknownSettings: the settings or the level hold values that
/// this release never writes, as a code from a later release does.
enum class CodeError { Empty, WrongLength, BadSymbol, WrongCheck, UnknownSettings };

/// A code read from a user's text: the sheet code, or why there is none.
struct ParsedCode {
    std::optional<SheetCode> code;
    CodeError error = CodeError::Empty;
    char32_t badSymbol =
        0;  ///< for BadSymbol: the first character that is not a symbol (U+FFFD for bytes that are not UTF-8)
};

/// Reads a code as a user types it.
[[nodiscard]] ParsedCode parseSheetCode(std::string_view text);

/// The code of the sheet m holds, drawn from seed at level; none when the settings are out of
/// range or the level allows no operation with them.
[[nodiscard]] std::optional<SheetCode> codeOfSheet(const Modulo1& m, std::uint64_t seed, const Level& level = {});

/// Makes the sheet of code in m: its settings, 20 blanks, and the sheet GeneraScheda draws
/// from the code's seed at the code's level.
void makeSheet(const SheetCode& code, Modulo1& m);

}  // namespace virdamo
