#include "worksheet/steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace virdamo {
namespace {

/// The equality as the teacher says it: "0 × 4 + 2 = 2".
std::string said(const Equality& equality)
{
    std::string text;
    for (const int term : equality.terms) {
        text += (text.empty() ? "" : equality.operation == Operator::Times ? " × " : " + ") + std::to_string(term);
    }
    if (equality.carryIn != 0) text += " + " + std::to_string(equality.carryIn);
    return text + " = " + std::to_string(equality.result());
}

/// The caption as the teacher says it.
std::string said(const Caption& caption)
{
    using std::to_string;
    if (const auto* o = std::get_if<Opening>(&caption)) {
        return "Moltiplichiamo " + to_string(o->multiplicand) + " × " + to_string(o->multiplier);
    }
    if (const auto* w = std::get_if<Calculation>(&caption)) {
        if (w->bringsDown()) return "abbasso " + to_string(w->written());
        return said(w->equality) + ": scrivo " + to_string(w->written())
            + (w->carryOut() != 0 ? " e riporto " + to_string(w->carryOut()) : "");
    }
    if (const auto* p = std::get_if<ProductFound>(&caption)) return "Il prodotto è " + to_string(p->product);
    if (const auto* e = std::get_if<PlacesMarked>(&caption)) return e->mark == kDash ? "posti -" : "posti 0";
    if (const auto* z = std::get_if<ZerosWritten>(&caption)) {
        return to_string(z->multiplicand) + " × 0 = 0: scrivo " + std::string(static_cast<std::size_t>(z->zeros), '0');
    }
    if (std::holds_alternative<WrittenAsWhole>(caption)) return "come interi";
    if (const auto* d = std::get_if<DecimalsCounted>(&caption)) {
        return "decimali " + to_string(d->multiplicandDecimals) + " + " + to_string(d->multiplierDecimals) + " = "
            + to_string(d->total());
    }
    if (const auto* c = std::get_if<CommaPlaced>(&caption)) {
        return "virgola a " + to_string(c->decimals) + " da destra di " + to_string(c->product);
    }
    if (const auto* v = std::get_if<ProvaVerdict>(&caption)) {
        return to_string(v->bottomLeft) + (v->holds() ? " = " : " ≠ ") + to_string(v->bottomRight) + ": la prova è "
            + (v->holds() ? "giusta" : "sbagliata");
    }
    const auto& box = std::get<ProvaBoxFilled>(caption);
    std::string text;
    for (const Equality& reduction : box.reductions) text += (text.empty() ? "" : ", ") + said(reduction);
    return (text.empty() ? to_string(box.digit) : text) + ": scrivo " + to_string(box.digit);
}

// Each caption in the order of the steps, "; " between them.
TEST(Steps, TheTeacherSaysEachStep)
{
    const struct {
        std::int32_t a, b;
        int keys;
        std::string said;
        Conventions conventions{};
        int multiplicandDecimals = 0, multiplierDecimals = 0;
    } cases[] = {
        {2305, 104, 21,
         "Moltiplichiamo 2305 × 104; 5 × 4 = 20: scrivo 0 e riporto 2; 0 × 4 + 2 = 2: scrivo 2; "
         "3 × 4 = 12: scrivo 2 e riporto 1; 2 × 4 + 1 = 9: scrivo 9; 2305 × 0 = 0: scrivo 0; 5 × 1 = 5: scrivo 5; "
         "0 × 1 = 0: scrivo 0; 3 × 1 = 3: scrivo 3; 2 × 1 = 2: scrivo 2; abbasso 0; 2 + 0 = 2: scrivo 2; "
         "2 + 5 = 7: scrivo 7; 9 + 0 = 9: scrivo 9; abbasso 3; abbasso 2; Il prodotto è 239720; "
         "2 + 3 + 0 + 5 = 10, 1 + 0 = 1: scrivo 1; 1 + 0 + 4 = 5: scrivo 5; 1 × 5 = 5: scrivo 5; "
         "2 + 3 + 9 + 7 + 2 + 0 = 23, 2 + 3 = 5: scrivo 5; 5 = 5: la prova è giusta"},
        {135, 47, 19,
         "Moltiplichiamo 135 × 47; 5 × 7 = 35: scrivo 5 e riporto 3; 3 × 7 + 3 = 24: scrivo 4 e riporto 2; "
         "1 × 7 + 2 = 9: scrivo 9; 5 × 4 = 20: scrivo 0 e riporto 2; 3 × 4 + 2 = 14: scrivo 4 e riporto 1; "
         "1 × 4 + 1 = 5: scrivo 5; abbasso 5; 4 + 0 = 4: scrivo 4; 9 + 4 = 13: scrivo 3 e riporto 1; "
         "5 + 1 = 6: scrivo 6; Il prodotto è 6345; 1 + 3 + 5 = 9: scrivo 9; 4 + 7 = 11, 1 + 1 = 2: scrivo 2; "
         "9 × 2 = 18, 1 + 8 = 9: scrivo 9; 6 + 3 + 4 + 5 = 18, 1 + 8 = 9: scrivo 9; 9 = 9: la prova è giusta"},
        {47, 6, 8,
         "Moltiplichiamo 47 × 6; 7 × 6 = 42: scrivo 2 e riporto 4; 4 × 6 + 4 = 28: scrivo 28; Il prodotto è 282; "
         "4 + 7 = 11, 1 + 1 = 2: scrivo 2; 6: scrivo 6; 2 × 6 = 12, 1 + 2 = 3: scrivo 3; "
         "2 + 8 + 2 = 12, 1 + 2 = 3: scrivo 3; 3 = 3: la prova è giusta"},
        // The class's conventions: a dash in each empty place, each row's dashes a step first.
        {2305,
         104,
         24,
         "Moltiplichiamo 2305 × 104; 5 × 4 = 20: scrivo 0 e riporto 2; 0 × 4 + 2 = 2: scrivo 2; "
         "3 × 4 = 12: scrivo 2 e riporto 1; 2 × 4 + 1 = 9: scrivo 9; posti -; 2305 × 0 = 0: scrivo 0; posti -; "
         "5 × 1 = 5: scrivo 5; 0 × 1 = 0: scrivo 0; 3 × 1 = 3: scrivo 3; 2 × 1 = 2: scrivo 2; abbasso 0; "
         "2 + 0 = 2: scrivo 2; 2 + 5 = 7: scrivo 7; 9 + 0 = 9: scrivo 9; abbasso 3; abbasso 2; Il prodotto è 239720; "
         "2 + 3 + 0 + 5 = 10, 1 + 0 = 1: scrivo 1; 1 + 0 + 4 = 5: scrivo 5; 1 × 5 = 5: scrivo 5; "
         "2 + 3 + 9 + 7 + 2 + 0 = 23, 2 + 3 = 5: scrivo 5; 5 = 5: la prova è giusta",
         {EmptyPlaces::Dash, ZeroRow::Digit, false}},
        // No row for the 0: the hundreds' row stands two places in, and the sum adds what is written.
        {2305,
         104,
         22,
         "Moltiplichiamo 2305 × 104; 5 × 4 = 20: scrivo 0 e riporto 2; 0 × 4 + 2 = 2: scrivo 2; "
         "3 × 4 = 12: scrivo 2 e riporto 1; 2 × 4 + 1 = 9: scrivo 9; posti -; 5 × 1 = 5: scrivo 5; "
         "0 × 1 = 0: scrivo 0; 3 × 1 = 3: scrivo 3; 2 × 1 = 2: scrivo 2; abbasso 0; abbasso 2; "
         "2 + 5 = 7: scrivo 7; 9 + 0 = 9: scrivo 9; abbasso 3; abbasso 2; Il prodotto è 239720; "
         "2 + 3 + 0 + 5 = 10, 1 + 0 = 1: scrivo 1; 1 + 0 + 4 = 5: scrivo 5; 1 × 5 = 5: scrivo 5; "
         "2 + 3 + 9 + 7 + 2 + 0 = 23, 2 + 3 = 5: scrivo 5; 5 = 5: la prova è giusta",
         {EmptyPlaces::Dash, ZeroRow::Skip, false}},
        // A row of zeros and zeros in the empty places: they are added like any digit.
        {2305,
         104,
         27,
         "Moltiplichiamo 2305 × 104; 5 × 4 = 20: scrivo 0 e riporto 2; 0 × 4 + 2 = 2: scrivo 2; "
         "3 × 4 = 12: scrivo 2 e riporto 1; 2 × 4 + 1 = 9: scrivo 9; posti 0; 2305 × 0 = 0: scrivo 0000; posti 0; "
         "5 × 1 = 5: scrivo 5; 0 × 1 = 0: scrivo 0; 3 × 1 = 3: scrivo 3; 2 × 1 = 2: scrivo 2; "
         "0 + 0 + 0 = 0: scrivo 0; 2 + 0 + 0 = 2: scrivo 2; 2 + 0 + 5 = 7: scrivo 7; 9 + 0 + 0 = 9: scrivo 9; "
         "0 + 3 = 3: scrivo 3; abbasso 2; Il prodotto è 239720; "
         "2 + 3 + 0 + 5 = 10, 1 + 0 = 1: scrivo 1; 1 + 0 + 4 = 5: scrivo 5; 1 × 5 = 5: scrivo 5; "
         "2 + 3 + 9 + 7 + 2 + 0 = 23, 2 + 3 = 5: scrivo 5; 5 = 5: la prova è giusta",
         {EmptyPlaces::Zero, ZeroRow::Zeros, false}},
        // A 9 in the cross is written 0.
        {135,
         47,
         19,
         "Moltiplichiamo 135 × 47; 5 × 7 = 35: scrivo 5 e riporto 3; 3 × 7 + 3 = 24: scrivo 4 e riporto 2; "
         "1 × 7 + 2 = 9: scrivo 9; 5 × 4 = 20: scrivo 0 e riporto 2; 3 × 4 + 2 = 14: scrivo 4 e riporto 1; "
         "1 × 4 + 1 = 5: scrivo 5; abbasso 5; 4 + 0 = 4: scrivo 4; 9 + 4 = 13: scrivo 3 e riporto 1; "
         "5 + 1 = 6: scrivo 6; Il prodotto è 6345; 1 + 3 + 5 = 9: scrivo 0; 4 + 7 = 11, 1 + 1 = 2: scrivo 2; "
         "0 × 2 = 0: scrivo 0; 6 + 3 + 4 + 5 = 18, 1 + 8 = 9: scrivo 0; 0 = 0: la prova è giusta",
         {EmptyPlaces::Blank, ZeroRow::Digit, true}},
        // 23,45 × 3,2: the rows of 2345 × 32, then the decimals counted and the comma's key.
        {2345,
         32,
         24,
         "come interi; 5 × 2 = 10: scrivo 0 e riporto 1; 4 × 2 + 1 = 9: scrivo 9; 3 × 2 = 6: scrivo 6; "
         "2 × 2 = 4: scrivo 4; 5 × 3 = 15: scrivo 5 e riporto 1; 4 × 3 + 1 = 13: scrivo 3 e riporto 1; "
         "3 × 3 + 1 = 10: scrivo 0 e riporto 1; 2 × 3 + 1 = 7: scrivo 7; abbasso 0; 9 + 5 = 14: scrivo 4 e riporto 1; "
         "6 + 3 + 1 = 10: scrivo 0 e riporto 1; 4 + 0 + 1 = 5: scrivo 5; abbasso 7; decimali 2 + 1 = 3; "
         "virgola a 3 da destra di 75040; 2 + 3 + 4 + 5 = 14, 1 + 4 = 5: scrivo 5; 3 + 2 = 5: scrivo 5; "
         "5 × 5 = 25, 2 + 5 = 7: scrivo 7; 7 + 5 + 0 + 4 + 0 = 16, 1 + 6 = 7: scrivo 7; 7 = 7: la prova è giusta",
         {},
         2,
         1},
        // 4,7 × 6: one decimal, no partial products.
        {47,
         6,
         9,
         "come interi; 7 × 6 = 42: scrivo 2 e riporto 4; 4 × 6 + 4 = 28: scrivo 28; decimali 1 + 0 = 1; "
         "virgola a 1 da destra di 282; 4 + 7 = 11, 1 + 1 = 2: scrivo 2; 6: scrivo 6; 2 × 6 = 12, 1 + 2 = 3: scrivo 3; "
         "2 + 8 + 2 = 12, 1 + 2 = 3: scrivo 3; 3 = 3: la prova è giusta",
         {},
         1,
         0},
    };
    for (const auto& c : cases) {
        const std::vector<Step> steps =
            stepsOf(workOut(c.a, c.b, c.conventions, c.multiplicandDecimals, c.multiplierDecimals));
        std::string captions;
        for (const Step& step : steps) captions += (captions.empty() ? "" : "; ") + said(step.caption);
        EXPECT_EQ(captions, c.said) << c.a << " × " << c.b;
        EXPECT_EQ(Attempt(steps).keys(), c.keys) << c.a << " × " << c.b;
    }
}

// A step highlights what it reads, then what it writes: its keys, units first and the carry
// after the digit.
TEST(Steps, EachStepHighlightsWhatItReadsAndWrites)
{
    const RowRef m{WorkedRow::Multiplicand, 0}, t{WorkedRow::Multiplier, 0}, c0{WorkedRow::PartialCarries, 0},
        p0{WorkedRow::Partial, 0}, p1{WorkedRow::Partial, 1}, s{WorkedRow::AdditionCarries, 0},
        x{WorkedRow::Product, 0};
    const auto at = [](RowRef row, int column) { return Cell{Square{row, column}}; };
    const struct {
        std::int32_t a, b;
        std::size_t step;
        std::vector<Cell> reads;
        std::vector<ExpectedKey> keys;
    } cases[] = {
        {2305, 104, 1, {at(m, 0), at(t, 0)}, {{at(p0, 0), 0}, {at(c0, 1), 2}}},
        {2305, 104, 5, {at(m, 0), at(m, 1), at(m, 2), at(m, 3), at(t, 1)}, {{at(p1, 1), 0}}},
        {47, 6, 2, {at(m, 1), at(t, 0), at(c0, 1)}, {{at(x, 1), 8}, {at(x, 2), 2}}},
        {135, 47, 9, {at(p0, 2), at(p1, 2)}, {{at(x, 2), 3}, {at(s, 3), 1}}},
        // 891 + 990: the last column of the sum writes all of 18.
        {99, 19, 7, {at(p0, 2), at(p1, 2), at(s, 2)}, {{at(x, 2), 8}, {at(x, 3), 1}}},
        {135, 47, 12, {at(m, 0), at(m, 1), at(m, 2)}, {{ProvaBox::TopLeft, 9}}},
        {47, 6, 5, {at(t, 0)}, {{ProvaBox::TopRight, 6}}},
        {135, 47, 14, {ProvaBox::TopLeft, ProvaBox::TopRight}, {{ProvaBox::BottomLeft, 9}}},
    };
    for (const auto& c : cases) {
        const Step step = stepsOf(c.a, c.b).at(c.step);
        std::vector<Cell> highlighted = c.reads;
        for (const ExpectedKey& key : c.keys) highlighted.push_back(key.cell);
        EXPECT_EQ(step.keys, c.keys) << c.a << " × " << c.b << " step " << c.step;
        EXPECT_EQ(step.highlighted, highlighted) << c.a << " × " << c.b << " step " << c.step;
    }
}

// The opening writes the factors; each step after it writes its keys over what the step before
// wrote, as a pupil typing them does, up to the operation worked out and its cross, which holds.
TEST(Steps, StepsWriteTheirKeysUpToTheWholeOperation)
{
    const auto check = [](std::int32_t a, std::int32_t b, const Conventions& conventions = {}, int decimals = 0) {
        // Decimals from 1 on the multiplicand where it has room for them.
        const int aDecimals = std::min(decimals, static_cast<int>(std::to_string(a).size()) - 1);
        const std::vector<Step> steps = stepsOf(workOut(a, b, conventions, aDecimals, 0));
        Attempt attempt(steps);
        for (const Step& step : steps) {
            for (const ExpectedKey& key : step.keys) ASSERT_TRUE(attempt.type(key.digit));
            ASSERT_EQ(attempt.written(), step.written) << a << " × " << b;
        }
        const WorkedOperation op = workOut(a, b, conventions);
        using enum ProvaBox;
        const auto& [tl, tr, bl, br] = op.prova;
        const Written all{
            op.digits, op.carries, {{TopLeft, tl}, {TopRight, tr}, {BottomLeft, bl}, {BottomRight, br}}, aDecimals > 0};
        EXPECT_EQ(steps.back().written, all) << a << " × " << b;
        EXPECT_TRUE(std::get<ProvaVerdict>(steps.back().caption).holds()) << a << " × " << b;
    };
    for (std::int32_t a = 10; a <= 9999; a += 127) {
        for (std::int32_t b = 1; b <= 999; b += 23) check(a, b);
    }
    check(9999, 999);
    for (const Conventions conventions :
         {Conventions{EmptyPlaces::Dash, ZeroRow::Skip, true}, Conventions{EmptyPlaces::Zero, ZeroRow::Zeros, false}}) {
        for (const std::int32_t b : {100, 101, 110, 40, 5, 909}) check(2305, b, conventions);
    }
    for (int decimals = 1; decimals <= 3; ++decimals) {
        for (const std::int32_t b : {7, 32, 909}) check(2345, b, {}, decimals);
    }
}

// A pupil types 47 × 6: a wrong key is counted and not written, a right one is written.
TEST(Steps, AnAttemptWritesOnlyRightKeys)
{
    const std::vector<Step> steps = stepsOf(47, 6);
    Attempt attempt(steps);
    EXPECT_TRUE(attempt.type(2));
    EXPECT_FALSE(attempt.type(9));
    const Cell carry = Square{{WorkedRow::PartialCarries, 0}, 1};
    EXPECT_EQ(std::tuple(attempt.step(), attempt.awaitedCell(), attempt.written().carries.size()),
              std::tuple(1U, carry, 0U));
    EXPECT_TRUE(attempt.type(4));
    EXPECT_EQ(attempt.written(), steps[1].written);
    for (const int key : {8, 2}) EXPECT_TRUE(attempt.type(key));
    // The product is said, not typed: the cross comes next.
    EXPECT_EQ(std::tuple(attempt.step(), attempt.awaitedCell()), std::tuple(4U, Cell{ProvaBox::TopLeft}));
    for (const int key : {2, 6, 3, 3}) EXPECT_TRUE(attempt.type(key));
    EXPECT_EQ(std::tuple(attempt.step(), attempt.awaitedCell()), std::tuple(9U, std::optional<Cell>()));
    EXPECT_EQ(std::tuple(attempt.rightAtFirstTry(), attempt.misses()), std::tuple(7, 1));
}

}  // namespace
}  // namespace virdamo
