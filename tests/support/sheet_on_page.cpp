#include "sheet_on_page.h"

#include "worksheet/modulo1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace virdamo::test {

namespace {

/// The closest any printed edge may lie to where the layout puts it: 2 twips.
constexpr double kTolerance = 2 * kPointsPerTwip;
/// One character cell of 12-point "Courier New": 144 twips.
constexpr double kCell = 144 * kPointsPerTwip;

enum class Kind { Moltiplicando, Moltiplicatore, Parziale1, Parziale2, Parziale3, Prodotto, Rule };

struct Line {
    int offset;  // twips below the row top
    Kind kind;
    int firstColumn;  // character column of a rule's first underscore, from 1
};

struct LayoutFacts {
    int rowDistance;  // twips
    std::vector<Line> lines;
};

LayoutFacts factsFor(int cifreMoltiplicatore)
{
    const std::vector<Line> factors{{0, Kind::Moltiplicando, 0}, {300, Kind::Moltiplicatore, 0}, {400, Kind::Rule, 8}};
    LayoutFacts facts;
    facts.lines = factors;
    switch (cifreMoltiplicatore) {
    case 1:
        facts.rowDistance = 1500;
        facts.lines.push_back({700, Kind::Prodotto, 0});
        break;
    case 2:
        facts.rowDistance = 2600;
        facts.lines.insert(
            facts.lines.end(),
            {{700, Kind::Parziale1, 0}, {1000, Kind::Parziale2, 0}, {1100, Kind::Rule, 4}, {1400, Kind::Prodotto, 0}});
        break;
    default:
        facts.rowDistance = 2800;
        facts.lines.insert(facts.lines.end(),
                           {{700, Kind::Parziale1, 0},
                            {1000, Kind::Parziale2, 0},
                            {1300, Kind::Parziale3, 0},
                            {1400, Kind::Rule, 1},
                            {1700, Kind::Prodotto, 0}});
        break;
    }
    return facts;
}

/// Character column (from 1) of the last digit of each number row.
int lastDigitColumn(Kind kind)
{
    switch (kind) {
    case Kind::Parziale2: return 10;
    case Kind::Parziale3: return 9;
    default: return 11;
    }
}

bool near(double actual, double expected)
{
    return std::abs(actual - expected) <= kTolerance;
}

std::int64_t number(const QString& digits)
{
    bool ok = false;
    const std::int64_t value = digits.toLongLong(&ok);
    EXPECT_TRUE(ok) << "not a number: " << digits.toStdString();
    return value;
}

}  // namespace

