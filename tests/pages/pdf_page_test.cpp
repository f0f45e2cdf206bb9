#include "output/class_set_pdf.h"
#include "output/pdf_page.h"
#include "pages/class_document.h"
#include "pages/squared_pages.h"
#include "pages/stampa_scheda.h"
#include "pdf_words.h"
#include "scripted_random_source.h"
#include "sheet_on_page.h"
#include "texts/fonts.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet.h"
#include "worksheet/sheet_code.h"
#include "worksheet_fixtures.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QRawFont>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace virdamo::output {

using namespace virdamo::pages;
namespace {

using test::kPointsPerMillimetre;

struct RenderCase {
    const char* name;
    int multiplierDigits;
    int ultima;
    Paper paper;
};

void PrintTo(const RenderCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string caseName(const testing::TestParamInfo<RenderCase>& param)
{
    return param.param.name;
}

class RenderedSheet : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderedSheet, ReadsBackWhereTheLayoutPutsItDigitUnderDigit)
{
    const RenderCase& c = GetParam();
    Modulo1 m;
    m.CifreMoltiplicando = 4;
    m.CifreMoltiplicatore = static_cast<std::int16_t>(c.multiplierDigits);
    m.UltimaOperazione = static_cast<std::int16_t>(c.ultima);
    m.Spazi = std::string(20, ' ');
    auto random = ScriptedRandomSource::fromDigits({9, 0, 8, 1, 7, 2, 6, 3, 5, 4, 1, 9});
    GeneraScheda(m, random);

    PageCapture capture;
    StampaScheda(m, capture);
    ASSERT_EQ(capture.pages().size(), 1U);
    const std::vector<test::PdfPage> pages = test::readPdf(renderPdf(capture.pages()[0], c.paper));

    ASSERT_EQ(pages.size(), 1U);
    const test::PdfPage& page = pages[0];
    // Qt writes the page box in whole points.
    EXPECT_NEAR(page.width, c.paper.size.width() * kPointsPerMillimetre, 0.5);
    EXPECT_NEAR(page.height, c.paper.size.height() * kPointsPerMillimetre, 0.5);
    const auto printed = test::expectSheetOnPage(page, m, c.paper.margins.left() * kPointsPerMillimetre,
                                                 c.paper.margins.top() * kPointsPerMillimetre);
    ASSERT_EQ(printed.size(), static_cast<std::size_t>(c.ultima + 1));
    EXPECT_EQ(QFontInfo(texts::printFont(QStringLiteral("Courier New"), 12.0F)).family(),
              QStringLiteral("Liberation Mono"));
    for (std::size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i].moltiplicando.toStdString(), std::to_string(m.ValMoltiplicando[i])) << i;
        EXPECT_EQ(printed[i].prodotto.toStdString(), std::to_string(m.Prodotto[i])) << i;
    }
}

// A4 and Letter with the margins a PDF queue reports, a borderless sheet, and an odd
// margin to show the origin really follows the printer's printable area.
const Paper kA4{QSizeF(209.9, 297.04), QMarginsF(6.35, 12.7, 6.35, 12.7)};
const Paper kLetter{QSizeF(215.9, 279.4), QMarginsF(6.35, 12.7, 6.35, 12.7)};
const Paper kBorderless{QSizeF(210.0, 297.0), QMarginsF()};
const Paper kOddMargins{QSizeF(210.0, 297.0), QMarginsF(3.17, 4.23, 5.0, 9.9)};

INSTANTIATE_TEST_SUITE_P(Papers, RenderedSheet,
                         testing::Values(RenderCase{"A4OneDigit", 1, 19, kA4}, RenderCase{"A4TwoDigits", 2, 19, kA4},
                                         RenderCase{"A4ThreeDigits", 3, 19, kA4},
                                         RenderCase{"LetterThreeDigitsTenOperations", 3, 9, kLetter},
                                         RenderCase{"BorderlessTwoDigits", 2, 19, kBorderless},
                                         RenderCase{"OddMarginsOneDigitTenOperations", 1, 9, kOddMargins}),
                         caseName);

