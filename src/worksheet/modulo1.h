#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace virdamo {

/// The worksheet state that the whole program shares: the settings of the next
/// sheet and, per operation of the sheet generated last, its numbers and its
/// ready-aligned text rows. The application holds exactly one instance for the
/// life of the process and hands a reference to both windows and to printing.
///
/// Who writes what: the worksheet window's load and option clicks write the
/// settings and empty the text rows; GeneraScheda writes the per-operation
/// arrays; display and printing only read.
struct Modulo1 {
    /// Elements of every per-operation array; operations use 0 to 19 only.
    static constexpr int kElements = 22;
    /// Most operations a sheet holds: the worksheet window has a place for each.
    static constexpr int kOperations = 20;
    /// Index of the last operation a sheet can have.
    static constexpr int kLastIndex = kOperations - 1;
    /// Width of the blank text from which every row takes its leading blanks.
    static constexpr std::size_t kSpaziLength = 20;

    template <typename T>
    using PerOperation = std::array<T, kElements>;

    // Settings of the next sheet (written by the worksheet window).
    std::int16_t CifreMoltiplicando = 0;   ///< digits of every multiplicand: 2, 3 or 4
    std::int16_t CifreMoltiplicatore = 0;  ///< digits of every multiplier: 1, 2 or 3
    std::int16_t UltimaOperazione = 0;     ///< index of the last operation: 9 or 19
    std::string Spazi;                     ///< 20 blanks once the worksheet window has loaded
    std::string Sottotitolo;               ///< second heading line of the printed page; never assigned

    // The sheet generated last; element i belongs to operation i.
    PerOperation<std::int32_t> ValMoltiplicando{};
    PerOperation<std::int32_t> ValMoltiplicatore{};
    PerOperation<std::int32_t> Parziale1{};  ///< multiplicand x units digit of the multiplier
    PerOperation<std::int32_t> Parziale2{};  ///< multiplicand x tens digit
    PerOperation<std::int32_t> Parziale3{};  ///< multiplicand x hundreds digit
    PerOperation<std::int32_t> Prodotto{};

    PerOperation<std::string> TxtMoltiplicando;   ///< right-aligned in 11 characters
    PerOperation<std::string> TxtMoltiplicatore;  ///< right-aligned in 11 characters
    PerOperation<std::string> TxtParziale1;       ///< right-aligned in 11 characters
    PerOperation<std::string> TxtParziale2;       ///< right-aligned in 10 characters
    PerOperation<std::string> TxtParziale3;       ///< right-aligned in 9 characters
    PerOperation<std::string> TxtProdotto;        ///< right-aligned in 11 characters

    // Working storage of the generation; position 1 is the most significant digit.
    PerOperation<std::int16_t> CifraMoltiplicando{};
    PerOperation<std::int32_t> CifraMoltiplicatore{};
    PerOperation<std::string> StrCifraMoltiplicando;
    PerOperation<std::string> StrCifraMoltiplicatore;

    /// Empties the six text rows of operations 0 to 19 (elements 20 and 21 are never used).
    void clearTextRows();
};

/// True when the three settings and Spazi hold values the generation, the display and
/// the printing are built for; anything else is a programming error.
[[nodiscard]] bool settingsInRange(const Modulo1& m);

}  // namespace virdamo
