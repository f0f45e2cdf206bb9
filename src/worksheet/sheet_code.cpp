#include "worksheet/sheet_code.h"

#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <array>
#include <bitset>
#include <cctype>

namespace virdamo {

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t kSeedSymbols = 8;
constexpr std::size_t kLevelSymbols = 3;
/// Settings, seed and check symbol.
constexpr std::size_t kDefaultLevelSymbols = 1 + kSeedSymbols + 1;
/// Settings, seed, level and check symbol.
constexpr std::size_t kLevelledSymbols = kDefaultLevelSymbols + kLevelSymbols;
constexpr std::size_t kExtensionSymbols = 2;
/// Settings, seed, level, decimals and kind, and check symbol.
constexpr std::size_t kExtendedSymbols = kLevelledSymbols + kExtensionSymbols;
constexpr std::size_t kGroup = 5;
constexpr int kSettingsValues = 18;

constexpr unsigned kCarriesShift = 10;
constexpr unsigned kCarriesMask = 0x3U;
constexpr unsigned kWrittenFormatBit = 0x1000U;
constexpr unsigned kReservedLevelBits = 0x6000U;

constexpr unsigned kMultiplierDecimalsShift = 2;
constexpr unsigned kDecimalsMask = 0x3U;
constexpr unsigned kPowersOfTenBit = 0x10U;
constexpr unsigned kReservedExtensionBits = 0x3E0U;

using Symbols = std::array<unsigned, kExtendedSymbols>;

/// The value of a symbol as typed, or -1.
int symbolValue(char32_t c)
{
    if (c >= 0x80) {
        return -1;
    }
    const char upper = static_cast<char>(std::toupper(static_cast<int>(c)));
    const char read = upper == 'O' ? '0' : (upper == 'I' || upper == 'L') ? '1' : upper;
    const std::size_t at = kAlphabet.find(read);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

/// Characters read as a hyphen or a blank: what word processors and mail programs put in
/// place of the ones typed (dashes, minus, non-breaking and thin spaces).
bool isSeparator(char32_t c)
{
    switch (c) {
    case U'-':
    case U' ':
    case U'\t':
    case U'\n':
    case U'\r':
    case U'\v':
    case U'\f':
    case U'\u00A0':  // no-break space
    case U'\u2007':  // figure space
    case U'\u2009':  // thin space
    case U'\u202F':  // narrow no-break space
    case U'\u2010':  // hyphen
    case U'\u2011':  // non-breaking hyphen
    case U'\u2012':  // figure dash
    case U'\u2013':  // en dash
    case U'\u2014':  // em dash
    case U'\u2212':  // minus sign
        return true;
    default: return false;
    }
}

/// The character of text that starts at at, moving at past it; U+FFFD for a byte that
/// does not start a well-formed UTF-8 sequence (which then counts as one character).
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80U) {
        return lead;
    }
    const int extra = (lead & 0xE0U) == 0xC0U ? 1 : (lead & 0xF0U) == 0xE0U ? 2 : (lead & 0xF8U) == 0xF0U ? 3 : -1;
    if (extra < 0 || at + static_cast<std::size_t>(extra) > text.size()) {
        return U'\uFFFD';
    }
    char32_t c = lead & (0x3FU >> static_cast<unsigned>(extra));
    for (int k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0U) != 0x80U) {
            return U'\uFFFD';
        }
        c = (c << 6U) | (next & 0x3FU);
        ++at;
    }
    constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
    const bool wellFormed =
        c >= kSmallest[static_cast<std::size_t>(extra)] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    return wellFormed ? c : U'\uFFFD';
}

/// Multiplication by x in GF(32) built on x^5 + x^2 + 1.
unsigned timesX(unsigned v)
{
    v <<= 1U;
    return (v & 0x20U) != 0 ? (v ^ 0x25U) : v;
}

/// The check symbol of the first count symbols, the last of which is the check itself.
unsigned checkOf(const Symbols& symbols, std::size_t count)
{
    unsigned check = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        check = timesX(check) ^ symbols[i];
    }
    return timesX(check);
}

unsigned bitsOf(const Level& level)
{
    return static_cast<unsigned>(level.tables.to_ulong()) | (static_cast<unsigned>(level.carries) << kCarriesShift)
        | (level.format == LevelFormat::Written ? kWrittenFormatBit : 0U);
}

/// The level that bits hold, or none when they hold values no release writes.
std::optional<Level> levelOf(unsigned bits)
{
    const unsigned carries = (bits >> kCarriesShift) & kCarriesMask;
    if ((bits & kReservedLevelBits) != 0 || carries > static_cast<unsigned>(CarriesRule::With)
        || (bits & 0x3FFU) == 0) {
        return std::nullopt;
    }
    Level level;
    level.tables = std::bitset<10>(bits);
    level.carries = static_cast<CarriesRule>(carries);
    level.format = (bits & kWrittenFormatBit) != 0 ? LevelFormat::Written : LevelFormat::First;
    return level;
}

unsigned extensionBitsOf(const SheetCode& code)
{
    return static_cast<unsigned>(code.multiplicandDecimals)
        | (static_cast<unsigned>(code.multiplierDecimals) << kMultiplierDecimalsShift)
        | (code.kind == SheetKind::PowersOfTen ? kPowersOfTenBit : 0U);
}

/// Reads the symbols from at, most significant first, as one number.
unsigned bitsAt(const Symbols& symbols, std::size_t at, std::size_t count)
{
    unsigned bits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        bits = (bits << 5U) | symbols[at + i];
    }
    return bits;
}

/// Writes the count symbols of bits from at, most significant first.
void putBits(Symbols& symbols, std::size_t at, std::size_t count, unsigned bits)
{
    for (std::size_t i = 0; i < count; ++i) {
        symbols[at + i] = (bits >> (5U * (count - 1 - i))) & 0x1FU;
    }
}

}  // namespace