std::vector<PrintedOperation> expectSheetOnPage(const PdfPage& page, const Modulo1& state, double originX,
                                                double originY)
{
    std::vector<bool> used(page.words.size(), false);
    // The words starting in [left, left + width) whose cell top is at top.
    const auto wordsAt = [&](double left, double width, double top) {
        std::vector<const PdfWord*> found;
        for (std::size_t k = 0; k < page.words.size(); ++k) {
            const PdfWord& w = page.words[k];
            if (near(w.yMin, top) && w.xMin > left - kTolerance && w.xMin < left + width) {
                found.push_back(&w);
                used[k] = true;
            }
        }
        return found;
    };

    // Heading: 16 points, so each cell is 16 * 0.6 points wide.
    const auto heading =
        wordsAt(originX + 1000 * kPointsPerTwip, 2000 * kPointsPerTwip, originY + 500 * kPointsPerTwip);
    EXPECT_EQ(heading.size(), 2U) << "heading words";
    if (heading.size() == 2) {
        EXPECT_EQ(heading[0]->text, QStringLiteral("SCHEDA"));
        EXPECT_EQ(heading[1]->text, QStringLiteral("VIRDAMO"));
        EXPECT_NEAR(heading[0]->xMin, originX + 1000 * kPointsPerTwip, kTolerance);
        EXPECT_NEAR(heading[1]->xMin - heading[0]->xMin, 7 * 16 * 0.6, kTolerance);
    }

    const LayoutFacts facts = factsFor(state.CifreMoltiplicatore);
    std::vector<PrintedOperation> operations;
    for (int i = 0; i <= state.UltimaOperazione; ++i) {
        SCOPED_TRACE(testing::Message() << "operation " << i);
        const double column = originX + (500 + 2000 * (i % 4)) * kPointsPerTwip;
        const int row = i / 4;
        const double rowTop = originY + (1200 + facts.rowDistance * row) * kPointsPerTwip;
        PrintedOperation op;
        for (const Line& line : facts.lines) {
            const auto words = wordsAt(column, 2000 * kPointsPerTwip, rowTop + line.offset * kPointsPerTwip);
            const std::size_t expectedWords =
                (line.kind == Kind::Moltiplicando || line.kind == Kind::Moltiplicatore) ? 2U : 1U;
            EXPECT_EQ(words.size(), expectedWords) << "line at offset " << line.offset;
            if (words.size() != expectedWords) {
                continue;
            }
            const PdfWord& first = *words[0];
            if (line.kind == Kind::Rule) {
                EXPECT_TRUE(first.text.count(QLatin1Char('_')) == first.text.size()) << first.text.toStdString();
                EXPECT_NEAR(first.xMin, column + (line.firstColumn - 1) * kCell, kTolerance) << "rule start";
                EXPECT_NEAR(first.xMax, column + 13 * kCell, kTolerance) << "rule end";
                continue;
            }
            // Digit under digit: each row's last digit ends at its column's right edge.
            EXPECT_NEAR(first.xMax, column + lastDigitColumn(line.kind) * kCell, kTolerance)
                << "last digit of " << first.text.toStdString();
            EXPECT_NEAR(first.xMax - first.xMin, static_cast<double>(first.text.size()) * kCell, kTolerance)
                << "cell width";
            if (expectedWords == 2) {
                const PdfWord& sign = *words[1];
                EXPECT_EQ(sign.text, line.kind == Kind::Moltiplicando ? QStringLiteral("x") : QStringLiteral("="));
                EXPECT_NEAR(sign.xMin, column + 12 * kCell, kTolerance) << "sign in column 13";
            }
            QString* slot = nullptr;
            switch (line.kind) {
            case Kind::Moltiplicando: slot = &op.moltiplicando; break;
            case Kind::Moltiplicatore: slot = &op.moltiplicatore; break;
            case Kind::Parziale1: slot = &op.parziale1; break;
            case Kind::Parziale2: slot = &op.parziale2; break;
            case Kind::Parziale3: slot = &op.parziale3; break;
            case Kind::Prodotto: slot = &op.prodotto; break;
            case Kind::Rule: break;
            }
            *slot = first.text;
        }
        // Worked out right, from what the page shows.
        if (!op.moltiplicando.isEmpty() && !op.moltiplicatore.isEmpty() && !op.prodotto.isEmpty()) {
            const std::int64_t a = number(op.moltiplicando);
            const std::int64_t b = number(op.moltiplicatore);
            EXPECT_EQ(number(op.prodotto), a * b);
            if (state.CifreMoltiplicatore >= 2) {
                EXPECT_EQ(number(op.parziale1), a * (b % 10));
                EXPECT_EQ(number(op.parziale2), a * (b / 10 % 10));
            }
            if (state.CifreMoltiplicatore == 3) {
                EXPECT_EQ(number(op.parziale3), a * (b / 100));
            }
        }
        operations.push_back(op);
    }
    for (std::size_t k = 0; k < page.words.size(); ++k) {
        EXPECT_TRUE(used[k]) << "unexpected word \"" << page.words[k].text.toStdString() << "\" at "
                             << page.words[k].xMin << "," << page.words[k].yMin;
    }
    return operations;
}

}  // namespace virdamo::test
