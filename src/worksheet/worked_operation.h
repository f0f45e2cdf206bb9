#pragma once

#include "worksheet/carries.h"
#include "worksheet/conventions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace virdamo {

/// The rows of a multiplication worked in column form as a pupil writes it on squared
/// paper, one digit per square.
enum class WorkedRow {
    PartialCarries,  ///< the carries of one partial product, small, over the multiplicand
    Multiplicand,
    Multiplier,
    AdditionCarries,  ///< the carries of the final addition, small, over the first partial product
    Partial,          ///< one partial product, shifted one column left per multiplier digit
    Product,
};

/// One row of an operation: partial products and their carries rows are told apart by
/// the multiplier digit they belong to (0 for its units digit); other rows have index 0.
struct RowRef {
    WorkedRow row = WorkedRow::Multiplicand;
    int index = 0;

    /// True for a row of carries, written small.
    [[nodiscard]] bool ofCarries() const
    {
        return row == WorkedRow::PartialCarries || row == WorkedRow::AdditionCarries;
    }

    bool operator==(const RowRef&) const = default;
};

/// One digit written in a row, in a column counted from 0 at the units of the operation,
/// leftwards; kDash for a dash in an empty place.
struct WrittenDigit {
    RowRef row;
    int column = 0;
    int digit = 0;

    bool operator==(const WrittenDigit&) const = default;
};

/// A multiplication worked out completely: every digit of every row, the carries and the
/// prova del nove. With a one-digit multiplier the product follows the rule directly and
/// there are no partial products; otherwise there is one per multiplier digit, and a zero
/// digit of the multiplier gives the single digit 0 in its column.
/// Decimal factors are worked as the class works them, as if there were no commas: the
/// numbers, digits and rows are those of the whole numbers, and only the product's comma
/// comes from the decimals counted.
struct WorkedOperation {
    std::int32_t multiplicand = 0;  ///< its digits, the comma left out
    std::int32_t multiplier = 0;    ///< its digits, the comma left out
    std::int32_t product = 0;       ///< its digits, the comma left out
    int multiplicandDigits = 0;
    int multiplierDigits = 0;
    int productDigits = 0;
    int multiplicandDecimals = 0;  ///< digits right of the multiplicand's comma, fewer than its digits
    int multiplierDecimals = 0;    ///< digits right of the multiplier's comma, fewer than its digits

    /// The digits of the factors, the partial products and the product, row by row from
    /// the top, each row from its units column leftwards.
    std::vector<WrittenDigit> digits;
    /// The carries worth writing (not 0, not the leading digit of a row), in the same order.
    std::vector<WrittenDigit> carries;
    ProvaDelNove prova;  ///< as it is written: a 9 as 0 where the conventions say so
    Conventions conventions;

    /// Digits right of the product's comma: as many as both factors have.
    [[nodiscard]] int productDecimals() const { return multiplicandDecimals + multiplierDecimals; }
    /// True when some factor has a comma.
    [[nodiscard]] bool hasDecimals() const { return productDecimals() > 0; }

    /// Partial product rows written: 0 with a one-digit multiplier, else one per digit.
    [[nodiscard]] int partialRows() const { return multiplierDigits >= 2 ? multiplierDigits : 0; }
    /// Partial product k (0 for the multiplier's units digit): the multiplicand times that
    /// digit, shifted k columns left where it is written.
    [[nodiscard]] std::int32_t partial(int k) const;
    /// Columns the operation spans: the product is its widest row.
    [[nodiscard]] int columns() const { return productDigits; }
    /// Its rows top to bottom: with carries, one carries row per multiplier digit above the
    /// multiplicand (that of the units digit nearest it) and, with partial products, the
    /// addition's carries row just above the first of them.
    /// The rows this operation writes, those of a 0 in the multiplier left out where its
    /// conventions skip them.
    [[nodiscard]] std::vector<RowRef> rowsTopToBottom(bool withCarries) const;
    /// The rows of any operation whose multiplier has multiplierDigits digits, every row of
    /// the multiplier's digits written: every operation of a sheet fits in them.
    [[nodiscard]] static std::vector<RowRef> rowsTopToBottom(int multiplierDigits, bool withCarries);
};

/// Works multiplicand (10 to 9999) x multiplier (1 to 999) out in column form, written as
/// conventions say: the empty places right of a shifted partial product (before its digits
/// in its row), the row of a 0 in the multiplier, and a 9 in the cross.
[[nodiscard]] WorkedOperation workOut(std::int32_t multiplicand, std::int32_t multiplier,
                                      const Conventions& conventions = {});

/// As workOut, the factors' digits read with multiplicandDecimals and multiplierDecimals
/// digits after their commas (each fewer than the factor's digits): 2345, 3222, 2, 1 is
/// 23,45 x 322,2.
[[nodiscard]] WorkedOperation workOut(std::int32_t multiplicand, std::int32_t multiplier,
                                      const Conventions& conventions, int multiplicandDecimals, int multiplierDecimals);

/// The number whose digits are digits (>= 0) with decimals of them after the comma, as an
/// Italian class writes it, every decimal digit kept: 75040, 3 is "75,040"; 7, 2 is "0,07".
[[nodiscard]] std::string decimalText(std::int64_t digits, int decimals);

/// The same number without the zeros that end its decimal part, nor a comma with nothing
/// after it: 75040, 3 is "75,04"; 3450, 1 is "345".
[[nodiscard]] std::string shortestDecimalText(std::int64_t digits, int decimals);

}  // namespace virdamo
