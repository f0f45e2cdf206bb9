#include "pages/squared_pages.h"

#include "pages/page_texts.h"

#include <QRect>
#include <QStringList>

#include "layout/twips.h"
#include "worksheet/powers_of_ten.h"
#include "worksheet/sheet.h"
#include "worksheet/worked_operation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

const QString& kFont = kLineFont;

constexpr float kTitleSize = 16.0F;   // points, as on plain pages
constexpr double kTitleBand = 400.0;  // twips: the least height the 16-point title stands in
/// Font size of digits and signs per point of square: the em is the square, and the
/// fixed-pitch face's digits stand two thirds of an em high.
constexpr double kDigitEm = 1.0;
/// Carries are written smaller, about half a square high, in the upper half of their square.
constexpr double kCarryEm = 0.65;
/// How far above the line a comma's box is centred, in squares: the face's capitals stand
/// 0.57 em high, so the comma's baseline falls just under the line it sits on.
constexpr double kCommaRise = 0.24;

/// Squares of the powers of ten's factor, "1000", and of the longest result, four digits
/// and three zeros.
constexpr int kFactorSquares = 4;
constexpr int kResultZeros = 3;

/// Column labels, the operations' numbers and the numbers of the tavola pitagorica: three
/// characters ("dak", "20)", "100") a square at most, all in one size, so that a page
/// needs few faces.
constexpr double kSmallEm = 0.55;
/// The instruction under the title, points, and the least height it stands in, twips.
constexpr float kInstructionSize = 12.0F;
constexpr double kInstructionBand = 300.0;

/// Place values as the class labels its columns, from the units leftwards.
const std::array<QString, 7> kPlaceLabels{u"u"_s, u"da"_s, u"h"_s, u"k"_s, u"dak"_s, u"hk"_s, u"M"_s};
/// Tints of the columns by place value from the units, then round again: light enough for
/// black digits to keep their contrast on a black-and-white printer.
constexpr std::array<unsigned, 4> kPlaceTints{0xD6EAF8, 0xFADBD8, 0xD5F5E3, 0xFCF3CF};
/// Tint of the headings of the tavola pitagorica.
constexpr unsigned kHeadingTint = 0xE5E5E5;

constexpr double kGridWidth = layout::millimetresToTwips(0.15);  // twips
constexpr double kRuleWidth = 20.0;                              // twips: one point

