#include "pages/stampa_scheda.h"
#include "recording_printer.h"
#include "scripted_random_source.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace virdamo::pages {

using namespace virdamo::output;
namespace {

using test::end;
using test::fontName;
using test::fontSize;
using test::Op;
using test::print;
using test::RecordingPrinter;
using test::x;
using test::y;

Modulo1 generated(int multiplicandDigits, int multiplierDigits, int ultima, const std::vector<int>& digits)
{
    Modulo1 m;
    m.CifreMoltiplicando = static_cast<std::int16_t>(multiplicandDigits);
    m.CifreMoltiplicatore = static_cast<std::int16_t>(multiplierDigits);
    m.UltimaOperazione = static_cast<std::int16_t>(ultima);
    m.Spazi = std::string(20, ' ');
    auto random = ScriptedRandomSource::fromDigits(digits);
    GeneraScheda(m, random);
    return m;
}

/// A sheet whose operations differ from each other, so that a line in the wrong place shows.
Modulo1 varied(int multiplierDigits, int ultima)
{
    return generated(4, multiplierDigits, ultima, {1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 5, 7});
}

std::vector<RecordingPrinter::Placed> printedSheet(const Modulo1& m)
{
    RecordingPrinter printer;
    StampaScheda(m, printer);
    return printer.printed();
}

const std::vector<Op> kHeading{fontName("Courier New"),
                               x(1000),
                               y(500),
                               fontSize(16),
                               print("SCHEDA VIRDAMO"),
                               x(1000),
                               y(1500),
                               fontSize(12),
                               print(""),
                               fontSize(12)};

TEST(StampaScheda, WorkedExampleOperationZeroOfTwoDigitSheet)
{
    const Modulo1 m = generated(3, 2, 19, {1, 3, 5, 4, 7});  // every operation is 135 x 47
    RecordingPrinter printer;
    StampaScheda(m, printer);

    std::vector<Op> expected = kHeading;
    const std::vector<Op> operationZero{
        x(500), y(1200), print("        135 x "), x(500),  y(1500), print("         47 = "),
        x(500), y(1600), print("       ______"),  x(500),  y(1900), print("        945"),
        x(500), y(2200), print("       540"),     x(500),  y(2300), print("   __________"),
        x(500), y(2600), print("       6345"),    x(2500), y(1200), print("        135 x ")};
    expected.insert(expected.end(), operationZero.begin(), operationZero.end());
    ASSERT_GE(printer.ops.size(), expected.size());
    EXPECT_EQ(std::vector<Op>(printer.ops.begin(), printer.ops.begin() + static_cast<long>(expected.size())), expected);
}

struct JobShape {
    int multiplierDigits;
    int ultima;
    std::size_t linesPerOperation;
    float rowDistance;           ///< twips from one row of operations to the next
    float lastLineX, lastLineY;  ///< where the product of the last operation stands
};

void PrintTo(const JobShape& s, std::ostream* os)
{
    *os << s.multiplierDigits << " digit(s), " << s.ultima + 1 << " operations";
}

std::string shapeName(const testing::TestParamInfo<JobShape>& param)
{
    return "Digits" + std::to_string(param.param.multiplierDigits) + "Operations"
        + std::to_string(param.param.ultima + 1);
}

class JobFrame : public testing::TestWithParam<JobShape> {};

TEST_P(JobFrame, OneJobWithHeadingPositionedLinesAndTheProductLast)
{
    const JobShape& shape = GetParam();
    const Modulo1 m = varied(shape.multiplierDigits, shape.ultima);
    RecordingPrinter printer;
    StampaScheda(m, printer);
    const std::vector<Op>& ops = printer.ops;

    ASSERT_GT(ops.size(), kHeading.size());
    EXPECT_EQ(std::vector<Op>(ops.begin(), ops.begin() + static_cast<long>(kHeading.size())), kHeading);
    EXPECT_EQ(std::count(ops.begin(), ops.end(), end()), 1);
    EXPECT_EQ(ops.back(), end());
    // Both positions are set right before every body line, so no line depends on the previous one.
    const auto prints = static_cast<std::size_t>(
        std::count_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind == Op::Print; }));
    EXPECT_EQ(prints, 2 + shape.linesPerOperation * static_cast<std::size_t>(shape.ultima + 1));
    for (std::size_t k = kHeading.size(); k < ops.size(); ++k) {
        if (ops[k].kind == Op::Print) {
            ASSERT_GE(k, 2U);
            EXPECT_EQ(ops[k - 2].kind, Op::X) << "line " << k;
            EXPECT_EQ(ops[k - 1].kind, Op::Y) << "line " << k;
        }
    }
    const std::vector<RecordingPrinter::Placed> placed = printer.printed();
    // Four columns 2000 twips apart from 500, rows from 1200 down by the layout's distance.
    std::size_t operation = 0;
    for (const auto& line : placed) {
        if (line.text.ends_with(" x ")) {
            EXPECT_EQ(line.text, m.TxtMoltiplicando[operation] + " x ");
            EXPECT_EQ(line.x, 500.0F + 2000.0F * static_cast<float>(operation % 4)) << "operation " << operation;
            const std::size_t row = operation / 4;  // whole rows of four
            EXPECT_EQ(line.y, 1200.0F + shape.rowDistance * static_cast<float>(row)) << "operation " << operation;
            ++operation;
        }
    }
    EXPECT_EQ(operation, static_cast<std::size_t>(shape.ultima + 1));
    const RecordingPrinter::Placed& last = placed.back();
    EXPECT_EQ(last.text, m.TxtProdotto[static_cast<std::size_t>(shape.ultima)]);
    EXPECT_EQ(last.x, shape.lastLineX);
    EXPECT_EQ(last.y, shape.lastLineY);
}