/// Takes the words of the line whose cell top is at top (points) off page, joined by blanks.
QString takeLine(test::PdfPage& page, double top)
{
    QStringList line;
    std::erase_if(page.words, [&](const test::PdfWord& w) {
        const bool on = std::abs(w.yMin - top) < 0.2;
        if (on) line << w.text;
        return on;
    });
    return line.join(QLatin1Char(' '));
}

TEST(ClassSetDocument, PupilsPagesThenSolutionsEachWithTheCodeOfItsSheet)
{
    const ClassSet set{SheetCode{3, 2, 19, 0x0A0B0C0D0EULL}, 3, PageKinds::Both, PageOptions::bare(), {}};
    const Paper paper = pdfPaper();
    std::vector<test::PdfPage> pages = test::readPdf(classSetPdf(set, paper));
    ASSERT_EQ(pages.size(), 6U) << "two pages per sheet";
    EXPECT_EQ(set.pageCount(paper.printableArea()), 6);
    const double originX = paper.margins.left() * kPointsPerMillimetre;
    const double originY = paper.margins.top() * kPointsPerMillimetre;
    const double footerTop = originY + (paper.printableHeight() - 240.0) * test::kPointsPerTwip;
    for (std::size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(testing::Message() << "sheet " << p + 1);
        const SheetCode code = set.first.nth(static_cast<int>(p) + 1);
        const QString name = QStringLiteral("Scheda %1 di 3 - codice %2 - ").arg(p + 1).arg(code.text().c_str());
        test::PdfPage& pupils = pages[p];
        test::PdfPage& solutions = pages[p + 3];
        EXPECT_EQ(takeLine(pupils, footerTop), name + QStringLiteral("alunno: ____________"));
        EXPECT_EQ(takeLine(solutions, footerTop), name + QStringLiteral("soluzioni"));
        Modulo1 sheet;
        makeSheet(code, sheet);
        test::expectSheetOnPage(solutions, sheet, originX, originY);
        // The pupils' page is the solution page without the rows under the first rule:
        // each of its words stands there too, and every number it shows is a factor,
        // followed on its line by "x" or "=".
        for (const test::PdfWord& w : pupils.words) {
            const auto same = [&w](const test::PdfWord& s) {
                return s.text == w.text && std::abs(s.xMin - w.xMin) < 0.2 && std::abs(s.yMin - w.yMin) < 0.2;
            };
            const auto sign = [&w](const test::PdfWord& s) {
                return (s.text == QLatin1String("x") || s.text == QLatin1String("=")) && std::abs(s.yMin - w.yMin) < 0.2
                    && s.xMin > w.xMin && s.xMin - w.xMax < 10.0;
            };
            EXPECT_TRUE(std::any_of(solutions.words.begin(), solutions.words.end(), same)) << w.text.toStdString();
            if (w.text.front().isDigit()) {
                EXPECT_TRUE(std::any_of(pupils.words.begin(), pupils.words.end(), sign)) << w.text.toStdString();
            }
        }
        EXPECT_EQ(solutions.words.size() - pupils.words.size(), 20U * 3U) << "two partial products and the product";
    }
}

/// Squares of side points from left, top points (the printable area's corner) on a page.
struct Squares {
    double left, top, side;

    /// Where a point falls in squares, from the first one's corner.
    [[nodiscard]] QPointF at(QPointF p) const { return {(p.x() - left) / side, (p.y() - top) / side}; }
};

constexpr double kTolerance = 0.05 * kPointsPerMillimetre;

/// A one-character word as drawn: the middle of its advance across, and down the middle of
/// its face's capitals and digits, found from the word's box (its face's ascent to descent)
/// with the face's own proportions; and its font size, points.
struct Glyph {
    QPointF centre;
    double size;
};

