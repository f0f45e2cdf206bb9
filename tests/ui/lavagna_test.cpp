#include "output/pdf_page.h"
#include "texts/fonts.h"
#include "texts/step_captions.h"
#include "ui/lavagna.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QRawFont>
#include <QScreen>

namespace virdamo::ui {
namespace {

using texts::captionsOf;
using texts::hintText;

// Each caption in the order of the steps, " | " between them: every kind of step in Italian,
// one colon at most, a row of partial products starting with its digit's place.
TEST(StepCaptions, TheTeacherSaysEachStepInItalian)
{
    const struct {
        std::int32_t a, b;
        const char* said;
    } cases[] = {
        {47, 6,
         "Moltiplichiamo 47 × 6 | 7 × 6 = 42: scrivo 2 e riporto 4 | 4 × 6 + 4 = 28: scrivo 28 | Il prodotto è 282 | "
         "Moltiplicando, 4 + 7 = 11, 1 + 1 = 2: scrivo 2 | Moltiplicatore, 6, una cifra sola: scrivo 6 | "
         "Le due cifre in alto, 2 × 6 = 12, 1 + 2 = 3: scrivo 3 | Prodotto, 2 + 8 + 2 = 12, 1 + 2 = 3: scrivo 3 | "
         "3 = 3: la prova è giusta"},
        {2305, 104,
         "Moltiplichiamo 2.305 × 104 | Ora moltiplico per le unità: 4; 5 × 4 = 20, scrivo 0 e riporto 2 | "
         "0 × 4 + 2 = 2: scrivo 2 | 3 × 4 = 12: scrivo 2 e riporto 1 | 2 × 4 + 1 = 9: scrivo 9 | "
         "Ora moltiplico per le decine: 0; 2.305 × 0 = 0, scrivo 0 | "
         "Ora moltiplico per le centinaia: 1; 5 × 1 = 5, scrivo 5 | 0 × 1 = 0: scrivo 0 | 3 × 1 = 3: scrivo 3 | "
         "2 × 1 = 2: scrivo 2 | Abbasso 0 | 2 + 0 = 2: scrivo 2 | 2 + 5 = 7: scrivo 7 | 9 + 0 = 9: scrivo 9 | "
         "Abbasso 3 | Abbasso 2 | Il prodotto è 239.720 | "
         "Moltiplicando, 2 + 3 + 0 + 5 = 10, 1 + 0 = 1: scrivo 1 | Moltiplicatore, 1 + 0 + 4 = 5: scrivo 5 | "
         "Le due cifre in alto, 1 × 5 = 5: scrivo 5 | Prodotto, 2 + 3 + 9 + 7 + 2 + 0 = 23, 2 + 3 = 5: scrivo 5 | "
         "5 = 5: la prova è giusta"},
        {12, 22,
         "Moltiplichiamo 12 × 22 | Ora moltiplico per le unità: 2; 2 × 2 = 4, scrivo 4 | 1 × 2 = 2: scrivo 2 | "
         "Ora moltiplico per le decine: 2; 2 × 2 = 4, scrivo 4 | 1 × 2 = 2: scrivo 2 | Abbasso 4 | "
         "2 + 4 = 6: scrivo 6 | Abbasso 2 | Il prodotto è 264 | Moltiplicando, 1 + 2 = 3: scrivo 3 | "
         "Moltiplicatore, 2 + 2 = 4: scrivo 4 | Le due cifre in alto, 3 × 4 = 12, 1 + 2 = 3: scrivo 3 | "
         "Prodotto, 2 + 6 + 4 = 12, 1 + 2 = 3: scrivo 3 | 3 = 3: la prova è giusta"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captionsOf(stepsOf(c.a, c.b)).join(u" | "), QString::fromUtf8(c.said)) << c.a << " × " << c.b;
    }
}

// After a wrong key a pupil hears the step without the result still to be typed.
TEST(StepCaptions, AHintTellsNoResult)
{
    const struct {
        std::int32_t a, b;
        std::size_t step;
        const char* hint;
    } cases[] = {
        {2305, 104, 1, "Riprova: 5 × 4 = ?"},
        {2305, 104, 2, "Riprova: 0 × 4 + 2 = ?"},
        {2305, 104, 5, "Riprova: 2.305 × 0 = ?"},
        {2305, 104, 10, "Riprova: abbasso la cifra che sta sopra"},
        {135, 47, 9, "Riprova: 9 + 4 = ?"},
        {2305, 104, 17, "Riprova: moltiplicando, 2 + 3 + 0 + 5 = ?"},
        {2305, 104, 19, "Riprova: le due cifre in alto, 1 × 5 = ?"},
        {47, 6, 5, "Riprova: moltiplicatore, una cifra sola, si scrive così com'è"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hintText(stepsOf(c.a, c.b).at(c.step).caption), QString::fromUtf8(c.hint))
            << c.a << " × " << c.b << " step " << c.step;
    }
}

// Whatever the operation, a caption has one colon at most, and a hint goes on after
// "Riprova:" from a small letter.
TEST(StepCaptions, OneColonAtMostAndNoCapitalAfterIt)
{
    for (const std::int32_t a : {10, 47, 2305, 9999}) {
        for (const std::int32_t b : {1, 9, 10, 22, 104, 990, 999}) {
            const std::vector<Step> steps = stepsOf(a, b);
            QStringList said = captionsOf(steps);
            for (const Step& step : steps) {
                if (!step.keys.empty()) said << hintText(step.caption);
            }
            for (const QString& caption : said) {
                EXPECT_LE(caption.count(u':'), 1) << caption.toStdString();
                const auto colon = caption.indexOf(u": ");
                EXPECT_FALSE(colon >= 0 && caption.at(colon + 2).isUpper()) << caption.toStdString();
            }
        }
    }
}

// On a whiteboard of 1920 x 1080 the digits of the largest operations stand over 60 pixels high.
TEST(Lavagna, DigitsOfAFourByThreeOperationStandSixtyPixelsHighAtFullHd)
{
    Lavagna board(9999, 999, {});
    board.resize(1920, 1080);
    board.show();
    QApplication::processEvents();
    QFont font = texts::printFont(QStringLiteral("Courier New"), 10.0F);
    font.setPixelSize(board.squarePixels());
    const QRawFont face = QRawFont::fromFont(font);
    EXPECT_GE(face.boundingRect(face.glyphIndexesForString(QStringLiteral("0")).at(0)).height(), 60.0);
}

// A step repaints only the squares it changes: what the window holds after each step, after
// a wrong key's flash and after the right key is what painting the whole window gives.
TEST(Lavagna, EachStepLeavesWhatPaintingTheWholeBoardGives)
{
    for (const auto& [a, b] : {std::pair(47, 6), std::pair(2305, 104)}) {
        Lavagna board(a, b, {});
        board.resize(1280, 720);
        board.show();
        const auto same = [&] {
            QApplication::processEvents();
            const QImage held = board.screen()->grabWindow(board.winId()).toImage();
            return held.convertToFormat(QImage::Format_RGB32)
                == board.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        for (std::size_t step = 1; step < board.steps().size(); ++step) {
            board.showNextStep();
            EXPECT_TRUE(same()) << a << " × " << b << " step " << step;
        }
        board.showPreviousStep();
        EXPECT_TRUE(same()) << a << " × " << b << " a step back";
        board.togglePupilTrying();
        const int right = board.steps()[1].keys.front().digit;
        for (const int digit : {(right + 1) % 10, right}) {
            board.typeDigit(digit);
            EXPECT_TRUE(same()) << a << " × " << b << " key " << digit;
        }
    }
}

}  // namespace
}  // namespace virdamo::ui
