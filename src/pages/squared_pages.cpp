#include "pages/squared_pages.h"

#include "pages/page_texts.h"

#include "layout/twips.h"
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

constexpr double kGridWidth = layout::millimetresToTwips(0.15);  // twips
constexpr double kRuleWidth = 20.0;                              // twips: one point

/// One-character texts share their storage: a page holds a thousand of them.
const std::array<QString, 10> kDigits{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s};
const QString kTimes = u"x"_s;
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

    /// A carry, small in the upper half of its square.
    void carry(int column, int row, int digit)
    {
        page_.texts.push_back({kFont, carrySize_, QPointF(column * s_, row * s_), kDigits.at(std::size_t(digit)),
                               QSizeF(s_, s_ / 2.0), TextPlace::Centre});
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

OperationSquares::OperationSquares(int multiplicandDigits, int multiplierDigits, const PageOptions& options)
    : rows_(WorkedOperation::rowsTopToBottom(multiplierDigits, options.carriesShown()))
    , digitColumns_(multiplicandDigits + multiplierDigits)
    , prova_(options.provaShown())
{
}

OperationSquares::OperationSquares(const WorkedOperation& op, const PageOptions& options)
    : rows_(op.rowsTopToBottom(options.carriesShown()))
    , digitColumns_(op.multiplicandDigits + op.multiplierDigits)
    , prova_(options.provaShown())
{
}

int OperationSquares::rowOf(RowRef row) const
{
    const auto at = std::find(rows_.begin(), rows_.end(), row);
    return at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin());
}

QPoint OperationSquares::squareOf(const Cell& cell) const
{
    if (const auto* square = std::get_if<Square>(&cell)) {
        return {unitsColumn() - square->column, rowOf(square->row)};
    }
    // The cross stands right of the sign after a free square, level with the factors.
    const ProvaBox box = std::get<ProvaBox>(cell);
    const bool right = box == ProvaBox::TopRight || box == ProvaBox::BottomRight;
    const bool bottom = box == ProvaBox::BottomLeft || box == ProvaBox::BottomRight;
    return {unitsColumn() + 3 + (right ? 1 : 0), rowOf({WorkedRow::Multiplicand, 0}) + (bottom ? 1 : 0)};
}

QSize OperationSquares::size() const
{
    return {digitColumns_ + 1 + (prova_ ? 3 : 0), static_cast<int>(rows_.size())};
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

QPoint SquaredLayout::blockAt(int i) const
{
    const int top = pupilsRows + titleRows + 1;
    return {1 + (i % blocksAcross) * (blockColumns + 1), top + (i / blocksAcross) * (blockRows + 1)};
}

SquaredLayout squaredLayout(int multiplicandDigits, int multiplierDigits, const PageOptions& options,
                            QSizeF printableArea)
{
    SquaredLayout l;
    // Squares smaller or larger than any class uses are taken as the nearest size that is.
    l.square = squareSide(options);
    l.columns = wholeSquares(printableArea.width(), l.square);
    l.rows = wholeSquares(printableArea.height(), l.square);
    l.pupilsRows = options.pupilsHeading ? bandRows(kLineBand, l.square) : 0;
    l.titleRows = bandRows(kTitleBand, l.square);

    const QSize block = OperationSquares(multiplicandDigits, multiplierDigits, options).size();
    l.blockColumns = block.width();
    l.blockRows = block.height();

    // A free column on either side; a free row under the heading, and one over the footer.
    const int freeColumns = l.columns - 2;
    const int freeRows = l.rows - (l.pupilsRows + l.titleRows + 1) - 2;
    l.blocksAcross = std::max(1, (freeColumns + 1) / (l.blockColumns + 1));
    l.blocksDown = std::max(1, (freeRows + 1) / (l.blockRows + 1));
    return l;
}

std::vector<Page> squaredSheetPages(const Sheet& sheet, PageKind kind, const PageOptions& options, QSizeF printableArea,
                                    const SheetFooter& footer)
{
    const SquaredLayout layout =
        squaredLayout(sheet.multiplicandDigits, sheet.multiplierDigits, options, printableArea);
    const int operations = sheet.operationCount();
    const int pageCount = std::max(1, layout.pagesFor(operations));
    const int textColumns = layout.columns - 2;
    std::vector<Page> pages(static_cast<std::size_t>(pageCount));
    for (int p = 0; p < pageCount; ++p) {
        SquaredPage page(layout.square, pages[static_cast<std::size_t>(p)]);
        page.grid(printableArea, layout.columns, layout.rows);
        if (kind == PageKind::Pupils && layout.pupilsRows > 0) {
            page.line(1, 0, layout.pupilsRows, textColumns, kLineSize, pupilsHeadingLine(footer.pupil));
        }
        page.line(1, layout.pupilsRows, layout.titleRows, textColumns, kTitleSize, u"SCHEDA VIRDAMO"_s);
        const int first = p * layout.blocksPerPage();
        const int last = std::min(operations, first + layout.blocksPerPage());
        for (int i = first; i < last; ++i) {
            const WorkedOperation& op = sheet.operations[static_cast<std::size_t>(i)];
            drawOperation(page, op, OperationSquares(op, options), layout.blockAt(i - first),
                          kind == PageKind::Solutions ? Written::wholeOf(op) : Written::factorsOf(op), options);
        }
        page.line(1, layout.rows - 1, 1, textColumns, kLineSize, footerLine(footer, kind, p + 1, pageCount));
    }
    return pages;
}

}  // namespace virdamo::pages
