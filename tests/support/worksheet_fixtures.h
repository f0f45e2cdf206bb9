#pragma once

#include "worksheet/modulo1.h"

#include <cstdint>
#include <string>

namespace virdamo::test {

/// A worksheet state as the worksheet window leaves it after its load and a choice of settings.
inline Modulo1 stateWith(int multiplicandDigits, int multiplierDigits, int lastOperation)
{
    Modulo1 m;
    m.CifreMoltiplicando = static_cast<std::int16_t>(multiplicandDigits);
    m.CifreMoltiplicatore = static_cast<std::int16_t>(multiplierDigits);
    m.UltimaOperazione = static_cast<std::int16_t>(lastOperation);
    m.Spazi = std::string(20, ' ');
    return m;
}

inline std::string blanks(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

inline int digitCount(std::int64_t v)
{
    return static_cast<int>(std::to_string(v).size());
}

}  // namespace virdamo::test
