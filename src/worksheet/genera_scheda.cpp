#include "worksheet/genera_scheda.h"

#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <cassert>
#include <charconv>
#include <iterator>

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
    m.clearTextRows();
    for (std::size_t k = 1; k <= Modulo1::kLastIndex; ++k) {
        m.StrCifraMoltiplicando[k].clear();
        m.StrCifraMoltiplicatore[k].clear();
    }

    assert(settingsInRange(m) && "worksheet settings out of range");
    if (!settingsInRange(m)) {
        return;
    }

    random.reseedFromClock();

    for (int indice = 0; indice <= m.UltimaOperazione; ++indice) {
        const auto i = static_cast<std::size_t>(indice);

        m.ValMoltiplicando[i] =
            drawFactor(random, m.CifreMoltiplicando, m.CifraMoltiplicando, m.StrCifraMoltiplicando, 4);
        m.ValMoltiplicatore[i] =
            drawFactor(random, m.CifreMoltiplicatore, m.CifraMoltiplicatore, m.StrCifraMoltiplicatore, 3);

        assignRightAligned(m.TxtMoltiplicando[i], m.Spazi, m.ValMoltiplicando[i], kFactorWidth);
        assignRightAligned(m.TxtMoltiplicatore[i], m.Spazi, m.ValMoltiplicatore[i], kFactorWidth);

        const std::int32_t a = m.ValMoltiplicando[i];
        const auto& d = m.CifraMoltiplicatore;
        switch (m.CifreMoltiplicatore) {
        case 1: break;
        case 2:
            m.Parziale1[i] = a * d[2];
            m.Parziale2[i] = a * d[1];
            assignRightAligned(m.TxtParziale1[i], m.Spazi, m.Parziale1[i], kPartial1Width);
            assignRightAligned(m.TxtParziale2[i], m.Spazi, m.Parziale2[i], kPartial2Width);
            break;
        case 3:
            m.Parziale1[i] = a * d[3];
            m.Parziale2[i] = a * d[2];
            m.Parziale3[i] = a * d[1];
            assignRightAligned(m.TxtParziale1[i], m.Spazi, m.Parziale1[i], kPartial1Width);
            assignRightAligned(m.TxtParziale2[i], m.Spazi, m.Parziale2[i], kPartial2Width);
            assignRightAligned(m.TxtParziale3[i], m.Spazi, m.Parziale3[i], kPartial3Width);
            break;
        default: break;
        }

        // Computed from the factors, not by adding the partial products.
        m.Prodotto[i] = m.ValMoltiplicatore[i] * m.ValMoltiplicando[i];
        assignRightAligned(m.TxtProdotto[i], m.Spazi, m.Prodotto[i], kProductWidth);
    }
}

}  // namespace virdamo