Glyph glyphOf(const test::PdfWord& w)
{
    const QRawFont face = QRawFont::fromFont(texts::printFont(QStringLiteral("Courier New"), 100.0F));
    const double em = face.pixelSize();
    const double size = (w.yMax - w.yMin) / ((face.ascent() + face.descent()) / em);
    return {QPointF((w.xMin + w.xMax) / 2.0, w.yMin + (face.ascent() - face.capHeight() / 2.0) / em * size), size};
}

TEST(SquaredPages, SquaresAreTheirSizeAndEveryDigitStandsInTheMiddleOfOne)
{
    for (const Paper& paper : {kA4, kLetter}) {
        for (const double mm : {10.0, 5.0, 4.0}) {
            SCOPED_TRACE(testing::Message() << paper.size.width() << " mm wide paper, squares of " << mm << " mm");
            const PageOptions options{mm, true, true, true};
            const QByteArray pdf =
                classSetPdf({SheetCode{4, 3, 9, 0x0A0B0C0D0EULL}, 1, PageKinds::Solutions, options, {}}, paper);
            const Squares squares{paper.margins.left() * kPointsPerMillimetre,
                                  paper.margins.top() * kPointsPerMillimetre, mm * kPointsPerMillimetre};
            std::array<std::vector<double>, 2> grid;  // upright lines across, level lines down
            for (const test::PdfLine& line : test::readPdfLines(pdf, 1)) {
                const QPointF from = squares.at(line.from);
                const QPointF to = squares.at(line.to);
                const bool upright = from.x() == to.x();
                if (line.grey) {
                    grid[upright ? 0 : 1].push_back(upright ? from.x() : from.y());
                } else {  // rules and crosses on the squares' lines, from corner to corner
                    for (const double end : {from.x(), from.y(), to.x(), to.y()}) {
                        EXPECT_NEAR(end, std::round(end), kTolerance / squares.side);
                    }
                }
            }
            const QSizeF area = paper.printableArea() * test::kPointsPerTwip / squares.side;
            ASSERT_EQ(grid[0].size(), static_cast<std::size_t>(area.width()) + 1);
            ASSERT_EQ(grid[1].size(), static_cast<std::size_t>(area.height()) + 1);
            for (std::vector<double>& lines : grid) {
                std::sort(lines.begin(), lines.end());
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    EXPECT_NEAR(lines[i], static_cast<double>(i), kTolerance / squares.side) << i;
                }
            }
            int characters = 0;
            const std::vector<test::PdfPage> read = test::readPdf(pdf);
            for (const test::PdfWord& w : read.at(0).words) {
                const Glyph glyph = glyphOf(w);
                const bool full = std::abs(glyph.size / squares.side - 1.0) < 0.02;
                if (w.text.size() == 1 && (full || std::abs(glyph.size / squares.side - 0.65) < 0.02)) {
                    // In the middle of its square, or of its upper half for a carry.
                    const QPointF in = squares.at(glyph.centre);
                    EXPECT_NEAR(in.x() - std::floor(in.x()), 0.5, kTolerance / squares.side);
                    EXPECT_NEAR(in.y() - std::floor(in.y()), full ? 0.5 : 0.25, kTolerance / squares.side);
                    ++characters;
                }
            }
            // Each operation shows at least its factors, signs, prova and a product of 6 digits.
            const int operations = std::min(10, squaredLayout(4, 3, options, paper.printableArea()).blocksPerPage());
            EXPECT_GE(characters, operations * (4 + 3 + 2 + 4 + 6));
        }
    }
}

