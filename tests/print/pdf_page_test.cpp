#include "pdf_words.h"
#include "print/class_document.h"
#include "print/pdf_page.h"
#include "print/stampa_scheda.h"
#include "sheet_on_page.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet_code.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <string>

namespace virdamo::print {
namespace {

using test::kPointsPerMillimetre;

struct RenderCase {
    const char* name;
    int cifreMoltiplicatore;
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
    m.CifreMoltiplicatore = static_cast<std::int16_t>(c.cifreMoltiplicatore);
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
    EXPECT_EQ(QFontInfo(printFont(QStringLiteral("Courier New"), 12.0F)).family(), QStringLiteral("Liberation Mono"));
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
    const ClassSet set{SheetCode{3, 2, 19, 0x0A0B0C0D0EULL}, 3, PageKinds::Both};
    const Paper paper = pdfPaper();
    std::vector<test::PdfPage> pages = test::readPdf(classSetPdf(set, paper));
    ASSERT_EQ(pages.size(), 6U) << "two pages per sheet";
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

}  // namespace
}  // namespace virdamo::print
