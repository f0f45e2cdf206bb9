#include "pages/stampa_scheda.h"

#include "pages/printer.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/sheet.h"
#include "worksheet/worked_operation.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>

namespace virdamo::pages {

namespace {

constexpr float kFirstRowTop = 1200.0F;  // twips
constexpr float kBodyFontSize = 12.0F;   // points
constexpr float kLinePitch = 300.0F;     // twips between the lines of an operation
/// Twips between the rows of the powers of ten.
constexpr float kPowersOfTenPitch = 600.0F;
const std::string kFontName = "Courier New";

/// Left edge of each of the four columns of operations, in twips; operation i stands in column i mod 4.
constexpr std::array<float, 4> kColumns{500.0F, 2500.0F, 4500.0F, 6500.0F};

/// What one line of an operation block prints.
enum class Row {
    Moltiplicando,
    Moltiplicatore,
    Parziale1,
    Parziale2,
    Parziale3,
    Prodotto,
    Shortest,  ///< a decimal product without the zeros that end it, "= 3,78", under the product
    RuleShort,
    RuleMedium,
    RuleFull
};

struct BlockLine {
    float offset;  ///< twips below the row top
    Row row;
};

/// How a multiplier length lays out its operations: the tops of the five rows of
/// blocks and the lines of a block from top to bottom.
struct Layout {
    std::array<float, 5> rowTops;  ///< twips
    std::size_t lineCount;
    std::array<BlockLine, 9> lines;
};

constexpr Layout kUnaCifra{
    {1200.0F, 2700.0F, 4200.0F, 5700.0F, 7200.0F},
    4,
    {{{0.0F, Row::Moltiplicando}, {300.0F, Row::Moltiplicatore}, {400.0F, Row::RuleShort}, {700.0F, Row::Prodotto}}}};

constexpr Layout kDueCifre{{1200.0F, 3800.0F, 6400.0F, 9000.0F, 11600.0F},
                           7,
                           {{{0.0F, Row::Moltiplicando},
                             {300.0F, Row::Moltiplicatore},
                             {400.0F, Row::RuleShort},
                             {700.0F, Row::Parziale1},
                             {1000.0F, Row::Parziale2},
                             {1100.0F, Row::RuleMedium},
                             {1400.0F, Row::Prodotto}}}};

constexpr Layout kTreCifre{{1200.0F, 4000.0F, 6800.0F, 9600.0F, 12400.0F},
                           8,
                           {{{0.0F, Row::Moltiplicando},
                             {300.0F, Row::Moltiplicatore},
                             {400.0F, Row::RuleShort},
                             {700.0F, Row::Parziale1},
                             {1000.0F, Row::Parziale2},
                             {1300.0F, Row::Parziale3},
                             {1400.0F, Row::RuleFull},
                             {1700.0F, Row::Prodotto}}}};

/// The text of one row of an operation, without its sign; empty for a rule.
using RowText = std::function<std::string(std::size_t operation, Row row)>;

/// The text of one line of operation i: its row's text and its sign, nothing trimmed, or
/// the rule.
std::string lineText(const RowText& rowText, std::size_t i, Row row)
{
    switch (row) {
    case Row::Moltiplicando: return rowText(i, row) + " x ";
    case Row::Moltiplicatore: return rowText(i, row) + " = ";
    case Row::Parziale1:
    case Row::Parziale2:
    case Row::Parziale3:
    case Row::Prodotto:
    case Row::Shortest: return rowText(i, row);
    case Row::RuleShort: return "       ______";
    case Row::RuleMedium: return "   __________";
    case Row::RuleFull: return "_____________";
    }
    return {};
}

/// The rows of the worksheet state, exactly as stored.
RowText rowsOf(const Modulo1& m)
{
    return [&m](std::size_t i, Row row) -> std::string {
        switch (row) {
        case Row::Moltiplicando: return m.TxtMoltiplicando[i];
        case Row::Moltiplicatore: return m.TxtMoltiplicatore[i];
        case Row::Parziale1: return m.TxtParziale1[i];
        case Row::Parziale2: return m.TxtParziale2[i];
        case Row::Parziale3: return m.TxtParziale3[i];
        case Row::Prodotto: return m.TxtProdotto[i];
        default: return {};
        }
    };
}

/// text preceded by blanks to width characters; longer text stays whole.
std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

/// The rows of sheet as the worksheet state stores them: each number right-aligned in the
/// width of its row, the partial products shifted one column a digit. On pupils' pages the
/// rows the pupil works out are empty. Decimal factors and products carry their comma in
/// the text, in a character of its own; the partial products have none.
RowText rowsOf(const Sheet& sheet, PageKind kind)
{
    return [&sheet, kind](std::size_t i, Row row) -> std::string {
        static const std::string blanks(Modulo1::kSpaziLength, ' ');
        const WorkedOperation& op = sheet.operations[i];
        const bool results = kind == PageKind::Solutions;
        switch (row) {
        case Row::Moltiplicando: return padded(decimalText(op.multiplicand, op.multiplicandDecimals), 11);
        case Row::Moltiplicatore: return padded(decimalText(op.multiplier, op.multiplierDecimals), 11);
        case Row::Parziale1: return results && op.partialRows() > 0 ? rightAligned(blanks, op.partial(0), 11) : "";
        case Row::Parziale2: return results && op.partialRows() > 1 ? rightAligned(blanks, op.partial(1), 10) : "";
        case Row::Parziale3: return results && op.partialRows() > 2 ? rightAligned(blanks, op.partial(2), 9) : "";
        case Row::Prodotto: return results ? padded(decimalText(op.product, op.productDecimals()), 11) : "";
        case Row::Shortest:
            return results && op.hasDecimals() && op.product % 10 == 0
                ? padded("= " + shortestDecimalText(op.product, op.productDecimals()), 11)
                : "";
        default: return {};
        }
    };
}

void printBody(const RowText& rows, int operations, Printer& printer, const Layout& layout)
{
    float rowTop = kFirstRowTop;
    for (int indiceStampa = 0; indiceStampa < operations; ++indiceStampa) {
        const auto i = static_cast<std::size_t>(indiceStampa);
        const float column = kColumns[i % kColumns.size()];
        for (std::size_t k = 0; k < layout.lineCount; ++k) {
            const BlockLine& line = layout.lines[k];
            printer.setHorizontalPosition(column);
            printer.setVerticalPosition(rowTop + line.offset);
            printer.printLine(lineText(rows, i, line.row));
        }
        // A column has no room right of its product: the shortest product goes under it.
        if (const std::string shortest = rows(i, Row::Shortest); !shortest.empty()) {
            printer.setHorizontalPosition(column);
            printer.setVerticalPosition(rowTop + layout.lines[layout.lineCount - 1].offset + kLinePitch);
            printer.printLine(shortest);
        }
        // The last operation of rows 1 to 4 moves the next ones to the following row.
        if (i % kColumns.size() == kColumns.size() - 1 && i / kColumns.size() + 1 < layout.rowTops.size()) {
            rowTop = layout.rowTops[i / kColumns.size() + 1];
        }
    }
}

/// The page heading: "SCHEDA VIRDAMO" at 1000,500 twips in 16 pt, then Sottotitolo at
/// 1000,1500 in 12 pt. Relies on the font name its caller has set; begins the job.
void StampaIntestazione(const std::string& subtitle, Printer& printer)
{
    printer.setHorizontalPosition(1000.0F);
    printer.setVerticalPosition(500.0F);
    printer.setFontSize(16.0F);
    printer.printLine("SCHEDA VIRDAMO");
    printer.setHorizontalPosition(1000.0F);
    printer.setVerticalPosition(1500.0F);
    printer.setFontSize(12.0F);
    printer.printLine(subtitle);
}

/// The layout of a multiplier length (1, 2 or 3); none for any other.
const Layout* layoutOf(int multiplierDigits)
{
    switch (multiplierDigits) {
    case 1: return &kUnaCifra;
    case 2: return &kDueCifre;
    case 3: return &kTreCifre;
    default: return nullptr;
    }
}

void printJob(const std::string& subtitle, const RowText& rows, int operations, Printer& printer, const Layout& layout)
{
    printer.setFontName(kFontName);
    StampaIntestazione(subtitle, printer);
    printer.setFontSize(kBodyFontSize);
    printBody(rows, operations, printer, layout);
    printer.endDocument();
}

void printJob(const Modulo1& m, Printer& printer, const Layout& layout)
{
    printJob(m.Sottotitolo, rowsOf(m), m.UltimaOperazione + 1, printer, layout);
}

/// One job for 1-digit multipliers; the next two for 2 and 3 digits, with their partial products.
void StampaUnaCifra(const Modulo1& state, Printer& printer)
{
    printJob(state, printer, kUnaCifra);
}

void StampaDueCifre(const Modulo1& state, Printer& printer)
{
    printJob(state, printer, kDueCifre);
}

void StampaTreCifre(const Modulo1& state, Printer& printer)
{
    printJob(state, printer, kTreCifre);
}

}  // namespace

void StampaScheda(const Modulo1& state, Printer& printer)
{
    if (state.CifreMoltiplicatore == 1) {
        StampaUnaCifra(state, printer);
    } else if (state.CifreMoltiplicatore == 2) {
        StampaDueCifre(state, printer);
    } else if (state.CifreMoltiplicatore == 3) {
        StampaTreCifre(state, printer);
    }
}

void printSheet(const Sheet& sheet, PageKind kind, Printer& printer)
{
    if (sheet.kind == SheetKind::PowersOfTen) {
        printer.setFontName(kFontName);
        StampaIntestazione({}, printer);
        printer.setFontSize(kBodyFontSize);
        float top = kFirstRowTop;
        for (const PowerOfTenRow& row : sheet.powersOfTen) {
            // The numbers on the right of their field and the factors on the left of theirs,
            // so that the signs stand in columns.
            const std::string result = kind == PageKind::Solutions ? row.resultText() : "______";
            printer.setHorizontalPosition(kColumns[0]);
            printer.setVerticalPosition(top);
            printer.printLine(padded(row.numberText(), 5) + " × " + row.factorText()
                              + std::string(4 - row.factorText().size(), ' ') + " = " + result);
            top += kPowersOfTenPitch;
        }
        printer.endDocument();
        return;
    }
    if (const Layout* layout = layoutOf(sheet.multiplierDigits)) {
        printJob({}, rowsOf(sheet, kind), sheet.operationCount(), printer, *layout);
    }
}

}  // namespace virdamo::pages