TEST(SquaredPages, CarriesSmallOverTheirColumnsAndTheProvaInItsCross)
{
    Modulo1 m = virdamo::test::stateWith(4, 3, 1);
    m.ValMoltiplicando = {2305, 9802};
    m.ValMoltiplicatore = {104, 978};
    const PageOptions options{5.0, true, true, false};
    const std::vector<test::PdfWord> words =
        test::readPdf(
            renderPdf(squaredSheetPages(sheetOf(m), PageKind::Solutions, options, kA4.printableArea(), {}), kA4))
            .at(0)
            .words;
    const Squares squares{kA4.margins.left() * kPointsPerMillimetre, kA4.margins.top() * kPointsPerMillimetre,
                          5.0 * kPointsPerMillimetre};
    // Operation, digit, column from its units, rows under its multiplicand (up is negative),
    // small or not, worked out by hand: 2305 x 104 carries 2 and 1 for the 4 and adds with no
    // carry; 9802 x 978 carries into the tens and thousands for every digit and four times
    // in the addition. Their crosses: 1 5 / 5 5 and 1 6 / 6 6, right of a free square.
    struct Written {
        int op, digit, column, row;
        bool small;
    };
    const std::vector<Written> expected{
        {0, 2, 1, -1, true},  {0, 1, 3, -1, true},  {1, 1, 1, -1, true},  {1, 6, 3, -1, true},  {1, 1, 1, -2, true},
        {1, 5, 3, -2, true},  {1, 1, 1, -3, true},  {1, 7, 3, -3, true},  {1, 1, 3, 2, true},   {1, 1, 4, 2, true},
        {1, 1, 5, 2, true},   {1, 1, 6, 2, true},   {0, 1, -3, 0, false}, {0, 5, -4, 0, false}, {0, 5, -3, 1, false},
        {0, 5, -4, 1, false}, {1, 1, -3, 0, false}, {1, 6, -4, 0, false}, {1, 6, -3, 1, false}, {1, 6, -4, 1, false}};
    const SquaredLayout layout = squaredLayout(4, 3, options, kA4.printableArea());
    for (const Written& e : expected) {
        // The units column is the block's seventh; three carries rows stand over the multiplicand.
        const QPointF square = QPointF(layout.blockAt(e.op)) + QPointF(6 - e.column, 3 + e.row);
        EXPECT_EQ(std::count_if(words.begin(), words.end(),
                                [&](const test::PdfWord& w) {
                                    const Glyph glyph = glyphOf(w);
                                    const QPointF in = squares.at(glyph.centre) - square;
                                    return w.text == QString::number(e.digit)
                                        && (glyph.size < 0.7 * squares.side) == e.small
                                        && std::abs(in.x() - 0.5) * squares.side < kTolerance
                                        && std::abs(in.y() - (e.small ? 0.25 : 0.5)) * squares.side < kTolerance;
                                }),
                  1)
            << e.op << " " << e.digit << " " << e.column << " " << e.row;
    }
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [&](const test::PdfWord& w) {
                                return glyphOf(w).size < 0.7 * squares.side && !w.text.endsWith(u')');
                            }),
              12)
        << "no carries but those";
}

TEST(SquaredPages, PupilsNamesWithAccentsOnPupilsAndSolutionPages)
{
    const std::vector<QString> names{QStringLiteral("Niccolò D'Amico"), QStringLiteral("Çağla Öztürk"),
                                     QStringLiteral("Łucja Wiśniewska")};
    for (const std::optional<double> squares : {std::optional<double>(), std::optional<double>(5.0)}) {
        const std::vector<test::PdfPage> pages = test::readPdf(
            classSetPdf({SheetCode{3, 2, 9, 0x0A0B0C0D0EULL}, 3, PageKinds::Both, {squares, false, false, true}, names},
                        pdfPaper()));
        ASSERT_EQ(pages.size(), 6U);
        std::vector<QString> text;
        for (const test::PdfPage& page : pages) {
            QStringList words;
            for (const test::PdfWord& w : page.words) words << w.text;
            text.push_back(words.join(QLatin1Char(' ')));
        }
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_TRUE(text[k].startsWith(QStringLiteral("Nome %1 Classe ______ Data").arg(names[k])))
                << text[k].toStdString();
            EXPECT_EQ(text[k].count(names[k]), 1) << "named in the heading alone: " << text[k].toStdString();
            EXPECT_TRUE(text[k + 3].endsWith(QStringLiteral("soluzioni - ") + names[k])) << text[k + 3].toStdString();
            EXPECT_FALSE(text[k + 3].contains(QStringLiteral("Nome"))) << "no pupils' heading on solutions";
        }
    }
}

}  // namespace
}  // namespace virdamo::output
