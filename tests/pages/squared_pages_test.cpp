#include "output/class_set_pdf.h"
#include "pages/class_document.h"
#include "pages/pupil_names.h"
#include "pages/squared_pages.h"
#include "worksheet/modulo1.h"
#include "worksheet/sheet.h"
#include "worksheet_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace virdamo::pages {

using namespace virdamo::output;
namespace {

struct Fit {
    int across, down, pagesOfTwenty;
};

/// Blocks of every digit count at every square size on the A4 page of saved class sets
/// (197.3 x 271.6 mm printable): without options, with carries, with the prova, with both.
/// Worked out on squared paper: 19 x 27 squares of 10 mm, 39 x 54 of 5, 49 x 67 of 4; a
/// free column each side, the heading (3 rows at 10 mm, 4 below) and the footer's 2 rows.
struct LayoutCase {
    int a, b, mm;
    std::array<Fit, 4> fits;
};

const LayoutCase kLayouts[] = {
    {2, 1, 10, {{{3, 5, 2}, {3, 4, 2}, {2, 5, 2}, {2, 4, 3}}}},
    {2, 1, 5, {{{7, 12, 1}, {7, 9, 1}, {4, 12, 1}, {4, 9, 1}}}},
    {2, 1, 4, {{{9, 15, 1}, {9, 12, 1}, {6, 15, 1}, {6, 12, 1}}}},
    {2, 2, 10, {{{3, 3, 3}, {3, 2, 4}, {2, 3, 4}, {2, 2, 5}}}},
    {2, 2, 5, {{{6, 8, 1}, {6, 5, 1}, {4, 8, 1}, {4, 5, 1}}}},
    {2, 2, 4, {{{8, 10, 1}, {8, 6, 1}, {5, 10, 1}, {5, 6, 1}}}},
    {2, 3, 10, {{{2, 3, 4}, {2, 2, 5}, {1, 3, 7}, {1, 2, 10}}}},
    {2, 3, 5, {{{5, 7, 1}, {5, 4, 1}, {3, 7, 1}, {3, 4, 2}}}},
    {2, 3, 4, {{{6, 8, 1}, {6, 5, 1}, {4, 8, 1}, {4, 5, 1}}}},
    {3, 1, 10, {{{3, 5, 2}, {3, 4, 2}, {2, 5, 2}, {2, 4, 3}}}},
    {3, 1, 5, {{{6, 12, 1}, {6, 9, 1}, {4, 12, 1}, {4, 9, 1}}}},
    {3, 1, 4, {{{8, 15, 1}, {8, 12, 1}, {5, 15, 1}, {5, 12, 1}}}},
    {3, 2, 10, {{{2, 3, 4}, {2, 2, 5}, {1, 3, 7}, {1, 2, 10}}}},
    {3, 2, 5, {{{5, 8, 1}, {5, 5, 1}, {3, 8, 1}, {3, 5, 2}}}},
    {3, 2, 4, {{{6, 10, 1}, {6, 6, 1}, {4, 10, 1}, {4, 6, 1}}}},
    {3, 3, 10, {{{2, 3, 4}, {2, 2, 5}, {1, 3, 7}, {1, 2, 10}}}},
    {3, 3, 5, {{{4, 7, 1}, {4, 4, 2}, {3, 7, 1}, {3, 4, 2}}}},
    {3, 3, 4, {{{6, 8, 1}, {6, 5, 1}, {4, 8, 1}, {4, 5, 1}}}},
    {4, 1, 10, {{{2, 5, 2}, {2, 4, 3}, {1, 5, 4}, {1, 4, 5}}}},
    {4, 1, 5, {{{5, 12, 1}, {5, 9, 1}, {3, 12, 1}, {3, 9, 1}}}},
    {4, 1, 4, {{{6, 15, 1}, {6, 12, 1}, {4, 15, 1}, {4, 12, 1}}}},
    {4, 2, 10, {{{2, 3, 4}, {2, 2, 5}, {1, 3, 7}, {1, 2, 10}}}},
    {4, 2, 5, {{{4, 8, 1}, {4, 5, 1}, {3, 8, 1}, {3, 5, 2}}}},
    {4, 2, 4, {{{6, 10, 1}, {6, 6, 1}, {4, 10, 1}, {4, 6, 1}}}},
    {4, 3, 10, {{{2, 3, 4}, {2, 2, 5}, {1, 3, 7}, {1, 2, 10}}}},
    {4, 3, 5, {{{4, 7, 1}, {4, 4, 2}, {3, 7, 1}, {3, 4, 2}}}},
    {4, 3, 4, {{{5, 8, 1}, {5, 5, 1}, {4, 8, 1}, {4, 5, 1}}}},
};

TEST(SquaredLayout, BlocksPerPageAndPagesPerSheetForEveryShapeAndSquare)
{
    const QSizeF area = pdfPaper().printableArea();
    for (const LayoutCase& c : kLayouts) {
        for (std::size_t o = 0; o < c.fits.size(); ++o) {
            const PageOptions options{c.mm, (o & 1U) != 0, (o & 2U) != 0, true};
            const SquaredLayout l = squaredLayout(c.a, c.b, options, area);
            SCOPED_TRACE(testing::Message() << c.a << "x" << c.b << " at " << c.mm << " mm, options " << o);
            EXPECT_EQ(l.blocksAcross, c.fits[o].across);
            EXPECT_EQ(l.blocksDown, c.fits[o].down);
            EXPECT_EQ(l.pagesFor(20), c.fits[o].pagesOfTwenty);
            const ClassSet set{SheetCode{c.a, c.b, 19, 1}, 3, PageKinds::Both, options, {}};
            EXPECT_EQ(set.pageCount(area), 3 * 2 * c.fits[o].pagesOfTwenty);
        }
    }
}

// An operation alone, written out to its last step, is drawn as the solution page of a
// sheet holding it draws it: the same squares, digits, carries, rules and cross. The page
// adds its title and footer, and grid lines over the whole printable area.
TEST(SquaredPages, AnOperationWorkedOutAloneIsItsBlockOnTheSolutionPage)
{
    const auto ruled = [](const Page& page) {
        std::vector<PlacedLine> black;
        std::copy_if(page.lines.begin(), page.lines.end(), std::back_inserter(black),
                     [](const PlacedLine& line) { return line.ink == Ink::Black; });
        return black;
    };
    const std::pair<std::int32_t, std::int32_t> operations[] = {{2305, 104}, {9802, 978}, {47, 6}, {99, 19}};
    for (const auto& [a, b] : operations) {
        for (const PageOptions& options : {PageOptions{5.0, true, true, false}, PageOptions{10.0, false, true, false},
                                           PageOptions{4.0, true, false, false}}) {
            SCOPED_TRACE(testing::Message() << a << " x " << b << " on " << *options.squareMillimetres << " mm");
            const WorkedOperation op = workOut(a, b);
            Modulo1 m = virdamo::test::stateWith(op.multiplicandDigits, op.multiplierDigits, 0);
            m.ValMoltiplicando[0] = a;
            m.ValMoltiplicatore[0] = b;
            const QSizeF area = pdfPaper().printableArea();
            const Page sheet = squaredSheetPages(sheetOf(m), PageKind::Solutions, options, area, {}).at(0);
            const SquaredLayout layout = squaredLayout(op.multiplicandDigits, op.multiplierDigits, options, area);
            const Page alone = squaredOperationPage(op, stepsOf(a, b).back().written, options,
                                                    QSize(layout.columns, layout.rows), layout.blockAt(0));
            // The sheet's title, footer and the operation's number "1)" come first.
            EXPECT_EQ(sheet.texts.at(2).text, QStringLiteral("1)"));
            EXPECT_EQ(alone.texts, std::vector(sheet.texts.begin() + 3, sheet.texts.end()));
            EXPECT_EQ(ruled(alone), ruled(sheet));
            EXPECT_EQ(alone.lines.size() - ruled(alone).size(), std::size_t(layout.columns + layout.rows + 2));
        }
    }
}

// On squares each comma sits on the grid line at the lower right of the square of the digit
// it follows, within 0.1 mm: the factors' on the pupils' pages, the product's too on the
// solutions, and that of the product without its ending zeros right of it.
TEST(SquaredPages, CommasSitOnTheGridLinesAfterTheirDigits)
{
    const SheetCode code{4, 2, 19, 0x123456789AULL, Level{}, 2, 1, SheetKind::Columns};
    const Sheet sheet = sheetOf(code);
    const PageOptions options{5.0, true, true, false};
    const QSizeF area = pdfPaper().printableArea();
    const SquaredLayout layout = squaredLayout(4, 2, options, area, PageKind::Pupils, {}, 3);
    const double tenthOfMillimetre = 1440.0 / 254.0;
    for (const PageKind kind : {PageKind::Pupils, PageKind::Solutions}) {
        const Page page = squaredSheetPages(sheet, kind, options, area, {}).at(0);
        std::vector<QPoint> commas;  // the square each comma follows
        for (const PlacedText& text : page.texts) {
            if (text.text != QStringLiteral(",")) continue;
            const QPointF line = text.topLeft + QPointF(text.box.width() / 2.0, 0.0);
            const QPoint corner(qRound(line.x() / layout.square), qRound(line.y() / layout.square + 0.5));
            EXPECT_NEAR(line.x(), corner.x() * layout.square, tenthOfMillimetre);
            commas.emplace_back(corner.x() - 1, corner.y() - 1);
        }
        std::vector<QPoint> expected;
        for (int i = 0; i < layout.blocksPerPage(); ++i) {
            const OperationSquares squares(sheet.operations[static_cast<std::size_t>(i)], options);
            const QPoint units = layout.blockAt(i) + QPoint(squares.unitsColumn(), 0);
            expected.push_back(units + QPoint(-2, squares.rowOf({WorkedRow::Multiplicand, 0})));
            expected.push_back(units + QPoint(-1, squares.rowOf({WorkedRow::Multiplier, 0})));
            if (kind == PageKind::Pupils) continue;
            const int product = squares.rowOf({WorkedRow::Product, 0});
            expected.push_back(units + QPoint(-3, product));
            const std::int32_t digits = sheet.operations[static_cast<std::size_t>(i)].product;
            const std::string shortest = shortestDecimalText(digits, 3);
            if (digits % 10 == 0 && shortest.find(',') != std::string::npos) {
                const auto after = static_cast<int>(shortest.size() - shortest.find(',')) - 1;
                expected.push_back(units + QPoint(2 + static_cast<int>(shortest.size()) - 1 - after, product));
            }
        }
        EXPECT_EQ(commas, expected);
    }
}

using Kind = NamesProblem::Kind;

struct NamesCase {
    const char* name;
    QByteArray bytes;
    std::vector<QString> names;
    std::optional<NamesProblem> problem;
    std::vector<bool> supported{};  ///< where not every name: false for each
};

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(PupilNames, ReadsNamesOrTellsTheFirstProblemAndWhere)
{
    QByteArray fortyOne("Alunno 1\n\n");  // the 41st name is on line 42
    for (int i = 2; i <= 41; ++i) fortyOne += "Alunno " + QByteArray::number(i) + "\n";
    const std::vector<NamesCase> cases{
        {"AccentsApostrophesBlanksAndLineEndsOfAnySystem",
         "\uFEFFNiccolò D'Amico\n\n  Çağla Öztürk \t\r\nŁucja Wiśniewska\n" + QByteArray(60, 'a'),
         {u("Niccolò D'Amico"), u("Çağla Öztürk"), u("Łucja Wiśniewska"), QString(60, QLatin1Char('a'))},
         {}},
        {"GreekCyrillicAndDecomposedAccents", "Σοφία\nАнна\nNicolo\u0300", {u("Σοφία"), u("Анна"), u("Nicolò")}, {}},
        {"NotUtf8", "Anna\nBea\xE0\n", {}, NamesProblem{Kind::NotUtf8, 2, 0}},
        {"FortyOneNames", fortyOne, {}, NamesProblem{Kind::TooManyNames, 42, 0}},
        {"SixtyOneCharacters", "Anna\n" + QString(61, QChar(0xE0)).toUtf8(), {}, NamesProblem{Kind::NameTooLong, 2, 0}},
        {"PrivateUse", "Anna\n\nBea\uE000", {}, NamesProblem{Kind::NotDrawable, 3, 0xE000}},
        {"LastPlaneOfPrivateUse", "\U0010FFFDZoe", {}, NamesProblem{Kind::NotDrawable, 1, 0x10FFFD}},
        {"TabInAName", "Anna\tBea", {u("Anna Bea")}, {}},
        {"EachLineEndCountsOnce", "Anna\rBea\r\n\rCarlo\n\uE000", {}, NamesProblem{Kind::NotDrawable, 5, 0xE000}},
        {"Utf16WithoutBom", QByteArray("A\0n\0n\0a\0\n\0", 10), {}, NamesProblem{Kind::NotUtf8, 1, 0}},
        {"LineSeparator", "Anna\u2028Bea", {}, NamesProblem{Kind::NotDrawable, 1, 0x2028}},
        {"ParagraphSeparator", "Anna\u2029Bea", {}, NamesProblem{Kind::NotDrawable, 1, 0x2029}},
        {"ObjectReplacement", "Anna\uFFFC", {}, NamesProblem{Kind::NotDrawable, 1, 0xFFFC}},
        {"Empty", "", {}, NamesProblem{Kind::NoNames, 0, 0}},
        {"BlanksOnly", " \t\r\n\n", {}, NamesProblem{Kind::NoNames, 0, 0}},
        {"MarkedForTheSupportedVersion",
         "Anna *\nBea*\n  Carlo \t* \n*\n *",
         {u("Anna"), u("Bea*"), u("Carlo"), u("*"), u("*")},
         {},
         {true, false, true, false, false}},
    };
    for (const NamesCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PupilNames read = readPupilNames(c.bytes);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.names, c.names);
        const std::vector<bool> supported = c.supported.empty() ? std::vector<bool>(c.names.size()) : c.supported;
        EXPECT_EQ(read.supported, supported);
        // Saved back as lines, the list reads as it was.
        const PupilNames again = checkPupilNames(NamesList{read.names, read.supported, {}}.lines());
        EXPECT_EQ(again.names, read.names);
        EXPECT_EQ(again.supported, read.supported);
    }
}

}  // namespace
}  // namespace virdamo::pages