SheetCode SheetCode::nth(int k) const
{
    SheetCode sheet = *this;
    sheet.seed = (seed + static_cast<std::uint64_t>(k - 1)) & kSeedMask;
    return sheet;
}

bool SheetCode::decimalsFit() const
{
    if (kind == SheetKind::PowersOfTen) {
        return multiplicandDecimals == 0 && multiplierDecimals == 0;
    }
    return multiplicandDecimals >= 0 && multiplicandDecimals <= 3 && multiplicandDecimals < multiplicandDigits
        && multiplierDecimals >= 0 && multiplierDecimals <= 2 && multiplierDecimals < multiplierDigits;
}

bool SheetCode::makesSheet() const
{
    return decimalsFit() && (kind == SheetKind::PowersOfTen || !level.allowsNone(multiplicandDigits, multiplierDigits));
}

std::string SheetCode::text() const
{
    Symbols symbols{};
    symbols[0] = static_cast<unsigned>((multiplicandDigits - 2) * 6 + (multiplierDigits - 1) * 2
                                       + (lastOperation == 19 ? 1 : 0));
    for (std::size_t i = 0; i < kSeedSymbols; ++i) {
        symbols[1 + i] = static_cast<unsigned>((seed >> (5U * (kSeedSymbols - 1 - i))) & 0x1FU);
    }
    std::size_t count = kDefaultLevelSymbols;
    if (!level.isDefault() || extended()) {
        putBits(symbols, 1 + kSeedSymbols, kLevelSymbols, bitsOf(level));
        count = kLevelledSymbols;
    }
    if (extended()) {
        putBits(symbols, kLevelledSymbols - 1, kExtensionSymbols, extensionBitsOf(*this));
        count = kExtendedSymbols;
    }
    symbols[count - 1] = checkOf(symbols, count);
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && i % kGroup == 0) {
            out += '-';
        }
        out += kAlphabet[symbols[i]];
    }
    return out;
}

ParsedCode parseSheetCode(std::string_view text)
{
    ParsedCode parsed;
    Symbols symbols{};
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = nextCharacter(text, at);
        if (isSeparator(c)) {
            continue;
        }
        const int value = symbolValue(c);
        if (value < 0) {
            parsed.error = CodeError::BadSymbol;
            parsed.badSymbol = c;
            return parsed;
        }
        if (count < kExtendedSymbols) {
            symbols[count] = static_cast<unsigned>(value);
        }
        ++count;
    }
    if (count == 0) {
        parsed.error = CodeError::Empty;
        return parsed;
    }
    if (count != kDefaultLevelSymbols && count != kLevelledSymbols && count != kExtendedSymbols) {
        parsed.error = CodeError::WrongLength;
        return parsed;
    }
    if (checkOf(symbols, count) != symbols[count - 1]) {
        parsed.error = CodeError::WrongCheck;
        return parsed;
    }
    if (symbols[0] >= kSettingsValues) {
        parsed.error = CodeError::UnknownSettings;
        return parsed;
    }
    SheetCode code;
    code.multiplicandDigits = static_cast<int>(symbols[0] / 6) + 2;
    code.multiplierDigits = static_cast<int>(symbols[0] % 6 / 2) + 1;
    code.lastOperation = symbols[0] % 2 == 1 ? 19 : 9;
    for (std::size_t i = 0; i < kSeedSymbols; ++i) {
        code.seed = (code.seed << 5U) | symbols[1 + i];
    }
    if (count >= kLevelledSymbols) {
        const std::optional<Level> level = levelOf(bitsAt(symbols, 1 + kSeedSymbols, kLevelSymbols));
        // A thirteen-symbol code never holds the default level.
        if (!level || (count == kLevelledSymbols && level->isDefault())) {
            parsed.error = CodeError::UnknownSettings;
            return parsed;
        }
        code.level = *level;
    }
    if (count == kExtendedSymbols) {
        const unsigned bits = bitsAt(symbols, kLevelledSymbols - 1, kExtensionSymbols);
        code.multiplicandDecimals = static_cast<int>(bits & kDecimalsMask);
        code.multiplierDecimals = static_cast<int>((bits >> kMultiplierDecimalsShift) & kDecimalsMask);
        code.kind = (bits & kPowersOfTenBit) != 0 ? SheetKind::PowersOfTen : SheetKind::Columns;
        if ((bits & kReservedExtensionBits) != 0 || !code.extended()) {
            parsed.error = CodeError::UnknownSettings;
            return parsed;
        }
    }
    if (!code.makesSheet()) {
        parsed.error = CodeError::UnknownSettings;
        return parsed;
    }
    parsed.code = code;
    return parsed;
}

std::optional<SheetCode> codeOfSheet(const Modulo1& m, std::uint64_t seed, const Level& level)
{
    if (!settingsInRange(m) || level.allowsNone(m.CifreMoltiplicando, m.CifreMoltiplicatore)) {
        return std::nullopt;
    }
    return SheetCode{m.CifreMoltiplicando, m.CifreMoltiplicatore, m.UltimaOperazione, seed & kSeedMask, level};
}

void makeSheet(const SheetCode& code, Modulo1& m)
{
    m.CifreMoltiplicando = static_cast<std::int16_t>(code.multiplicandDigits);
    m.CifreMoltiplicatore = static_cast<std::int16_t>(code.multiplierDigits);
    m.UltimaOperazione = static_cast<std::int16_t>(code.lastOperation);
    m.Spazi = std::string(Modulo1::kSpaziLength, ' ');
    SeededRandomSource random(code.seed);
    GeneraScheda(m, code.level, random);
}

}  // namespace virdamo
