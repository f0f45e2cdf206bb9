#include "worksheet/sheet.h"

#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <algorithm>

namespace virdamo {

namespace {

/// Rounds of draws a decimal sheet takes at most; in the second half an operation may repeat.
constexpr int kDecimalRounds = 64;

/// The seed of round round of a decimal sheet: its own for the first.
std::uint64_t roundSeed(std::uint64_t seed, int round)
{
    constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15U;
    return round == 0 ? seed : (seed ^ (kGolden * static_cast<std::uint64_t>(round))) & kSeedMask;
}

}  // namespace

Sheet sheetOf(const SheetCode& code, const Conventions& conventions)
{
    if (code.kind == SheetKind::PowersOfTen) {
        Sheet sheet{code.multiplicandDigits, code.multiplierDigits, 0, 0, SheetKind::PowersOfTen, {}, {}};
        sheet.powersOfTen = powersOfTenRows(code.multiplicandDigits, code.seed);
        return sheet;
    }
    Modulo1 drawn;
    makeSheet(code, drawn);
    Sheet sheet = sheetOf(drawn, conventions);
    if (!code.extended()) {
        return sheet;
    }
    sheet.multiplicandDecimals = code.multiplicandDecimals;
    sheet.multiplierDecimals = code.multiplierDecimals;
    // A decimal factor never ends in 0 (the class writes 3,4, not 3,40): the sheet keeps the
    // operations of its seed that fit, then takes those of further rounds that fit, in
    // order, each once while there are new ones.
    std::vector<WorkedOperation> kept;
    const auto fits = [&code](const WorkedOperation& op) {
        return (code.multiplicandDecimals == 0 || op.multiplicand % 10 != 0)
            && (code.multiplierDecimals == 0 || op.multiplier % 10 != 0);
    };
    const auto known = [&kept](const WorkedOperation& op) {
        return std::any_of(kept.begin(), kept.end(), [&op](const WorkedOperation& k) {
            return k.multiplicand == op.multiplicand && k.multiplier == op.multiplier;
        });
    };
    const auto wanted = static_cast<std::size_t>(code.operations());
    for (int round = 0; kept.size() < wanted && round < kDecimalRounds; ++round) {
        SheetCode next = code;
        next.seed = roundSeed(code.seed, round);
        Modulo1 more;
        makeSheet(next, more);
        for (WorkedOperation& op : round == 0 ? sheet.operations : sheetOf(more, conventions).operations) {
            if (kept.size() < wanted && fits(op) && (round >= kDecimalRounds / 2 || !known(op))) {
                op.multiplicandDecimals = code.multiplicandDecimals;
                op.multiplierDecimals = code.multiplierDecimals;
                kept.push_back(op);
            }
        }
    }
    sheet.operations = std::move(kept);
    return sheet;
}

Sheet sheetOf(const Modulo1& m, const Conventions& conventions)
{
    Sheet sheet{m.CifreMoltiplicando, m.CifreMoltiplicatore, 0, 0, SheetKind::Columns, {}, {}};
    sheet.operations.reserve(static_cast<std::size_t>(m.UltimaOperazione + 1));
    for (std::size_t i = 0; i <= static_cast<std::size_t>(m.UltimaOperazione); ++i) {
        if (m.ValMoltiplicando[i] != 0) {
            sheet.operations.push_back(workOut(m.ValMoltiplicando[i], m.ValMoltiplicatore[i], conventions));
        }
    }
    return sheet;
}

}  // namespace virdamo
