#include "worksheet/steps.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <numeric>
#include <utility>

namespace virdamo {

namespace {

/// The decimal digits of value from the units up.
std::vector<int> digitsOf(int value)
{
    std::vector<int> digits;
    do {
        digits.push_back(value % 10);
        value /= 10;
    } while (value > 0);
    return digits;
}

/// The equalities that reduce value to one digit, each summing the digits of the result of
/// the one before, from the left as they are read.
std::vector<Equality> reductionsOf(int value)
{
    [[maybe_unused]] const int reduced = reducedToOneDigit(value);
    std::vector<Equality> reductions;
    while (value >= 10) {
        std::vector<int> digits = digitsOf(value);
        std::reverse(digits.begin(), digits.end());
        value = reductions.emplace_back(Equality{Operator::Plus, std::move(digits), 0}).result();
    }
    assert(value == reduced);
    return reductions;
}

/// Builds the steps one at a time, each from everything written by the one before.
class Steps {
public:
    Step& begin(Caption caption)
    {
        Step step;
        if (!steps_.empty()) step.written = steps_.back().written;
        step.caption = std::move(caption);
        return steps_.emplace_back(std::move(step));
    }

    /// The current step reads cell.
    void read(Cell cell) { steps_.back().highlighted.push_back(cell); }

    /// The current step reads every digit written in row.
    void readRow(RowRef row)
    {
        for (const WrittenDigit& written : steps_.back().written.digits) {
            if (written.row == row) read(Square{row, written.column});
        }
    }

    /// The current step writes digit in cell: a key for the pupil.
    void write(Cell cell, int digit)
    {
        Step& step = steps_.back();
        step.written.write(step.keys.emplace_back(ExpectedKey{cell, digit}));
        read(cell);
    }

    /// The current step writes value in row from column leftwards, its units first.
    void writeNumber(RowRef row, int column, int value)
    {
        for (const int digit : digitsOf(value)) write(Square{row, column++}, digit);
    }

