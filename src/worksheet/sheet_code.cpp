#include "worksheet/sheet_code.h"

#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <array>
#include <cctype>

namespace virdamo {

namespace {

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t kSymbols = 10;
constexpr std::size_t kSeedSymbols = 8;
constexpr int kSettingsValues = 18;

/// The value of a symbol as typed, or -1.
int symbolValue(char c)
{
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const char read = upper == 'O' ? '0' : (upper == 'I' || upper == 'L') ? '1' : upper;
    const std::size_t at = kAlphabet.find(read);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

/// Multiplication by x in GF(32) built on x^5 + x^2 + 1.
unsigned timesX(unsigned v)
{
    v <<= 1U;
    return (v & 0x20U) != 0 ? (v ^ 0x25U) : v;
}

unsigned checkOf(const std::array<unsigned, kSymbols>& symbols)
{
    unsigned check = 0;
    for (std::size_t i = 0; i + 1 < kSymbols; ++i) {
        check = timesX(check) ^ symbols[i];
    }
    return timesX(check);
}

}  // namespace

SheetCode SheetCode::nth(int k) const
{
    SheetCode sheet = *this;
    sheet.seed = (seed + static_cast<std::uint64_t>(k - 1)) & kSeedMask;
    return sheet;
}

std::string SheetCode::text() const
{
    std::array<unsigned, kSymbols> symbols{};
    symbols[0] = static_cast<unsigned>((cifreMoltiplicando - 2) * 6 + (cifreMoltiplicatore - 1) * 2
                                       + (ultimaOperazione == 19 ? 1 : 0));
    for (std::size_t i = 0; i < kSeedSymbols; ++i) {
        symbols[1 + i] = static_cast<unsigned>((seed >> (5U * (kSeedSymbols - 1 - i))) & 0x1FU);
    }
    symbols[kSymbols - 1] = checkOf(symbols);
    std::string out;
    for (std::size_t i = 0; i < kSymbols; ++i) {
        if (i == kSymbols / 2) {
            out += '-';
        }
        out += kAlphabet[symbols[i]];
    }
    return out;
}

ParsedCode parseSheetCode(std::string_view text)
{
    ParsedCode parsed;
    std::array<unsigned, kSymbols> symbols{};
    std::size_t count = 0;
    for (const char c : text) {
        if (c == '-' || std::isspace(static_cast<unsigned char>(c)) != 0) {
            continue;
        }
        const int value = symbolValue(c);
        if (value < 0) {
            parsed.error = CodeError::BadSymbol;
            parsed.badSymbol = c;
            return parsed;
        }
        if (count < kSymbols) {
            symbols[count] = static_cast<unsigned>(value);
        }
        ++count;
    }
    if (count == 0) {
        parsed.error = CodeError::Empty;
        return parsed;
    }
    if (count != kSymbols) {
        parsed.error = CodeError::WrongLength;
        return parsed;
    }
    if (checkOf(symbols) != symbols[kSymbols - 1]) {
        parsed.error = CodeError::WrongCheck;
        return parsed;
    }
    if (symbols[0] >= kSettingsValues) {
        parsed.error = CodeError::UnknownSettings;
        return parsed;
    }
    SheetCode code;
    code.cifreMoltiplicando = static_cast<int>(symbols[0] / 6) + 2;
    code.cifreMoltiplicatore = static_cast<int>(symbols[0] % 6 / 2) + 1;
    code.ultimaOperazione = symbols[0] % 2 == 1 ? 19 : 9;
    for (std::size_t i = 0; i < kSeedSymbols; ++i) {
        code.seed = (code.seed << 5U) | symbols[1 + i];
    }
    parsed.code = code;
    return parsed;
}

std::optional<SheetCode> codeOfSheet(const Modulo1& m, std::uint64_t seed)
{
    if (!settingsInRange(m)) {
        return std::nullopt;
    }
    return SheetCode{m.CifreMoltiplicando, m.CifreMoltiplicatore, m.UltimaOperazione, seed & kSeedMask};
}

void makeSheet(const SheetCode& code, Modulo1& m)
{
    m.CifreMoltiplicando = static_cast<std::int16_t>(code.cifreMoltiplicando);
    m.CifreMoltiplicatore = static_cast<std::int16_t>(code.cifreMoltiplicatore);
    m.UltimaOperazione = static_cast<std::int16_t>(code.ultimaOperazione);
    m.Spazi = std::string(Modulo1::kSpaziLength, ' ');
    SeededRandomSource random(code.seed);
    GeneraScheda(m, random);
}

}  // namespace virdamo