/// One-character texts share their storage: a page holds a thousand of them.
const std::array<QString, 10> kDigits{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
const QString kTimes = u"x"_s;
const QString kPowerTimes = u"×"_s;
const QString kComma = u","_s;
const QString kEquals = u"="_s;
const QString kDashText = u"-"_s;

/// Whole squares of side square in length, forgiving the rounding of a length that is a
/// whole number of squares.
int wholeSquares(double length, double square)
{
    return static_cast<int>(std::floor(length / square + 1e-9));
}

int bandRows(double twips, double square)
{
    return static_cast<int>(std::ceil(twips / square - 1e-9));
}

/// Draws on one page, in squares from the top-left of the printable area.
class SquaredPage final {
public:
    /// Squares of side square twips on page.
    SquaredPage(double square, Page& page)
        : s_(square)
        , digitSize_(static_cast<float>(s_ * kDigitEm / layout::kTwipsPerPoint))
        , carrySize_(static_cast<float>(s_ * kCarryEm / layout::kTwipsPerPoint))
        , page_(page)
    {
    }

    /// Grid lines across the whole printable area, one line each.
    void grid(QSizeF area, int columns, int rows)
    {
        for (int i = 0; i <= columns; ++i) {
            page_.lines.push_back({QPointF(i * s_, 0.0), QPointF(i * s_, area.height()), kGridWidth, Ink::Grey});
        }
        for (int j = 0; j <= rows; ++j) {
            page_.lines.push_back({QPointF(0.0, j * s_), QPointF(area.width(), j * s_), kGridWidth, Ink::Grey});
        }
    }

    /// A black rule on the line above row from column to column + count.
    void rule(int column, int row, int count)
    {
        page_.lines.push_back(
            {QPointF(column * s_, row * s_), QPointF((column + count) * s_, row * s_), kRuleWidth, Ink::Black});
    }

    /// A black vertical line on the line left of column from row to row + count.
    void upright(int column, int row, int count)
    {
        page_.lines.push_back(
            {QPointF(column * s_, row * s_), QPointF(column * s_, (row + count) * s_), kRuleWidth, Ink::Black});
    }

    /// A digit or sign centred in its square.
    void character(int column, int row, const QString& text)
    {
        page_.texts.push_back(
            {kFont, digitSize_, QPointF(column * s_, row * s_), text, QSizeF(s_, s_), TextPlace::Centre});
    }

    /// A comma on the line at the lower right of the square of the digit it follows.
    void comma(int column, int row)
    {
        page_.texts.push_back({kFont, digitSize_, QPointF((column + 0.5) * s_, (row + 0.5 - kCommaRise) * s_), kComma,
                               QSizeF(s_, s_), TextPlace::Centre});
    }

    /// A number as the class writes it, "75,040", a digit a square, its last digit in column
    /// units of row.
    void number(int units, int row, const std::string& text)
    {
        int column = units;
        // From the end: the last digit stands in the units' square.
        for (std::size_t i = text.size(); i-- > 0;) {
            const char c = text[i];
            if (c == ',') {
                comma(column, row);
            } else {
                character(column--, row, kDigits.at(static_cast<std::size_t>(c - '0')));
            }
        }
    }

    /// A carry, small in the upper half of its square.
    void carry(int column, int row, int digit)
    {
        page_.texts.push_back({kFont, carrySize_, QPointF(column * s_, row * s_), kDigits.at(std::size_t(digit)),
                               QSizeF(s_, s_ / 2.0), TextPlace::Centre});
    }

    /// A text smaller than a digit, centred in its square: a column label, a number.
    void small(int column, int row, double em, const QString& text)
    {
        page_.texts.push_back({kFont, static_cast<float>(s_ * em / layout::kTwipsPerPoint),
                               QPointF(column * s_, row * s_), text, QSizeF(s_, s_), TextPlace::Centre});
    }

    /// A tint of rgb under the squares from column, row, count across and down.
    void tint(int column, int row, QSize count, unsigned rgb)
    {
        page_.fills.push_back({QRectF(column * s_, row * s_, count.width() * s_, count.height() * s_), rgb});
    }

    /// A line of text from column, in rows row to row + count, count squares wide at most.
    void line(int column, int row, int rowCount, int columnCount, float pointSize, const QString& text)
    {
        page_.texts.push_back({kFont, pointSize, QPointF(column * s_, row * s_), text,
                               QSizeF(columnCount * s_, rowCount * s_), TextPlace::MiddleLeft});
    }

private:
    double s_;
    float digitSize_;
    float carrySize_;
    Page& page_;
};

/// Draws what is written of op in the block whose top-left square is corner.
void drawOperation(SquaredPage& page, const WorkedOperation& op, const OperationSquares& squares, QPoint corner,
                   const Written& written, const PageOptions& options)
{
    const auto at = [&](const Cell& cell) { return corner + squares.squareOf(cell); };
    const int height = squares.size().height();
    for (int c = 0; c < squares.digitColumns(); ++c) {
        const auto place = static_cast<std::size_t>(squares.unitsColumn() - c);
        if (options.squared() && options.columnColours) {
            page.tint(corner.x() + c, corner.y(), QSize(1, height), kPlaceTints.at(place % kPlaceTints.size()));
        }
        if (squares.labelsRow() >= 0 && place < kPlaceLabels.size()) {
            page.small(corner.x() + c, corner.y() + squares.labelsRow(), kSmallEm, kPlaceLabels.at(place));
        }
    }
    for (const WrittenDigit& d : written.digits) {
        const QPoint square = at(Square{d.row, d.column});
        page.character(square.x(), square.y(),
                       d.digit == virdamo::kDash ? kDashText : kDigits.at(std::size_t(d.digit)));
    }
    const BlockFrame frame = blockFrame(op, squares, options);
    page.character(corner.x() + frame.times.x(), corner.y() + frame.times.y(), kTimes);
    page.character(corner.x() + frame.equals.x(), corner.y() + frame.equals.y(), kEquals);
    for (const BlockLine& line : frame.lines) {
        if (line.direction == BlockLine::Direction::Across) {
            page.rule(corner.x() + line.column, corner.y() + line.row, line.count);
        } else {
            page.upright(corner.x() + line.column, corner.y() + line.row, line.count);
        }
    }
    // The factors' commas are part of the factors; the product's is a step of its own.
    const int units = corner.x() + squares.unitsColumn();
    if (op.multiplicandDecimals > 0) {
        page.comma(units - op.multiplicandDecimals, corner.y() + squares.rowOf({WorkedRow::Multiplicand, 0}));
    }
    if (op.multiplierDecimals > 0) {
        page.comma(units - op.multiplierDecimals, corner.y() + squares.rowOf({WorkedRow::Multiplier, 0}));
    }
    if (written.productComma) {
        const QPoint square = at(DecimalPoint{});
        page.comma(square.x(), square.y());
        if (op.product % 10 == 0) {
            // "= 3,78" right of the product, after a free square.
            const std::string shortest = shortestDecimalText(op.product, op.productDecimals());
            const int digits = static_cast<int>(shortest.size()) - (shortest.find(',') == std::string::npos ? 0 : 1);
            page.character(units + 2, square.y(), kEquals);
            page.number(units + 2 + digits, square.y(), shortest);
        }
    }
    if (options.carriesShown()) {
        for (const WrittenDigit& c : written.carries) {
            const QPoint square = at(Square{c.row, c.column});
            page.carry(square.x(), square.y(), c.digit);
        }
    }
    if (options.provaShown()) {
        for (const WrittenBox& box : written.prova) {
            const QPoint square = at(box.box);
            page.character(square.x(), square.y(), kDigits.at(std::size_t(box.digit)));
        }
    }
}

/// The tavola pitagorica with its top-left square at corner: the 1-10 headings tinted and
/// ruled off, and every product of two of them.
void drawTable(SquaredPage& page, QPoint corner)
{
    page.tint(corner.x(), corner.y(), QSize(kTableSquares, 1), kHeadingTint);
    page.tint(corner.x(), corner.y() + 1, QSize(1, kTableSquares - 1), kHeadingTint);
    page.small(corner.x(), corner.y(), kSmallEm, kTimes);
    for (int i = 1; i < kTableSquares; ++i) {
        page.small(corner.x() + i, corner.y(), kSmallEm, QString::number(i));
        page.small(corner.x(), corner.y() + i, kSmallEm, QString::number(i));
        for (int j = 1; j < kTableSquares; ++j) {
            page.small(corner.x() + j, corner.y() + i, kSmallEm, QString::number(i * j));
        }
    }
    for (const int edge : {0, 1, kTableSquares}) {
        page.rule(corner.x(), corner.y() + edge, kTableSquares);
        page.upright(corner.x() + edge, corner.y(), kTableSquares);
    }
}

/// The heading's lines for kind of page, on a line textWidth twips wide.
QStringList headingLines(PageKind kind, const PageOptions& options, const SheetFooter& footer, double textWidth)
{
    if (kind != PageKind::Pupils || !options.pupilsHeading) {
        return {};
    }
    return brokenLine(pupilsHeadingLine(footer.pupil), textWidth);
}

/// The footer's lines of page of pages, on a line textWidth twips wide.
QStringList footerLines(PageKind kind, const PageOptions& options, const SheetFooter& footer, int page, int pages,
                        double textWidth)
{
    return brokenLine(footerLine(footer, kind, page, pages, kind == PageKind::Pupils && options.pupilsHeading),
                      textWidth);
}

}  // namespace

