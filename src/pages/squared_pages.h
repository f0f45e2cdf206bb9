#pragma once

#include "pages/page.h"
#include "pages/page_options.h"
#include "worksheet/steps.h"

#include <QPoint>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <vector>

namespace virdamo {
struct Sheet;
}

namespace virdamo::pages {

/// Where the operations of a sheet stand on squared paper: in blocks of one size for the
/// whole sheet, in a regular grid with one free square between neighbours, from the second
/// column, under the heading rows and above a free row and the footer row, the last whole
/// row. Squares are counted from the top-left corner of the printable area. Pupils' and
/// solution pages share the layout, so each operation has the same squares on both.
struct SquaredLayout {
    double square = 0.0;   ///< side of a square, twips
    int columns = 0;       ///< whole squares across the printable area
    int rows = 0;          ///< whole squares down the printable area
    int pupilsRows = 0;    ///< rows of the pupils' heading at the top; 0 without it
    int titleRows = 0;     ///< rows of "SCHEDA VIRDAMO", under the pupils' heading
    int blockColumns = 0;  ///< squares of a block across: product, sign, and the prova's cross
    int blockRows = 0;     ///< squares of a block down: one a row written, carries rows included
    int blocksAcross = 0;  ///< at least 1, even where a block is wider than the paper
    int blocksDown = 0;    ///< at least 1, even where a block is taller than the paper

    [[nodiscard]] int blocksPerPage() const { return blocksAcross * blocksDown; }
    /// Pages a sheet of operations takes.
    [[nodiscard]] int pagesFor(int operations) const { return (operations + blocksPerPage() - 1) / blocksPerPage(); }
    /// Column and row of the top-left square of block i (0 to blocksPerPage() - 1) of a page.
    [[nodiscard]] QPoint blockAt(int i) const;
};

/// Side of the squares of options (which must have some), twips: sizes no class uses are
/// taken as the nearest one that is.
[[nodiscard]] double squareSide(const PageOptions& options);

/// Where the squares of one operation's block stand, counted from its top-left square:
/// the columns of the product's digits (as many as both factors' digits) ending at the
/// units, the sign right of them, then a free square and the cross of the prova when
/// options show it; a row for each row written, carries rows included when options show
/// them. Every operation of a sheet has the same block.
class OperationSquares final {
public:
    OperationSquares(int multiplicandDigits, int multiplierDigits, const PageOptions& options);
    /// The squares of op alone: the rows it writes, which its conventions may make fewer.
    OperationSquares(const WorkedOperation& op, const PageOptions& options);

    /// Column and row of the square that cell stands in; row -1 for a row the block lacks
    /// (carries not shown).
    [[nodiscard]] QPoint squareOf(const Cell& cell) const;
    /// Row of the block that holds row, or -1.
    [[nodiscard]] int rowOf(RowRef row) const;
    /// Column of the units.
    [[nodiscard]] int unitsColumn() const { return digitColumns_ - 1; }
    [[nodiscard]] int digitColumns() const { return digitColumns_; }
    /// Squares across and down, the cross included when shown.
    [[nodiscard]] QSize size() const;

private:
    std::vector<RowRef> rows_;
    int digitColumns_ = 0;
    bool prova_ = false;
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

/// The layout of a sheet of multiplicandDigits x multiplierDigits operations on the squares
/// of options (which must have some) over a printable area of printableArea twips.
[[nodiscard]] SquaredLayout squaredLayout(int multiplicandDigits, int multiplierDigits, const PageOptions& options,
                                          QSizeF printableArea);

/// The pages of kind of sheet on the squares of options (which must have some),
/// for a printable area of printableArea twips: the squares, the heading, the operations of
/// the sheet in order, row by row, and each page's footer.
[[nodiscard]] std::vector<Page> squaredSheetPages(const Sheet& sheet, PageKind kind, const PageOptions& options,
                                                  QSizeF printableArea, const SheetFooter& footer);

}  // namespace virdamo::pages
