#include "worksheet/worked_operation.h"

#include <cassert>
#include <cstddef>

namespace virdamo {

namespace {

int digitCount(std::int64_t value)
{
    int count = 1;
    for (; value >= 10; value /= 10) {
        ++count;
    }
    return count;
}

/// Appends the digits of value to row, the units in column shift.
void writeRow(std::vector<WrittenDigit>& out, RowRef row, std::int64_t value, int shift)
{
    int column = shift;
    do {
        out.push_back(WrittenDigit{row, column++, static_cast<int>(value % 10)});
        value /= 10;
    } while (value > 0);
}

}  // namespace

WorkedOperation workOut(std::int32_t multiplicand, std::int32_t multiplier, const Conventions& conventions,
                        int multiplicandDecimals, int multiplierDecimals)
{
    WorkedOperation op = workOut(multiplicand, multiplier, conventions);
    assert(multiplicandDecimals >= 0 && multiplicandDecimals < op.multiplicandDigits);
    assert(multiplierDecimals >= 0 && multiplierDecimals < op.multiplierDigits);
    op.multiplicandDecimals = multiplicandDecimals;
    op.multiplierDecimals = multiplierDecimals;
    return op;
}

std::string decimalText(std::int64_t digits, int decimals)
{
    std::string text = std::to_string(digits);
    if (decimals <= 0) {
        return text;
    }
    const auto after = static_cast<std::size_t>(decimals);
    if (text.size() <= after) {
        text.insert(0, after + 1 - text.size(), '0');
    }
    text.insert(text.size() - after, 1, ',');
    return text;
}

std::string shortestDecimalText(std::int64_t digits, int decimals)
{
    while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
    }
    return decimalText(digits, decimals);
}

std::vector<RowRef> WorkedOperation::rowsTopToBottom(int multiplierDigits, bool withCarries)
{
    const int partialRows = multiplierDigits >= 2 ? multiplierDigits : 0;
    std::vector<RowRef> rows;
    if (withCarries) {
        for (int r = multiplierDigits - 1; r >= 0; --r) {
            rows.push_back({WorkedRow::PartialCarries, r});
        }
    }
    rows.push_back({WorkedRow::Multiplicand, 0});
    rows.push_back({WorkedRow::Multiplier, 0});
    if (partialRows > 0) {
        if (withCarries) {
            rows.push_back({WorkedRow::AdditionCarries, 0});
        }
        for (int r = 0; r < partialRows; ++r) {
            rows.push_back({WorkedRow::Partial, r});
        }
    }
    rows.push_back({WorkedRow::Product, 0});
    return rows;
}

WorkedOperation workOut(std::int32_t multiplicand, std::int32_t multiplier, const Conventions& conventions)
{
    assert(multiplicand >= 10 && multiplicand <= 9999 && multiplier >= 1 && multiplier <= 999);
    WorkedOperation op;
    op.multiplicand = multiplicand;
    op.multiplier = multiplier;
    op.product = multiplicand * multiplier;
    op.multiplicandDigits = digitCount(multiplicand);
    op.multiplierDigits = digitCount(multiplier);
    op.productDigits = digitCount(op.product);
    op.conventions = conventions;
    op.prova = provaDelNove(multiplicand, multiplier);
    if (conventions.nineIsZero) {
        for (int* box : {&op.prova.multiplicand, &op.prova.multiplier, &op.prova.productOfDigits, &op.prova.product}) {
            *box = *box == 9 ? 0 : *box;
        }
    }

    writeRow(op.digits, {WorkedRow::Multiplicand, 0}, multiplicand, 0);
    writeRow(op.digits, {WorkedRow::Multiplier, 0}, multiplier, 0);
    std::int32_t rest = multiplier;
    for (int r = 0; r < op.partialRows(); ++r, rest /= 10) {
        const std::int32_t digit = rest % 10;
        if (digit == 0 && conventions.zeroRow == ZeroRow::Skip) {
            continue;
        }
        const RowRef row{WorkedRow::Partial, r};
        if (conventions.emptyPlaces != EmptyPlaces::Blank) {
            for (int c = 0; c < r; ++c) {
                op.digits.push_back({row, c, conventions.emptyPlaces == EmptyPlaces::Dash ? kDash : 0});
            }
        }
        if (digit == 0 && conventions.zeroRow == ZeroRow::Zeros) {
            for (int c = 0; c < op.multiplicandDigits; ++c) {
                op.digits.push_back({row, r + c, 0});
            }
        } else {
            writeRow(op.digits, row, static_cast<std::int64_t>(multiplicand) * digit, r);
        }
    }
    writeRow(op.digits, {WorkedRow::Product, 0}, op.product, 0);

    const Carries carries = carriesOf(multiplicand, multiplier);
    for (int r = 0; r < op.multiplierDigits; ++r) {
        for (int c = 0; c < op.multiplicandDigits; ++c) {
            if (const int carry =
                    carries.intoMultiplicandColumn[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) {
                op.carries.push_back(WrittenDigit{{WorkedRow::PartialCarries, r}, c, carry});
            }
        }
    }
    for (int k = 0; k < Carries::kProductColumns; ++k) {
        if (const int carry = carries.intoProductColumn[static_cast<std::size_t>(k)]) {
            op.carries.push_back(WrittenDigit{{WorkedRow::AdditionCarries, 0}, k, carry});
        }
    }
    return op;
}

std::vector<RowRef> WorkedOperation::rowsTopToBottom(bool withCarries) const
{
    std::vector<RowRef> rows = rowsTopToBottom(multiplierDigits, withCarries);
    if (conventions.zeroRow == ZeroRow::Skip && partialRows() > 0) {
        std::erase_if(rows, [this](RowRef row) {
            const bool ofADigit = row.row == WorkedRow::Partial || row.row == WorkedRow::PartialCarries;
            return ofADigit && partial(row.index) == 0;
        });
    }
    return rows;
}

std::int32_t WorkedOperation::partial(int k) const
{
    std::int32_t rest = multiplier;
    for (int i = 0; i < k; ++i) {
        rest /= 10;
    }
    return multiplicand * (rest % 10);
}

}  // namespace virdamo
