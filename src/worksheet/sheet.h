#pragma once

#include "worksheet/powers_of_ten.h"
#include "worksheet/sheet_code.h"
#include "worksheet/worked_operation.h"

#include <algorithm>
#include <vector>

namespace virdamo {

struct Modulo1;

/// A sheet as every page, output and window but the worksheet window reads it: its
/// operations worked out, in the order the worksheet window shows them, and the digit
/// counts they were drawn with; or, for the powers of ten, its rows.
struct Sheet {
    int multiplicandDigits = 2;    ///< 2, 3 or 4
    int multiplierDigits = 1;      ///< 1, 2 or 3
    int multiplicandDecimals = 0;  ///< of every multiplicand, fewer than its digits
    int multiplierDecimals = 0;    ///< of every multiplier, fewer than its digits
    SheetKind kind = SheetKind::Columns;
    std::vector<WorkedOperation> operations;  ///< Columns: in the worksheet window's order
    std::vector<PowerOfTenRow> powersOfTen;   ///< PowersOfTen: the rows, top to bottom

    /// Operations or rows of the sheet.
    [[nodiscard]] int operationCount() const
    {
        return static_cast<int>(kind == SheetKind::PowersOfTen ? powersOfTen.size() : operations.size());
    }
    /// Keeps the first count operations or rows, fewer where the sheet has fewer.
    void keepFirst(int count)
    {
        const auto kept = static_cast<std::size_t>(std::max(0, std::min(count, operationCount())));
        operations.resize(std::min(operations.size(), kept));
        powersOfTen.resize(std::min(powersOfTen.size(), kept));
    }
    /// Digits right of every product's comma.
    [[nodiscard]] int productDecimals() const { return multiplicandDecimals + multiplierDecimals; }
};

/// The sheet code makes: the operations makeSheet puts in the worksheet state, written as
/// conventions say.
[[nodiscard]] Sheet sheetOf(const SheetCode& code, const Conventions& conventions = {});

/// The sheet the worksheet state holds: operations 0 to UltimaOperazione.
[[nodiscard]] Sheet sheetOf(const Modulo1& m, const Conventions& conventions = {});

}  // namespace virdamo
