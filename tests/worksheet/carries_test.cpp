#include "worksheet/carries.h"
#include "worksheet/level.h"
#include "worksheet/worked_operation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>

namespace virdamo {
namespace {

using Row = std::array<int, Carries::kMultiplicandDigits>;

// Operations worked by hand: the carries over the multiplicand for each partial product
// (units column first), those of the final addition, and the prova del nove cross.
TEST(Carries, OperationsWorkedByHand)
{
    const struct {
        std::int32_t a, b;
        bool any;
        std::array<Row, 3> partial;
        std::array<int, Carries::kProductColumns> addition;
        ProvaDelNove prova;
    } cases[] = {
        {2305, 104, true, {Row{0, 2, 0, 1}, Row{}, Row{}}, {}, {1, 5, 5, 5}},
        {135, 47, true, {Row{0, 3, 2, 0}, Row{0, 2, 1, 0}, Row{}}, {0, 0, 0, 1, 0, 0, 0}, {9, 2, 9, 9}},
        {47, 6, true, {Row{0, 4, 0, 0}, Row{}, Row{}}, {}, {2, 6, 3, 3}},
        // Leading digit products of 10 or more, and 90 x 19's carry out of the last column, are none.
        {21, 5, false, {}, {}, {3, 5, 6, 6}},
        {50, 3, false, {}, {}, {5, 3, 6, 6}},
        {710, 4, false, {}, {}, {8, 4, 5, 5}},
        {61, 7, false, {}, {}, {7, 7, 4, 4}},
        {62, 3, false, {}, {}, {8, 3, 6, 6}},
        {702, 22, false, {}, {}, {9, 4, 9, 9}},
        {90, 19, false, {}, {}, {9, 1, 9, 9}},
        {95, 2, true, {Row{0, 1, 0, 0}, Row{}, Row{}}, {}, {5, 2, 1, 1}},
        {243, 2, false, {}, {}, {9, 2, 9, 9}},
        {1111, 222, false, {}, {}, {4, 6, 6, 6}},
        {1000, 999, false, {}, {}, {1, 9, 9, 9}},
        {9999, 999, true, {Row{0, 8, 8, 8}, Row{0, 8, 8, 8}, Row{0, 8, 8, 8}}, {0, 0, 1, 2, 2, 2, 1}, {9, 9, 9, 9}},
        // A carry in the addition only: 5 + 5 in the tens.
        {55, 11, true, {}, {0, 0, 1, 0, 0, 0, 0}, {1, 2, 2, 2}},
        {55, 22, true, {Row{0, 1, 0, 0}, Row{0, 1, 0, 0}, Row{}}, {}, {1, 4, 4, 4}},
    };
    for (const auto& c : cases) {
        const std::string op = std::to_string(c.a) + " x " + std::to_string(c.b);
        const Carries carries = carriesOf(c.a, c.b);
        EXPECT_EQ(carries.any, c.any) << op;
        EXPECT_EQ(hasCarries(c.a, c.b), c.any) << op;
        EXPECT_EQ(carries.intoMultiplicandColumn, c.partial) << op;
        EXPECT_EQ(carries.intoProductColumn, c.addition) << op;
        EXPECT_EQ(provaDelNove(c.a, c.b), c.prova) << op;
    }
}

/// The digit of value in column k (0 at the units).
int digitAt(std::int64_t value, int k)
{
    for (; k > 0; --k) {
        value /= 10;
    }
    return static_cast<int>(value % 10);
}

// Every row written with its carries gives the digits of the true products: each carry is
// the tens that the column before sends on, for every two-digit multiplicand and every
// multiplier, and for four-digit ones against three-digit multipliers. An operation has carries
// when a sum reaches 10 but in a row's leading column; the first format of levels counted those.
TEST(Carries, RowsWrittenWithTheirCarriesGiveTheProducts)
{
    const auto check = [](std::int32_t a, std::int32_t b) {
        const Carries carries = carriesOf(a, b);
        const int n = static_cast<int>(std::to_string(a).size());
        const int m = static_cast<int>(std::to_string(b).size());
        bool reachesTen = false;
        bool leadingReachesTen = false;
        for (int r = 0; r < m; ++r) {
            const int d = digitAt(b, r);
            const std::int64_t row = static_cast<std::int64_t>(a) * d;
            for (int c = 0; c < n && d != 0; ++c) {
                const int t = digitAt(a, c) * d + carries.intoMultiplicandColumn.at(std::size_t(r)).at(std::size_t(c));
                (c + 1 < n ? reachesTen : leadingReachesTen) |= t >= 10;
                ASSERT_EQ(t % 10, digitAt(row, c)) << a << " x " << b << " row " << r << " column " << c;
            }
        }
        const std::int64_t product = static_cast<std::int64_t>(a) * b;
        if (m >= 2) {
            // The columns the rows reach; a carry out of the last one is the product's leading digit.
            int columns = 0;
            for (int r = 0; r < m; ++r) {
                columns = std::max(columns, r + static_cast<int>(std::to_string(a * digitAt(b, r)).size()));
            }
            for (int k = 0; k < columns; ++k) {
                int t = carries.intoProductColumn[static_cast<std::size_t>(k)];
                for (int r = 0; r < m && r <= k; ++r) {
                    t += digitAt(static_cast<std::int64_t>(a) * digitAt(b, r), k - r);
                }
                (k + 1 < columns ? reachesTen : leadingReachesTen) |= t >= 10;
                ASSERT_EQ(t % 10, digitAt(product, k)) << a << " x " << b << " column " << k;
            }
        }
        ASSERT_EQ(carries.any, reachesTen) << a << " x " << b;
        ASSERT_EQ((Level{Level::kEveryDigit, CarriesRule::With, LevelFormat::First}.allows(a, b)),
                  reachesTen || leadingReachesTen);
    };
    for (std::int32_t a = 10; a <= 99; ++a) {
        for (std::int32_t b = 1; b <= 999; ++b) {
            check(a, b);
        }
    }
    for (std::int32_t a = 1000; a <= 9999; a += 37) {
        for (std::int32_t b = 100; b <= 999; b += 7) {
            check(a, b);
        }
    }
}

/// The rows of op top to bottom as a pupil sees them, one character a square: digits,
/// carries, and blanks where nothing is written.
std::vector<std::string> drawn(const WorkedOperation& op)
{
    std::vector<std::string> lines;
    for (const RowRef& row : op.rowsTopToBottom(true)) {
        std::string line(static_cast<std::size_t>(op.columns()), ' ');
        for (const auto* written : {&op.digits, &op.carries}) {
            for (const WrittenDigit& d : *written) {
                if (d.row == row) {
                    line[static_cast<std::size_t>(op.columns() - 1 - d.column)] = static_cast<char>('0' + d.digit);
                }
            }
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(Carries, OperationsWorkedOutOnSquares)
{
    const struct {
        std::int32_t a, b;
        std::vector<std::string> rows;  // carries rows first, the multiplier's units one lowest
    } cases[] = {
        {2305,
         104,
         {"      ", "      ", "  1 2 ", "  2305", "   104", "      ", "  9220", "    0 ", "2305  ", "239720"}},
        {135, 47, {" 12 ", " 23 ", " 135", "  47", "1   ", " 945", "540 ", "6345"}},
        {47, 6, {" 4 ", " 47", "  6", "282"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawn(workOut(c.a, c.b)), c.rows) << c.a << " x " << c.b;
    }
}

// Every operation of each pair of digit counts is classed by the digits its multiplier uses
// and by its carries; the count of a level, any set of tables with any carries, is then the
// sum over the sets of digits it takes. For 4x3 (8.1 million operations) only the multipliers
// of digits 0, 1, 2, 5 and 9, and the levels within those tables.
TEST(Carries, LevelsCountTheOperationsTheyAllow)
{
    for (int cifreA = 2; cifreA <= 4; ++cifreA) {
        for (int cifreB = 1; cifreB <= 3; ++cifreB) {
            const auto lowest = [](int digits) { return static_cast<std::int32_t>(std::pow(10, digits - 1)); };
            const unsigned within = cifreA == 4 && cifreB == 3 ? 0b1000100111U : 0x3FFU;
            std::array<std::array<std::int32_t, 2>, 1024> byDigitsAndCarries{};
            for (std::int32_t b = lowest(cifreB); b < 10 * lowest(cifreB); ++b) {
                unsigned digits = 0;
                for (std::int32_t v = b; v > 0; v /= 10) digits |= 1U << static_cast<unsigned>(v % 10);
                if ((digits & ~within) != 0) continue;
                for (std::int32_t a = lowest(cifreA); a < 10 * lowest(cifreA); ++a) {
                    ++byDigitsAndCarries[digits][hasCarries(a, b) ? 1 : 0];
                }
            }
            for (unsigned tables = 0; tables < 1024; ++tables) {
                if ((tables & ~within) != 0) continue;
                std::array<std::int32_t, 2> taken{};  // without, with carries
                for (unsigned digits = 0; digits < 1024; ++digits) {
                    if ((digits & ~tables) != 0) continue;
                    taken[0] += byDigitsAndCarries[digits][0];
                    taken[1] += byDigitsAndCarries[digits][1];
                }
                const std::pair<CarriesRule, std::int32_t> expected[] = {{CarriesRule::Any, taken[0] + taken[1]},
                                                                         {CarriesRule::Without, taken[0]},
                                                                         {CarriesRule::With, taken[1]}};
                for (const auto& [carries, count] : expected) {
                    const Level level{std::bitset<10>(tables), carries};
                    ASSERT_EQ(level.operationCount(cifreA, cifreB), count)
                        << cifreA << "x" << cifreB << " tables " << level.tables << " riporti " << int(carries);
                    ASSERT_EQ(level.allowsNone(cifreA, cifreB), count == 0);
                }
            }
        }
    }
    EXPECT_EQ(Level{}.operationCount(4, 3), 8'100'000);
}

// Ranks number operations a level allows, each once, by multiplier then multiplicand: tables
// of many multiplicands without carries (0 and 1) and of few, in each format.
TEST(Carries, RanksNumberTheAllowedOperationsInOrder)
{
    for (const auto format : {LevelFormat::First, LevelFormat::Written}) {
        for (const auto carries : {CarriesRule::Without, CarriesRule::With}) {
            for (const Level level : {Level{0b0000000011, carries, format}, Level{0b1000100100, carries, format}}) {
                for (int counts = 0; counts < 9; ++counts) {  // digit counts 2x1 to 4x3
                    const AllowedOperations allowed(level, 2 + counts / 3, 1 + counts % 3);
                    std::vector<std::int32_t> ranks(static_cast<std::size_t>(allowed.size()));
                    std::iota(ranks.begin(), ranks.end(), 0);
                    std::vector<Operation> ops(ranks.size());
                    allowed.at(ranks, ops);
                    for (std::size_t k = 0; k < ops.size(); ++k) {
                        const auto [a, b] = ops[k];
                        const auto [lastA, lastB] = k == 0 ? Operation{} : ops[k - 1];
                        ASSERT_TRUE(level.allows(a, b) && std::to_string(a).size() == std::size_t(2 + counts / 3)
                                    && std::pair(lastB, lastA) < std::pair(b, a))
                            << a << " x " << b << " format " << int(format);
                    }
                }
            }
        }
    }
}

TEST(Carries, NumbersReduceToOneDigit)
{
    const struct {
        std::int64_t value;
        int reduced;
    } cases[] = {{0, 0}, {7, 7}, {9, 9}, {18, 9}, {19, 1}, {239720, 5}, {9989001, 9}};
    for (const auto& c : cases) {
        EXPECT_EQ(reducedToOneDigit(c.value), c.reduced) << c.value;
    }
}

}  // namespace
}  // namespace virdamo
