#pragma once

#include "pages/page.h"
#include "pages/page_options.h"
#include "worksheet/steps.h"

#include <QPoint>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <algorithm>
#include <optional>
#include <vector>

namespace virdamo {
struct Sheet;
struct SheetCode;
}  // namespace virdamo

namespace virdamo::pages {

/// Where the operations of a sheet stand on squared paper: in blocks of one size for the
/// whole sheet, in a regular grid with one free square between neighbours, from the second
/// column, under the heading rows and above a free row and the footer rows, the last whole
/// rows. Each block's number stands in the square left of its top row. Squares are counted
/// from the top-left corner of the printable area. Pupils' and solution pages share the
/// blocks' places, so each operation has the same squares on both.
struct SquaredLayout {
    double square = 0.0;        ///< side of a square, twips
    int columns = 0;            ///< whole squares across the printable area
    int rows = 0;               ///< whole squares down the printable area
    int pupilsRows = 0;         ///< rows of the pupils' heading at the top; 0 without it
    int titleRows = 0;          ///< rows of the title, under the pupils' heading
    int instructionRows = 0;    ///< rows of the instruction under the title; 0 without one
    int footerRows = 0;         ///< rows of the footer, the last of the page
    int blockColumns = 0;       ///< squares of a block across: product, sign, and the prova's cross
    int blockRows = 0;          ///< squares of a block down: one a row written, carries rows included
    int blocksAcross = 0;       ///< at least 1, even where a block is wider than the paper
    int blocksDown = 0;         ///< at least 1, even where a block is taller than the paper
    int perPage = kMaxPerPage;  ///< most operations a page holds as the options ask
    bool timesTable = false;    ///< the tavola pitagorica goes with the operations

    [[nodiscard]] int blocksPerPage() const { return blocksAcross * blocksDown; }
    /// Operations a page holds at most: as many as fit, or fewer where the options say.
    [[nodiscard]] int capacity() const { return std::min(blocksPerPage(), perPage); }
    /// Pages of operations a sheet of operations takes: at least 1.
    [[nodiscard]] int pagesFor(int operations) const;
    /// Index of the first of operations on page page (from 0) of pagesFor(operations):
    /// the operations spread evenly, the earlier pages holding one more where they must.
    [[nodiscard]] int firstOnPage(int page, int operations) const;
    /// Column and row of the top-left square of block i (0 to blocksPerPage() - 1) of a page.
    [[nodiscard]] QPoint blockAt(int i) const;
    /// Top-left square of the tavola pitagorica on a page of count operations: in the first
    /// free place, a square away from every block and its number; none where it does not fit.
    [[nodiscard]] std::optional<QPoint> tableAt(int count) const;
    /// True when the tavola pitagorica takes a page of its own before the operations:
    /// it goes with the operations but does not fit beside those of every page.
    [[nodiscard]] bool tableOnItsOwnPage(int operations) const;
};

/// Squares of the tavola pitagorica across and down: the 1-10 headings and 10 x 10 products.
inline constexpr int kTableSquares = 11;

/// Side of the squares of options (which must have some), twips: sizes no class uses are
/// taken as the nearest one that is.
[[nodiscard]] double squareSide(const PageOptions& options);

/// Where the squares of one operation's block stand, counted from its top-left square:
/// the columns of the product's digits (as many as both factors' digits) ending at the
/// units, the sign right of them, then a free square and the cross of the prova when
/// options show it; a row of column labels on top where options ask for them, then a row
/// for each row written, carries rows included when options show them. With decimals the
/// block is wide enough for the product without the zeros that end it written right of it,
/// "= 3,78", after a free square. Every operation of a sheet has the same block. A comma
/// takes no square: it sits on the line at the lower right of the square of the digit
/// before it.
class OperationSquares final {
public:
    OperationSquares(int multiplicandDigits, int multiplierDigits, const PageOptions& options, int productDecimals = 0);
    /// The squares of op alone: the rows it writes, which its conventions may make fewer.
    OperationSquares(const WorkedOperation& op, const PageOptions& options);

    /// Column and row of the square that cell stands in; row -1 for a row the block lacks
    /// (carries not shown). The product's comma stands in the square of the digit it follows.
    [[nodiscard]] QPoint squareOf(const Cell& cell) const;
    /// Row of the block that holds row, or -1.
    [[nodiscard]] int rowOf(RowRef row) const;
    /// Column of the units.
    [[nodiscard]] int unitsColumn() const { return digitColumns_ - 1; }
    [[nodiscard]] int digitColumns() const { return digitColumns_; }
    /// Squares across and down, the cross included when shown.
    [[nodiscard]] QSize size() const;
    /// Row of the column labels, at the top; -1 without them.
    [[nodiscard]] int labelsRow() const { return labels_ ? 0 : -1; }

private:
    std::vector<RowRef> rows_;
    int digitColumns_ = 0;
    int productDecimals_ = 0;
    bool prova_ = false;
    bool labels_ = false;
};

/// A black line of an operation's block, on the edges of its squares: a rule on the top
/// edge of row, from column count squares rightwards, or an upright on the left edge of
/// column, from row count squares down.
struct BlockLine {
    enum class Direction { Across, Down };
    Direction direction = Direction::Across;
    int column = 0;
    int row = 0;
    int count = 0;

    bool operator==(const BlockLine&) const = default;
};

/// What a block shows besides the digits, counted from its top-left square: the sign
/// right of the multiplicand and the one right of the multiplier, the rules under the
/// factors and over the product, and the cross of the prova when options show it.
struct BlockFrame {
    QPoint times;
    QPoint equals;
    std::vector<BlockLine> lines;
};

/// The frame of op in its squares.
[[nodiscard]] BlockFrame blockFrame(const WorkedOperation& op, const OperationSquares& squares,
                                    const PageOptions& options);

/// One operation alone on a grid of grid squares (across, down) of the size of options,
/// its block's top-left square at corner: what is written of it, drawn exactly as the
/// sheets' pages draw their operations.
[[nodiscard]] Page squaredOperationPage(const WorkedOperation& op, const Written& written, const PageOptions& options,
                                        QSize grid, QPoint corner);

/// The layout of kind of page of a sheet of multiplicandDigits x multiplierDigits operations
/// on the squares of options (which must have some) over a printable area of printableArea
/// twips; footer says whose sheet it is, for the heading and footer rows a long name needs.
/// Both kinds place the blocks alike; only pupils' pages have the tavola pitagorica. The
/// products have productDecimals decimals.
[[nodiscard]] SquaredLayout squaredLayout(int multiplicandDigits, int multiplierDigits, const PageOptions& options,
                                          QSizeF printableArea, PageKind kind = PageKind::Pupils,
                                          const SheetFooter& footer = {}, int productDecimals = 0);

/// Pages of kind that the first operations (or rows) of a sheet of code take, counted
/// without drawing them.
[[nodiscard]] int squaredPageCount(const SheetCode& code, int operations, PageKind kind, const PageOptions& options,
                                   QSizeF printableArea, const SheetFooter& footer = {});

/// The pages of kind of sheet on the squares of options (which must have some),
/// for a printable area of printableArea twips: the squares, the heading, the title and
/// the instruction, the operations of the sheet numbered in order, row by row, spread
/// evenly over the pages, and each page's footer; on pupils' pages the tavola pitagorica
/// where the options ask for it.
[[nodiscard]] std::vector<Page> squaredSheetPages(const Sheet& sheet, PageKind kind, const PageOptions& options,
                                                  QSizeF printableArea, const SheetFooter& footer);

}  // namespace virdamo::pages
