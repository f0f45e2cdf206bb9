#include "worksheet/modulo1.h"

#include <algorithm>

namespace virdamo {

void Modulo1::clearTextRows()
{
    for (int i = 0; i <= kLastIndex; ++i) {
        const auto k = static_cast<std::size_t>(i);
        TxtParziale1[k].clear();
        TxtParziale2[k].clear();
        TxtParziale3[k].clear();
        TxtProdotto[k].clear();
        TxtMoltiplicando[k].clear();
        TxtMoltiplicatore[k].clear();
    }
}

bool settingsInRange(const Modulo1& m)
{
    const bool multiplicand = m.CifreMoltiplicando >= 2 && m.CifreMoltiplicando <= 4;
    const bool multiplier = m.CifreMoltiplicatore >= 1 && m.CifreMoltiplicatore <= 3;
    const bool operations = m.UltimaOperazione == 9 || m.UltimaOperazione == 19;
    const bool blanks = m.Spazi.size() == Modulo1::kSpaziLength
        && std::all_of(m.Spazi.begin(), m.Spazi.end(), [](char c) { return c == ' '; });
    return multiplicand && multiplier && operations && blanks;
}

}  // namespace virdamo