BlockFrame blockFrame(const WorkedOperation& op, const OperationSquares& squares, const PageOptions& options)
{
    using enum BlockLine::Direction;
    const int units = squares.unitsColumn();
    const int multiplicand = squares.rowOf({WorkedRow::Multiplicand, 0});
    const int multiplier = squares.rowOf({WorkedRow::Multiplier, 0});
    BlockFrame frame{{units + 1, multiplicand}, {units + 1, multiplier}, {}};
    frame.lines.push_back({Across, 0, multiplier + 1, squares.digitColumns()});
    if (op.partialRows() >= 2) {
        frame.lines.push_back({Across, 0, squares.rowOf({WorkedRow::Product, 0}), squares.digitColumns()});
    }
    if (options.provaShown()) {
        // A free square right of the sign, then the cross over two squares by two, its
        // arms on the lines between them.
        const int left = units + 3;
        frame.lines.push_back({Down, left + 1, multiplicand, 2});
        frame.lines.push_back({Across, left, multiplicand + 1, 2});
    }
    return frame;
}

double squareSide(const PageOptions& options)
{
    const auto [smallest, largest] = std::minmax_element(kSquareSides.begin(), kSquareSides.end());
    return layout::millimetresToTwips(std::clamp(options.squareMillimetres.value_or(*largest), *smallest, *largest));
}