INSTANTIATE_TEST_SUITE_P(Layouts, JobFrame,
                         testing::Values(JobShape{1, 19, 4, 1500, 6500, 7900}, JobShape{2, 19, 7, 2600, 6500, 13000},
                                         JobShape{3, 19, 8, 2800, 6500, 14100}, JobShape{1, 9, 4, 1500, 2500, 4900},
                                         JobShape{2, 9, 7, 2600, 2500, 7800}, JobShape{3, 9, 8, 2800, 2500, 8500}),
                         shapeName);

TEST(StampaScheda, OperationFourFirstPartialProductOfTwoDigitLayout)
{
    const Modulo1 m = varied(2, 19);
    const auto placed = printedSheet(m);
    const auto it = std::find_if(placed.begin(), placed.end(), [](const auto& p) { return p.x == 500 && p.y == 4500; });
    ASSERT_NE(it, placed.end());
    EXPECT_EQ(it->text, m.TxtParziale1[4]);
    EXPECT_EQ(std::count_if(placed.begin(), placed.end(), [](const auto& p) { return p.x == 500 && p.y == 4500; }), 1);
}

TEST(StampaScheda, EmptiedRowsStillPrintSignsAndRules)
{
    for (const int cifre : {1, 2, 3}) {
        SCOPED_TRACE(cifre);
        Modulo1 m = varied(cifre, 19);
        m.clearTextRows();  // what a digit option does to the sheet
        RecordingPrinter printer;
        ASSERT_NO_THROW(StampaScheda(m, printer));
        const auto placed = printer.printed();
        const auto at = [&](float px, float py) {
            for (const auto& p : placed) {
                if (p.x == px && p.y == py) {
                    return p.text;
                }
            }
            return std::string("<nothing>");
        };
        // Operation 13: column 2 of row 4.
        const float row4 = cifre == 1 ? 5700.0F : cifre == 2 ? 9000.0F : 9600.0F;
        EXPECT_EQ(at(2500, row4), " x ");
        EXPECT_EQ(at(2500, row4 + 300), " = ");
        EXPECT_EQ(at(2500, row4 + 400), "       ______");
        if (cifre == 2) {
            EXPECT_EQ(at(2500, row4 + 1100), "   __________");
        }
        if (cifre == 3) {
            EXPECT_EQ(at(2500, row4 + 1400), "_____________");
        }
        EXPECT_EQ(printer.ops.back(), end());
    }
}

TEST(StampaScheda, TwentyOperationSheetAfterTenOperPrintsOperationsZeroToNine)
{
    Modulo1 m = varied(2, 19);
    m.UltimaOperazione = 9;  // "10 oper" after the sheet was generated
    std::vector<std::string> multiplicands;
    for (const auto& p : printedSheet(m)) {
        if (p.text.ends_with(" x ")) {
            multiplicands.push_back(p.text);
        }
    }
    ASSERT_EQ(multiplicands.size(), 10U);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(multiplicands[i], m.TxtMoltiplicando[i] + " x ");
    }
}

TEST(StampaScheda, TwoPressesGiveIdenticalJobs)
{
    const Modulo1 m = varied(3, 19);
    RecordingPrinter printer;
    StampaScheda(m, printer);
    const std::size_t first = printer.ops.size();
    StampaScheda(m, printer);
    ASSERT_EQ(printer.ops.size(), 2 * first);
    EXPECT_TRUE(std::equal(printer.ops.begin(), printer.ops.begin() + static_cast<long>(first),
                           printer.ops.begin() + static_cast<long>(first)));
}

TEST(StampaScheda, LayoutPrintsOnlyThePartialRowsOfItsMultiplierLength)
{
    struct Case {
        int cifre;
        std::vector<std::string> printedMarks;
    };
    for (const Case& c : {Case{1, {}}, Case{2, {"P1", "P2"}}, Case{3, {"P1", "P2", "P3"}}}) {
        SCOPED_TRACE(c.cifre);
        Modulo1 m = varied(c.cifre, 19);
        for (std::size_t i = 0; i < 20; ++i) {  // whatever the rows hold, the layout decides
            m.TxtParziale1[i] = "P1";
            m.TxtParziale2[i] = "P2";
            m.TxtParziale3[i] = "P3";
        }
        const auto placed = printedSheet(m);
        for (const std::string mark : {"P1", "P2", "P3"}) {
            const auto count =
                std::count_if(placed.begin(), placed.end(), [&](const auto& p) { return p.text == mark; });
            const bool expected = std::find(c.printedMarks.begin(), c.printedMarks.end(), mark) != c.printedMarks.end();
            EXPECT_EQ(count, expected ? 20 : 0) << mark;
        }
    }
}

}  // namespace
}  // namespace virdamo::pages
