#include "worksheet/genera_scheda.h"

#include "worksheet/level.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <array>
#include <cassert>
#include <charconv>
#include <iterator>
#include <span>

namespace virdamo {

namespace {

constexpr std::size_t kFactorWidth = 11;
constexpr std::size_t kPartial1Width = 11;
constexpr std::size_t kPartial2Width = 10;
constexpr std::size_t kPartial3Width = 9;
constexpr std::size_t kProductWidth = 11;

/// Draws the digits of one factor into positions 1 to count, redrawing the leading
/// digit while it is 0, and returns the number that the digit texts of positions 1 to
/// textPositions spell when joined (positions beyond count were cleared, so add nothing).
template <typename Digit>
std::int32_t drawFactor(RandomSource& random, int count, Modulo1::PerOperation<Digit>& cifre,
                        Modulo1::PerOperation<std::string>& strCifre, int textPositions)
{
    for (int k = 1; k <= count; ++k) {
        const auto pos = static_cast<std::size_t>(k);
        do {
            cifre[pos] = static_cast<Digit>(digitFromFraction(random.nextFraction()));
        } while (cifre[1] == 0);
        strCifre[pos].assign(1, static_cast<char>('0' + cifre[pos]));
    }
    std::int32_t value = 0;
    for (int k = 1; k <= textPositions; ++k) {
        for (const char c : strCifre[static_cast<std::size_t>(k)]) {
            value = value * 10 + (c - '0');
        }
    }
    return value;
}

/// Empties the rows and the digit texts of the sheet drawn last; false, with nothing more
/// to draw, when the settings are out of range.
bool startSheet(Modulo1& m)
{
    m.clearTextRows();
    for (std::size_t k = 1; k <= Modulo1::kLastIndex; ++k) {
        m.StrCifraMoltiplicando[k].clear();
        m.StrCifraMoltiplicatore[k].clear();
    }

    assert(settingsInRange(m) && "worksheet settings out of range");
    return settingsInRange(m);
}

/// Writes operation i of the sheet: its factors, partial products, product and their rows.
void writeOperation(Modulo1& m, std::size_t i, std::int32_t a, std::int32_t b)
{
    m.ValMoltiplicando[i] = a;
    m.ValMoltiplicatore[i] = b;
    assignRightAligned(m.TxtMoltiplicando[i], m.Spazi, a, kFactorWidth);
    assignRightAligned(m.TxtMoltiplicatore[i], m.Spazi, b, kFactorWidth);

    const std::int32_t units = b % 10;
    const std::int32_t tens = b / 10 % 10;
    const std::int32_t hundreds = b / 100 % 10;
    switch (m.CifreMoltiplicatore) {
    case 1: break;
    case 2:
        m.Parziale1[i] = a * units;
        m.Parziale2[i] = a * tens;
        assignRightAligned(m.TxtParziale1[i], m.Spazi, m.Parziale1[i], kPartial1Width);
        assignRightAligned(m.TxtParziale2[i], m.Spazi, m.Parziale2[i], kPartial2Width);
        break;
    case 3:
        m.Parziale1[i] = a * units;
        m.Parziale2[i] = a * tens;
        m.Parziale3[i] = a * hundreds;
        assignRightAligned(m.TxtParziale1[i], m.Spazi, m.Parziale1[i], kPartial1Width);
        assignRightAligned(m.TxtParziale2[i], m.Spazi, m.Parziale2[i], kPartial2Width);
        assignRightAligned(m.TxtParziale3[i], m.Spazi, m.Parziale3[i], kPartial3Width);
        break;
    default: break;
    }

    // Computed from the factors, not by adding the partial products.
    m.Prodotto[i] = b * a;
    assignRightAligned(m.TxtProdotto[i], m.Spazi, m.Prodotto[i], kProductWidth);
}

/// Leaves the digits of value (count of them) in positions 1 to count of the working storage,
/// as drawing them digit by digit does.
template <typename Digit>
void storeDigits(std::int32_t value, int count, Modulo1::PerOperation<Digit>& cifre,
                 Modulo1::PerOperation<std::string>& strCifre)
{
    for (int k = count; k >= 1; --k, value /= 10) {
        const auto pos = static_cast<std::size_t>(k);
        cifre[pos] = static_cast<Digit>(value % 10);
        strCifre[pos].assign(1, static_cast<char>('0' + cifre[pos]));
    }
}

}  // namespace

void assignRightAligned(std::string& row, const std::string& spazi, std::int32_t value, std::size_t width)
{
    assert(value >= 0);
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    assert(length <= width && width - length <= spazi.size());
    row.assign(spazi, 0, width - length);
    row.append(digits, length);
}

std::string rightAligned(const std::string& spazi, std::int32_t value, std::size_t width)
{
    std::string row;
    assignRightAligned(row, spazi, value, width);
    return row;
}

void GeneraScheda(Modulo1& m, RandomSource& random)
{
    if (!startSheet(m)) {
        return;
    }

    random.reseedFromClock();

    for (int indice = 0; indice <= m.UltimaOperazione; ++indice) {
        const auto i = static_cast<std::size_t>(indice);
        const std::int32_t a =
            drawFactor(random, m.CifreMoltiplicando, m.CifraMoltiplicando, m.StrCifraMoltiplicando, 4);
        const std::int32_t b =
            drawFactor(random, m.CifreMoltiplicatore, m.CifraMoltiplicatore, m.StrCifraMoltiplicatore, 3);
        writeOperation(m, i, a, b);
    }
}

void GeneraScheda(Modulo1& m, const Level& level, RandomSource& random)
{
    if (level.isDefault()) {
        GeneraScheda(m, random);
        return;
    }
    if (!startSheet(m)) {
        return;
    }

    random.reseedFromClock();

    const AllowedOperations allowed(level, m.CifreMoltiplicando, m.CifreMoltiplicatore);
    if (allowed.size() == 0) {
        return;
    }
    std::array<Operation, Modulo1::kOperations> drawn{};
    const auto sheet = static_cast<std::size_t>(m.UltimaOperazione + 1);
    allowed.draw(std::span(drawn).first(sheet), random);

    for (std::size_t i = 0; i < sheet; ++i) {
        storeDigits(drawn[i].multiplicand, m.CifreMoltiplicando, m.CifraMoltiplicando, m.StrCifraMoltiplicando);
        storeDigits(drawn[i].multiplier, m.CifreMoltiplicatore, m.CifraMoltiplicatore, m.StrCifraMoltiplicatore);
        writeOperation(m, i, drawn[i].multiplicand, drawn[i].multiplier);
    }
}

}  // namespace virdamo