OperationSquares::OperationSquares(int multiplicandDigits, int multiplierDigits, const PageOptions& options,
                                   int productDecimals)
    : rows_(WorkedOperation::rowsTopToBottom(multiplierDigits, options.carriesShown()))
    , digitColumns_(multiplicandDigits + multiplierDigits)
    , productDecimals_(productDecimals)
    , prova_(options.provaShown())
    , labels_(options.squared() && options.columnLabels)
{
}

OperationSquares::OperationSquares(const WorkedOperation& op, const PageOptions& options)
    : rows_(op.rowsTopToBottom(options.carriesShown()))
    , digitColumns_(op.multiplicandDigits + op.multiplierDigits)
    , productDecimals_(op.productDecimals())
    , prova_(options.provaShown())
    , labels_(options.squared() && options.columnLabels)
{
}

int OperationSquares::rowOf(RowRef row) const
{
    const auto at = std::find(rows_.begin(), rows_.end(), row);
    return at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin()) + (labels_ ? 1 : 0);
}

QPoint OperationSquares::squareOf(const Cell& cell) const
{
    if (const auto* square = std::get_if<Square>(&cell)) {
        return {unitsColumn() - square->column, rowOf(square->row)};
    }
    if (std::holds_alternative<DecimalPoint>(cell)) {
        return {unitsColumn() - productDecimals_, rowOf({WorkedRow::Product, 0})};
    }
    // The cross stands right of the sign after a free square, level with the factors.
    const ProvaBox box = std::get<ProvaBox>(cell);
    const bool right = box == ProvaBox::TopRight || box == ProvaBox::BottomRight;
    const bool bottom = box == ProvaBox::BottomLeft || box == ProvaBox::BottomRight;
    return {unitsColumn() + 3 + (right ? 1 : 0), rowOf({WorkedRow::Multiplicand, 0}) + (bottom ? 1 : 0)};
}

QSize OperationSquares::size() const
{
    // The shortest product has a digit fewer than the product at most.
    const int shortest = productDecimals_ > 0 ? digitColumns_ + 2 + (digitColumns_ - 1) : 0;
    return {std::max(digitColumns_ + 1 + (prova_ ? 3 : 0), shortest),
            static_cast<int>(rows_.size()) + (labels_ ? 1 : 0)};
}

Page squaredOperationPage(const WorkedOperation& op, const Written& written, const PageOptions& options, QSize grid,
                          QPoint corner)
{
    Page result;
    const double square = squareSide(options);
    SquaredPage page(square, result);
    page.grid(QSizeF(grid) * square, grid.width(), grid.height());
    drawOperation(page, op, OperationSquares(op, options), corner, written, options);
    return result;
}

int SquaredLayout::pagesFor(int operations) const
{
    return std::max(1, (operations + capacity() - 1) / capacity());
}

int SquaredLayout::firstOnPage(int page, int operations) const
{
    const int pages = pagesFor(operations);
    return page * (operations / pages) + std::min(page, operations % pages);
}

QPoint SquaredLayout::blockAt(int i) const
{
    const int top = pupilsRows + titleRows + instructionRows + 1;
    return {1 + (i % blocksAcross) * (blockColumns + 1), top + (i / blocksAcross) * (blockRows + 1)};
}

std::optional<QPoint> SquaredLayout::tableAt(int count) const
{
    if (!timesTable) {
        return std::nullopt;
    }
    // Each block with the square of its number, on its left.
    std::vector<QRect> taken;
    for (int i = 0; i < count; ++i) {
        taken.emplace_back(blockAt(i) - QPoint(1, 0), QSize(blockColumns + 1, blockRows));
    }
    const int top = pupilsRows + titleRows + instructionRows + 1;
    const int lastRow = rows - footerRows - 1 - kTableSquares;
    for (int row = top; row <= lastRow; ++row) {
        for (int column = 1; column + kTableSquares < columns; ++column) {
            const QRect around = QRect(column, row, kTableSquares, kTableSquares).adjusted(-1, -1, 1, 1);
            if (std::none_of(taken.begin(), taken.end(), [&](const QRect& r) { return r.intersects(around); })) {
                return QPoint(column, row);
            }
        }
    }
    return std::nullopt;
}

