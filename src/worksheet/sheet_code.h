#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace virdamo {

struct Modulo1;

/// What makes a sheet again: the three settings it was drawn with and the seed of its
/// random sequence.
///
/// The code of a sheet, for example "4Z2KQ-7M0DX", is ten symbols of the alphabet
/// "0123456789ABCDEFGHJKMNPQRSTVWXYZ" (no I, L, O, U), shown as two groups of five:
///   1     the settings: (multiplicand digits - 2) * 6 + (multiplier digits - 1) * 2
///         + (1 for 20 operations, 0 for 10); the values 18 to 31 are kept for later formats;
///   2-9   the seed, 40 bits, five bits a symbol, most significant first;
///   10    the check symbol: the nine symbols above as a polynomial over GF(32)
///         (x^5 + x^2 + 1), evaluated at x, times x, so that any one changed symbol and
///         any two neighbours swapped give another check symbol.
/// Reading a code (UTF-8) ignores case, blanks and hyphens, and takes O for 0 and I or L
/// for 1. Dashes and blanks that word processors put in (en and em dash, non-breaking
/// space...) count as hyphens and blanks.
/// A code makes its sheet by GeneraScheda with a SeededRandomSource of its seed; that
/// source's sequence and the digit drawn from each fraction are part of the format, so
/// the same code gives the same sheet in every release.
struct SheetCode {
    int cifreMoltiplicando = 2;   ///< 2, 3 or 4
    int cifreMoltiplicatore = 1;  ///< 1, 2 or 3
    int ultimaOperazione = 19;    ///< 9 or 19
    std::uint64_t seed = 0;       ///< 40 bits

    bool operator==(const SheetCode&) const = default;

    /// Operations of the sheet: 10 or 20.
    [[nodiscard]] int operations() const { return ultimaOperazione + 1; }

    /// Sheet k (from 1) of a class set whose first sheet is this one: the same settings,
    /// the seed k - 1 further on.
    [[nodiscard]] SheetCode nth(int k) const;
    /// The code as it is shown and printed: two groups of five symbols.
    [[nodiscard]] std::string text() const;
};

/// Why a text is not a sheet code.
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

/// The code of the sheet m holds, drawn from seed; none when the settings are out of range.
[[nodiscard]] std::optional<SheetCode> codeOfSheet(const Modulo1& m, std::uint64_t seed);

/// Makes the sheet of code in m: its settings, 20 blanks, and the sheet GeneraScheda draws
/// from the code's seed.
void makeSheet(const SheetCode& code, Modulo1& m);

}  // namespace virdamo
