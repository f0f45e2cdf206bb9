#pragma once

#include "worksheet/sheet_code.h"
#include "worksheet/worked_operation.h"

#include <vector>

namespace virdamo {

struct Modulo1;

/// A sheet as every page, output and window but the worksheet window reads it: its
/// operations worked out, in the order the worksheet window shows them, and the digit
/// counts they were drawn with.
struct Sheet {
    int multiplicandDigits = 2;  ///< 2, 3 or 4
    int multiplierDigits = 1;    ///< 1, 2 or 3
    std::vector<WorkedOperation> operations;

    [[nodiscard]] int operationCount() const { return static_cast<int>(operations.size()); }
};

/// The sheet code makes: the operations makeSheet puts in the worksheet state, written as
/// conventions say.
[[nodiscard]] Sheet sheetOf(const SheetCode& code, const Conventions& conventions = {});

/// The sheet the worksheet state holds: operations 0 to UltimaOperazione.
[[nodiscard]] Sheet sheetOf(const Modulo1& m, const Conventions& conventions = {});

}  // namespace virdamo