bool SquaredLayout::tableOnItsOwnPage(int operations) const
{
    return timesTable && !tableAt(firstOnPage(1, operations) - firstOnPage(0, operations));
}

namespace {

/// The layout of blocks of size block on the squares of options over printableArea twips,
/// for kind of page of footer's sheet.
SquaredLayout blocksLayout(QSize block, const PageOptions& options, QSizeF printableArea, PageKind kind,
                           const SheetFooter& footer)
{
    SquaredLayout l;
    // Squares smaller or larger than any class uses are taken as the nearest size that is.
    l.square = squareSide(options);
    l.columns = wholeSquares(printableArea.width(), l.square);
    l.rows = wholeSquares(printableArea.height(), l.square);
    const double textWidth = (l.columns - 2) * l.square;
    const int lineRows = bandRows(kLineBand, l.square);
    // Both kinds of page keep the rows of the pupils' heading and of the longer footer, so
    // that each operation stands in the same squares on both.
    l.pupilsRows = static_cast<int>(headingLines(PageKind::Pupils, options, footer, textWidth).size()) * lineRows;
    l.titleRows = bandRows(kTitleBand, l.square);
    l.instructionRows = options.instruction.isEmpty() ? 0 : bandRows(kInstructionBand, l.square);
    // The longest footer a sheet has: that of a page among ten or more.
    l.footerRows =
        static_cast<int>(std::max(footerLines(PageKind::Pupils, options, footer, 10, 10, textWidth).size(),
                                  footerLines(PageKind::Solutions, options, footer, 10, 10, textWidth).size()))
        * lineRows;
    l.perPage = options.operationsPerPage();
    l.timesTable = options.squared() && options.timesTable && kind == PageKind::Pupils;
    l.blockColumns = block.width();
    l.blockRows = block.height();

    // A free column on either side; a free row under the heading, and one over the footer.
    const int freeColumns = l.columns - 2;
    const int freeRows = l.rows - (l.pupilsRows + l.titleRows + l.instructionRows + 1) - 1 - l.footerRows;
    l.blocksAcross = std::max(1, (freeColumns + 1) / (l.blockColumns + 1));
    l.blocksDown = std::max(1, (freeRows + 1) / (l.blockRows + 1));
    return l;
}

/// Draws a row of the powers of ten in its block at corner: the number with its units in
/// the block's column numberDigits - 1, the sign, the factor, the equals sign and, with
/// results, the result.
void drawPowerOfTen(SquaredPage& page, const PowerOfTenRow& row, int numberDigits, QPoint corner, bool result)
{
    const int units = corner.x() + numberDigits - 1;
    page.number(units, corner.y(), row.numberText());
    page.character(units + 1, corner.y(), kPowerTimes);
    const std::string factor = row.factorText();
    page.number(units + 1 + static_cast<int>(factor.size()), corner.y(), factor);
    const int equals = units + 2 + kFactorSquares;
    page.character(equals, corner.y(), kEquals);
    if (result) {
        const std::string text = row.resultText();
        const int digits = static_cast<int>(text.size()) - (text.find(',') == std::string::npos ? 0 : 1);
        page.number(equals + digits, corner.y(), text);
    }
}

/// The layout of the sheet of the powers of ten of numbers of numberDigits digits: a block
/// a row, one square a character, "34,5 × 100 = 3450" with room for the longest result.
SquaredLayout powersOfTenLayout(int numberDigits, const PageOptions& options, QSizeF printableArea, PageKind kind,
                                const SheetFooter& footer)
{
    return blocksLayout(QSize(numberDigits + 1 + kFactorSquares + 1 + numberDigits + kResultZeros, 1), options,
                        printableArea, kind, footer);
}

/// The layout of sheets of code's kind and digits.
SquaredLayout layoutOf(const SheetCode& code, const PageOptions& options, QSizeF printableArea, PageKind kind,
                       const SheetFooter& footer)
{
    if (code.kind == SheetKind::PowersOfTen) {
        return powersOfTenLayout(code.multiplicandDigits, options, printableArea, kind, footer);
    }
    return squaredLayout(code.multiplicandDigits, code.multiplierDigits, options, printableArea, kind, footer,
                         code.multiplicandDecimals + code.multiplierDecimals);
}

}  // namespace