    std::vector<Step> done() && { return std::move(steps_); }

private:
    std::vector<Step> steps_;
};

/// The rows of the partial products, one digit product (or one zero row) a step.
void multiply(Steps& steps, const WorkedOperation& op)
{
    const std::vector<int> a = digitsOf(op.multiplicand);
    const std::vector<int> b = digitsOf(op.multiplier);
    const int n = op.multiplicandDigits;
    for (int r = 0; r < op.multiplierDigits; ++r) {
        // A one-digit multiplier writes the product under the rule straight away.
        const RowRef row = op.partialRows() > 0 ? RowRef{WorkedRow::Partial, r} : RowRef{WorkedRow::Product, 0};
        const RowRef carries{WorkedRow::PartialCarries, r};
        const int d = b[static_cast<std::size_t>(r)];
        const Conventions& conventions = op.conventions;
        if (d == 0 && conventions.zeroRow == ZeroRow::Skip && op.partialRows() > 0) {
            continue;
        }
        if (r > 0 && op.partialRows() > 0 && conventions.emptyPlaces != EmptyPlaces::Blank) {
            const int mark = conventions.emptyPlaces == EmptyPlaces::Dash ? kDash : 0;
            steps.begin(PlacesMarked{r, mark});
            for (int c = 0; c < r; ++c) steps.write(Square{row, c}, mark);
        }
        if (d == 0 && conventions.zeroRow == ZeroRow::Zeros && op.partialRows() > 0) {
            steps.begin(ZerosWritten{op.multiplicand, n});
            steps.readRow({WorkedRow::Multiplicand, 0});
            steps.read(Square{{WorkedRow::Multiplier, 0}, r});
            for (int c = 0; c < n; ++c) steps.write(Square{row, r + c}, 0);
            continue;
        }
        if (d == 0) {
            steps.begin(Calculation{{Operator::Times, {op.multiplicand, 0}, 0}, true});
            steps.readRow({WorkedRow::Multiplicand, 0});
            steps.read(Square{{WorkedRow::Multiplier, 0}, r});
            steps.write(Square{row, r}, 0);
            continue;
        }
        int carry = 0;
        for (int c = 0; c < n; ++c) {
            const Calculation product{{Operator::Times, {a[static_cast<std::size_t>(c)], d}, carry}, c == n - 1};
            steps.begin(product);
            steps.read(Square{{WorkedRow::Multiplicand, 0}, c});
            steps.read(Square{{WorkedRow::Multiplier, 0}, r});
            if (carry != 0) steps.read(Square{carries, c});
            steps.writeNumber(row, c + r, product.written());
            carry = product.carryOut();
            if (carry != 0) steps.write(Square{carries, c + 1}, carry);
        }
    }
}

/// The addition of the partial products, one column a step.
void add(Steps& steps, const WorkedOperation& op)
{
    int columns = 0;
    for (const WrittenDigit& written : op.digits) {
        if (written.row.row == WorkedRow::Partial) columns = std::max(columns, written.column + 1);
    }
    const RowRef carries{WorkedRow::AdditionCarries, 0};
    int carry = 0;
    for (int k = 0; k < columns; ++k) {
        Calculation sum{{Operator::Plus, {}, carry}, k == columns - 1};
        std::vector<Cell> addends;
        for (const WrittenDigit& written : op.digits) {
            if (written.row.row == WorkedRow::Partial && written.column == k && written.digit != kDash) {
                sum.equality.terms.push_back(written.digit);
                addends.push_back(Square{written.row, k});
            }
        }
        // A column whose places are all empty or dashed adds up to 0, brought down.
        if (sum.equality.terms.empty()) sum.equality.terms.push_back(0);
        steps.begin(sum);
        for (const Cell& addend : addends) steps.read(addend);
        if (carry != 0) steps.read(Square{carries, k});
        steps.writeNumber({WorkedRow::Product, 0}, k, sum.written());
        carry = sum.carryOut();
        if (carry != 0) steps.write(Square{carries, k + 1}, carry);
    }
}

/// The cross, one box a step, and its verdict.
void check(Steps& steps, const WorkedOperation& op)
{
    const ProvaDelNove& prova = op.prova;
    steps.begin(ProvaBoxFilled{ProvaBox::TopLeft, reductionsOf(op.multiplicand), prova.multiplicand});
    steps.readRow({WorkedRow::Multiplicand, 0});
    steps.write(ProvaBox::TopLeft, prova.multiplicand);

    steps.begin(ProvaBoxFilled{ProvaBox::TopRight, reductionsOf(op.multiplier), prova.multiplier});
    steps.readRow({WorkedRow::Multiplier, 0});
    steps.write(ProvaBox::TopRight, prova.multiplier);

    // The bottom left box multiplies the top ones, then reduces their product in turn.
    const Equality product{Operator::Times, {prova.multiplicand, prova.multiplier}, 0};
    std::vector<Equality> reductions = reductionsOf(product.result());
    reductions.insert(reductions.begin(), product);
    steps.begin(ProvaBoxFilled{ProvaBox::BottomLeft, std::move(reductions), prova.productOfDigits});
    steps.read(ProvaBox::TopLeft);
    steps.read(ProvaBox::TopRight);
    steps.write(ProvaBox::BottomLeft, prova.productOfDigits);

    steps.begin(ProvaBoxFilled{ProvaBox::BottomRight, reductionsOf(op.product), prova.product});
    steps.readRow({WorkedRow::Product, 0});
    steps.write(ProvaBox::BottomRight, prova.product);

    steps.begin(ProvaVerdict{prova.productOfDigits, prova.product});
    steps.read(ProvaBox::BottomLeft);
    steps.read(ProvaBox::BottomRight);
}

}  // namespace

void Written::write(const ExpectedKey& key)
{
    if (const auto* square = std::get_if<Square>(&key.cell)) {
        (square->row.ofCarries() ? carries : digits).push_back(WrittenDigit{square->row, square->column, key.digit});
    } else if (const auto* box = std::get_if<ProvaBox>(&key.cell)) {
        prova.push_back(WrittenBox{*box, key.digit});
    } else {
        productComma = true;
    }
}

Written Written::factorsOf(const WorkedOperation& op)
{
    Written factors;
    for (const WrittenDigit& written : op.digits) {
        if (written.row.row == WorkedRow::Multiplicand || written.row.row == WorkedRow::Multiplier) {
            factors.digits.push_back(written);
        }
    }
    return factors;
}

Written Written::wholeOf(const WorkedOperation& op)
{
    using enum ProvaBox;
    const ProvaDelNove& prova = op.prova;
    return {op.digits,
            op.carries,
            {{TopLeft, prova.multiplicand},
             {TopRight, prova.multiplier},
             {BottomLeft, prova.productOfDigits},
             {BottomRight, prova.product}},
            op.hasDecimals()};
}

int Equality::result() const
{
    const int combined = operation == Operator::Times
        ? std::accumulate(terms.begin(), terms.end(), 1, std::multiplies<>())
        : std::accumulate(terms.begin(), terms.end(), 0);
    return combined + carryIn;
}

std::vector<Step> stepsOf(std::int32_t multiplicand, std::int32_t multiplier, const Conventions& conventions)
{
    return stepsOf(workOut(multiplicand, multiplier, conventions));
}

std::vector<Step> stepsOf(const WorkedOperation& op)
{
    Steps steps;
    Step& opening =
        op.hasDecimals() ? steps.begin(WrittenAsWhole{}) : steps.begin(Opening{op.multiplicand, op.multiplier});
    opening.written = Written::factorsOf(op);
    for (const WrittenDigit& written : opening.written.digits) {
        opening.highlighted.push_back(Square{written.row, written.column});
    }
    multiply(steps, op);
    if (op.partialRows() > 0) add(steps, op);
    if (op.hasDecimals()) {
        // The decimal digits are counted on the factors, then as many digits of the product
        // are counted from its right.
        steps.begin(DecimalsCounted{op.multiplicandDecimals, op.multiplierDecimals});
        for (int c = 0; c < op.multiplicandDecimals; ++c) steps.read(Square{{WorkedRow::Multiplicand, 0}, c});
        for (int c = 0; c < op.multiplierDecimals; ++c) steps.read(Square{{WorkedRow::Multiplier, 0}, c});
        steps.begin(CommaPlaced{op.productDecimals(), op.product});
        for (int c = 0; c < op.productDecimals(); ++c) steps.read(Square{{WorkedRow::Product, 0}, c});
        steps.write(DecimalPoint{}, op.productDecimals());
    } else {
        steps.begin(ProductFound{op.product});
        steps.readRow({WorkedRow::Product, 0});
    }
    check(steps, op);
    return std::move(steps).done();
}

Attempt::Attempt(const std::vector<Step>& steps)
    : steps_(steps.size())
{
    if (!steps.empty()) written_ = steps.front().written;
    for (std::size_t s = 0; s < steps.size(); ++s) {
        for (const ExpectedKey& key : steps[s].keys) awaited_.push_back({s, key});
    }
}

std::size_t Attempt::step() const
{
    return done() ? steps_ : awaited_[next_].step;
}

std::optional<Cell> Attempt::awaitedCell() const
{
    if (done()) return std::nullopt;
    return awaited_[next_].key.cell;
}

bool Attempt::type(int digit)
{
    if (done()) {
        return false;  // nothing is awaited any more: a key typed now changes nothing
    }
    const ExpectedKey& awaited = awaited_[next_].key;
    if (digit != awaited.digit) {
        ++misses_;
        nextMissed_ = true;
        return false;
    }
    written_.write(awaited);
    if (!nextMissed_) ++rightAtFirstTry_;
    nextMissed_ = false;
    ++next_;
    return true;
}

}  // namespace virdamo