SquaredLayout squaredLayout(int multiplicandDigits, int multiplierDigits, const PageOptions& options,
                            QSizeF printableArea, PageKind kind, const SheetFooter& footer, int productDecimals)
{
    return blocksLayout(OperationSquares(multiplicandDigits, multiplierDigits, options, productDecimals).size(),
                        options, printableArea, kind, footer);
}

int squaredPageCount(const SheetCode& code, int operations, PageKind kind, const PageOptions& options,
                     QSizeF printableArea, const SheetFooter& footer)
{
    const SquaredLayout layout = layoutOf(code, options, printableArea, kind, footer);
    return layout.pagesFor(operations) + (layout.tableOnItsOwnPage(operations) ? 1 : 0);
}

std::vector<Page> squaredSheetPages(const Sheet& sheet, PageKind kind, const PageOptions& options, QSizeF printableArea,
                                    const SheetFooter& footer)
{
    const bool powersOfTen = sheet.kind == SheetKind::PowersOfTen;
    const SquaredLayout layout = powersOfTen
        ? powersOfTenLayout(sheet.multiplicandDigits, options, printableArea, kind, footer)
        : squaredLayout(sheet.multiplicandDigits, sheet.multiplierDigits, options, printableArea, kind, footer,
                        sheet.productDecimals());
    const int operations = sheet.operationCount();
    const bool tablePage = layout.tableOnItsOwnPage(operations);
    const int pageCount = layout.pagesFor(operations) + (tablePage ? 1 : 0);
    const int textColumns = layout.columns - 2;
    const double textWidth = textColumns * layout.square;
    const int lineRows = bandRows(kLineBand, layout.square);
    const QString title = options.title.isEmpty() ? u"SCHEDA VIRDAMO"_s : options.title;
    std::vector<Page> pages(static_cast<std::size_t>(pageCount));
    for (int p = 0; p < pageCount; ++p) {
        SquaredPage page(layout.square, pages[static_cast<std::size_t>(p)]);
        page.grid(printableArea, layout.columns, layout.rows);
        int row = 0;
        for (const QString& line : headingLines(kind, options, footer, textWidth)) {
            page.line(1, row, lineRows, textColumns, kLineSize, line);
            row += lineRows;
        }
        row = layout.pupilsRows;
        page.line(1, row, layout.titleRows, textColumns, kTitleSize, title);
        if (layout.instructionRows > 0) {
            page.line(1, row + layout.titleRows, layout.instructionRows, textColumns, kInstructionSize,
                      options.instruction);
        }
        const QStringList footerText = footerLines(kind, options, footer, p + 1, pageCount, textWidth);
        for (qsizetype i = 0; i < footerText.size(); ++i) {
            const int footerRow = layout.rows - static_cast<int>(footerText.size() - i) * lineRows;
            page.line(1, footerRow, lineRows, textColumns, kLineSize, footerText[i]);
        }
        if (tablePage && p == 0) {
            drawTable(page, layout.blockAt(0));
            continue;
        }
        const int q = p - (tablePage ? 1 : 0);
        const int first = layout.firstOnPage(q, operations);
        const int last = layout.firstOnPage(q + 1, operations);
        for (int i = first; i < last; ++i) {
            const QPoint corner = layout.blockAt(i - first);
            page.small(corner.x() - 1, corner.y(), kSmallEm, QString::number(i + 1) + u')');
            if (powersOfTen) {
                drawPowerOfTen(page, sheet.powersOfTen[static_cast<std::size_t>(i)], sheet.multiplicandDigits, corner,
                               kind == PageKind::Solutions);
                continue;
            }
            const WorkedOperation& op = sheet.operations[static_cast<std::size_t>(i)];
            drawOperation(page, op, OperationSquares(op, options), corner,
                          kind == PageKind::Solutions ? Written::wholeOf(op) : Written::factorsOf(op), options);
        }
        if (const std::optional<QPoint> table = tablePage ? std::nullopt : layout.tableAt(last - first)) {
            drawTable(page, *table);
        }
    }
    return pages;
}

}  // namespace virdamo::pages
