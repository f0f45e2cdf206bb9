#include "ui/lavagna.h"

#include "output/pdf_page.h"
#include "pages/squared_pages.h"
#include "texts/fonts.h"
#include "texts/step_captions.h"
#include "texts/texts.h"
#include "worksheet/sheet_code.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace virdamo::ui {

using namespace Qt::StringLiterals;

namespace {

/// Big enough that the design never fits a screen: the window opens as large as the screen allows.
constexpr float kDesignWidth = 40.0F * layout::kTwipsPerInch;
constexpr float kDesignHeight = 24.0F * layout::kTwipsPerInch;

const QColor kSurround(226, 230, 236);
const QColor kPaper(Qt::white);
/// What a step reads and writes: a strong yellow, seen from the back of a classroom.
const QColor kRead(255, 212, 0);
/// The square whose digit the pupil is to type.
const QColor kAwaited(125, 195, 255);
const QColor kAwaitedEdge(0, 90, 200);
const QColor kWrongFill(255, 160, 160);
const QColor kWrongDigit(200, 0, 0);
constexpr int kFlashMs = 700;

/// The board shows the carries and the cross, on squares drawn as the sheets' pages draw them.
const pages::PageOptions kOnTheBoard{10.0, true, true, false};

const texts::FontSpec kWindowFont{u"Verdana"_s, 12.0, true, false};

bool isCarry(const Cell& cell)
{
    const auto* square = std::get_if<Square>(&cell);
    return square && square->row.ofCarries();
}

/// The caption's font is this part of the window's height.
constexpr int kCaptionParts = 21;

/// Pixels of a font of the window's height, never below least.
int scaled(int height, int parts, int least)
{
    return std::max(least, height / parts);
}

}  // namespace

/// The operation on squares: what is written, what the step reads and writes in colour
/// behind its digits and, in "Prova tu", the awaited square and a wrong key's flash.
///
/// A step repaints only the squares it changes: its digits are drawn as outlines, too
/// large for the glyph cache, and drawing a whole board at 1920 x 1080 for each step took
/// most of its time. What a step leaves alone stays as the window holds it.
class Lavagna::Board final : public QWidget {
public:
    explicit Board(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(u"lavagna"_s);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    /// Called with the square of the block a touch or a click falls in.
    void onTouch(std::function<void(QPoint)> touched) { touched_ = std::move(touched); }

    void setOperation(const WorkedOperation& op)
    {
        op_ = op;
        squares_.emplace(op, kOnTheBoard);
        page_.reset();
    }

    void show(const Written& written, std::vector<Cell> highlighted, std::optional<Cell> awaited)
    {
        const Geometry g = geometry();
        pages::Page page = pages::squaredOperationPage(op_, written, kOnTheBoard, g.grid, g.corner);
        QRegion changed;
        if (page_ && pageGrid_ == g.grid) {
            changed += pageChanges(*page_, page, g);
            for (const Cell& cell : highlighted_) {
                if (std::find(highlighted.begin(), highlighted.end(), cell) == highlighted.end()) {
                    changed += squareArea(cell, g);
                }
            }
            for (const Cell& cell : highlighted) {
                if (std::find(highlighted_.begin(), highlighted_.end(), cell) == highlighted_.end()) {
                    changed += squareArea(cell, g);
                }
            }
            if (awaited_ != awaited) {
                if (awaited_) changed += squareArea(*awaited_, g);
                if (awaited) changed += squareArea(*awaited, g);
            }
            if (wrong_) changed += squareArea(wrong_->cell, g);
        } else {
            changed = rect();
        }
        written_ = written;
        highlighted_ = std::move(highlighted);
        awaited_ = awaited;
        wrong_.reset();
        page_ = std::move(page);
        pageGrid_ = g.grid;
        update(changed);
    }

    void flashWrong(const Cell& cell, int digit)
    {
        wrong_ = {cell, digit};
        update(squareArea(cell, geometry()));
    }

    void endFlash()
    {
        if (!wrong_) return;
        update(squareArea(wrong_->cell, geometry()));
        wrong_.reset();
    }

    /// Side of a square, pixels.
    [[nodiscard]] int squarePixels() const { return geometry().square; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        page_.reset();
        QWidget::resizeEvent(event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        const Geometry g = geometry();
        if (!page_ || pageGrid_ != g.grid) {
            page_ = pages::squaredOperationPage(op_, written_, kOnTheBoard, g.grid, g.corner);
            pageGrid_ = g.grid;
        }
        // Only what reaches the squares to repaint is drawn: the painter is clipped to
        // them, and digits away from them are not even outlined.
        const QRegion& dirty = event->region();
        pages::Page lines;
        for (const pages::PlacedLine& line : page_->lines) {
            if (dirty.intersects(lineArea(line, g))) lines.lines.push_back(line);
        }
        QPainter painter(this);
        painter.fillRect(rect(), kSurround);
        painter.fillRect(QRect(g.origin, g.grid * g.square), kPaper);
        // The page is in twips, which drawPage turns into the device's units; one scale on
        // top makes its squares the board's.
        painter.translate(g.origin);
        painter.scale(g.square / g.squareUnits, g.square / g.squareUnits);
        const auto box = [&](const Cell& cell) {
            const QPoint at = g.corner + squares_->squareOf(cell);
            return QRectF(at.x() * g.squareUnits, at.y() * g.squareUnits, g.squareUnits, g.squareUnits);
        };
        for (const Cell& cell : highlighted_) painter.fillRect(box(cell), kRead);
        if (wrong_) {
            // No edge: a carry stands high in its square, where the edge would cross it.
            painter.fillRect(box(wrong_->cell), kWrongFill);
        } else if (awaited_) {
            painter.fillRect(box(*awaited_), kAwaited);
            const double edge = g.squareUnits * 0.08;
            painter.setPen(QPen(kAwaitedEdge, edge));
            painter.drawRect(box(*awaited_).adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2));
        }
        output::drawPage(painter, lines);
        // A digit is drawn as its outline, and an outline is rasterised in bands that each
        // go over all the outlines drawn together: drawn on its own, a digit costs the
        // bands of its own square, not those of the whole board.
        pages::Page one;
        for (const pages::PlacedText& text : page_->texts) {
            if (!dirty.intersects(textArea(text, g))) continue;
            one.texts.assign(1, text);
            output::drawPage(painter, one);
        }
        if (wrong_) drawWrongDigit(painter, box(wrong_->cell), g.squareUnits);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const Geometry g = geometry();
        const QPoint pixel = event->position().toPoint() - g.origin;
        if (touched_ && pixel.x() >= 0 && pixel.y() >= 0) {
            touched_(QPoint(pixel.x() / g.square, pixel.y() / g.square) - g.corner);
        }
        event->accept();
    }

private:
    struct Geometry {
        int square = 1;             ///< pixels
        QPoint origin;              ///< of the grid, pixels
        QSize grid;                 ///< squares
        QPoint corner;              ///< the block's top-left square
        double squareUnits = 1;     ///< device units of a square of the page, before the board's scale
        double pixelsPerTwipX = 1;  ///< board pixels of a twip of the page, across
        double pixelsPerTwipY = 1;  ///< and down
    };

    /// The largest squares that hold the block, a free column on either side; the grid
    /// fills the board around it in whole squares.
    [[nodiscard]] Geometry geometry() const
    {
        Geometry g;
        const QSize block = squares_ ? squares_->size() : QSize(1, 1);
        // The product's comma hangs below its row: a decimal operation keeps a row free under it.
        const int rows = block.height() + (op_.hasDecimals() ? 1 : 0);
        g.square = std::max(1, std::min(width() / (block.width() + 2), height() / rows));
        g.grid = QSize(width() / g.square, height() / g.square);
        g.corner = QPoint((g.grid.width() - block.width()) / 2, (g.grid.height() - block.height()) / 2);
        g.origin = QPoint((width() - g.grid.width() * g.square) / 2, (height() - g.grid.height() * g.square) / 2);
        g.squareUnits = pages::squareSide(kOnTheBoard) * logicalDpiX() / layout::kTwipsPerInch;
        // As drawPage places the page's twips on the device, then the board's scale.
        g.pixelsPerTwipX = logicalDpiX() / static_cast<double>(layout::kTwipsPerInch) * g.square / g.squareUnits;
        g.pixelsPerTwipY = logicalDpiY() / static_cast<double>(layout::kTwipsPerInch) * g.square / g.squareUnits;
        return g;
    }

    /// Pixels a digit or sign may ink around its box: a glyph centred in its square keeps
    /// well inside it, and the edge's antialiasing takes one more.
    [[nodiscard]] static int inkMargin(const Geometry& g) { return g.square / 4 + 2; }

    [[nodiscard]] static QRect pixelsOf(const QRectF& twips, const Geometry& g)
    {
        return QRectF(g.origin.x() + twips.x() * g.pixelsPerTwipX, g.origin.y() + twips.y() * g.pixelsPerTwipY,
                      twips.width() * g.pixelsPerTwipX, twips.height() * g.pixelsPerTwipY)
            .toAlignedRect();
    }

    /// The pixels a text of the page may ink.
    [[nodiscard]] static QRect textArea(const pages::PlacedText& text, const Geometry& g)
    {
        const int m = inkMargin(g);
        return pixelsOf(QRectF(text.topLeft, text.box), g).adjusted(-m, -m, m, m);
    }

    /// The pixels a line of the page may ink.
    [[nodiscard]] static QRect lineArea(const pages::PlacedLine& line, const Geometry& g)
    {
        const int m = static_cast<int>(line.width * g.pixelsPerTwipY / 2.0) + 2;
        return pixelsOf(QRectF(line.from, line.to).normalized(), g).adjusted(-m, -m, m, m);
    }

    /// The pixels of cell's square and of whatever its digit may ink around it.
    [[nodiscard]] QRect squareArea(const Cell& cell, const Geometry& g) const
    {
        const QPoint at = g.origin + (g.corner + squares_->squareOf(cell)) * g.square;
        const int m = inkMargin(g);
        return QRect(at, QSize(g.square, g.square)).adjusted(-m, -m, m, m);
    }

    /// The pixels where before and after differ: each text and line that one has and the other lacks.
    [[nodiscard]] static QRegion pageChanges(const pages::Page& before, const pages::Page& after, const Geometry& g)
    {
        QRegion changed;
        const auto lacks = [](const auto& items, const auto& item) {
            return std::find(items.begin(), items.end(), item) == items.end();
        };
        for (const pages::PlacedText& text : before.texts) {
            if (lacks(after.texts, text)) changed += textArea(text, g);
        }
        for (const pages::PlacedText& text : after.texts) {
            if (lacks(before.texts, text)) changed += textArea(text, g);
        }
        for (const pages::PlacedLine& line : before.lines) {
            if (lacks(after.lines, line)) changed += lineArea(line, g);
        }
        for (const pages::PlacedLine& line : after.lines) {
            if (lacks(before.lines, line)) changed += lineArea(line, g);
        }
        return changed;
    }

    /// The wrong key in red where the awaited digit goes, as large as a digit or a carry there.
    void drawWrongDigit(QPainter& painter, QRectF square, double squareUnits) const
    {
        const bool carry = isCarry(wrong_->cell);
        QFont font = texts::printFont(u"Courier New"_s, 10.0F);
        font.setPixelSize(std::max(1, static_cast<int>(squareUnits * (carry ? 0.65 : 1.0))));
        if (carry) square.setHeight(square.height() / 2.0);
        // Centred as the page centres its digits: by the advance, and by the height of digits.
        const QString text = wrong_->digit == kDash ? u"-"_s : QString::number(wrong_->digit);
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.setPen(kWrongDigit);
        painter.drawText(QPointF(square.center().x() - metrics.horizontalAdvance(text) / 2.0,
                                 square.center().y() + metrics.capHeight() / 2.0),
                         text);
    }

    struct WrongKey {
        Cell cell;
        int digit = 0;
    };

    WorkedOperation op_;
    std::optional<pages::OperationSquares> squares_;
    std::function<void(QPoint)> touched_;
    Written written_;
    std::vector<Cell> highlighted_;
    std::optional<Cell> awaited_;
    std::optional<WrongKey> wrong_;
    std::optional<pages::Page> page_;
    QSize pageGrid_;
};

bool Lavagna::canWorkOut(std::int32_t multiplicand, std::int32_t multiplier, int multiplicandDecimals,
                         int multiplierDecimals)
{
    if (multiplicand < 10 || multiplicand > 9999 || multiplier < 1 || multiplier > 999) {
        return false;
    }
    SheetCode shape;
    shape.multiplicandDigits = static_cast<int>(std::to_string(multiplicand).size());
    shape.multiplierDigits = static_cast<int>(std::to_string(multiplier).size());
    shape.multiplicandDecimals = multiplicandDecimals;
    shape.multiplierDecimals = multiplierDecimals;
    return shape.decimalsFit();
}

Lavagna::Lavagna(std::int32_t multiplicand, std::int32_t multiplier, OperationSource another,
                 const Conventions& conventions, int multiplicandDecimals, int multiplierDecimals)
    : Form(forms::FormDesign{texts::kLavagnaTitle, kDesignWidth, kDesignHeight, kSurround, kWindowFont})
    , another_(std::move(another))
    , conventions_(conventions)
{
    // The keys go to the window: no button takes the focus, so that Space and Return step
    // on instead of pressing the button last touched.
    setFocusPolicy(Qt::StrongFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(4);

    caption_ = new QLabel(this);
    caption_->setObjectName(u"didascalia"_s);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    caption_->setFont(texts::makeFont({u"Verdana"_s, 12.0, false, false}));
    column->addWidget(caption_);

    auto* middle = new QHBoxLayout;
    board_ = new Board(this);
    middle->addWidget(board_, 1);
    keypad_ = new QWidget(this);
    auto* keys = new QGridLayout(keypad_);
    keys->setContentsMargins(0, 0, 0, 0);
    for (int d = 0; d <= 9; ++d) {
        auto* key = new QPushButton(QString::number(d), keypad_);
        key->setObjectName(u"cifra%1"_s.arg(d));
        key->setFocusPolicy(Qt::NoFocus);
        key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(key, &QPushButton::clicked, this, [this, d] { typeDigit(d); });
        // The telephone's order: 7 8 9 at the top, 0 at the bottom, beside the dash where
        // the class writes dashes.
        if (d == 0) {
            keys->addWidget(key, 3, 0, 1, conventions_.emptyPlaces == EmptyPlaces::Dash ? 2 : 3);
        } else {
            keys->addWidget(key, 2 - (d - 1) / 3, (d - 1) % 3);
        }
        digits_[static_cast<std::size_t>(d)] = key;
    }
    if (conventions_.emptyPlaces == EmptyPlaces::Dash) {
        auto* dash = new QPushButton(u"-"_s, keypad_);
        dash->setObjectName(u"trattino"_s);
        dash->setFocusPolicy(Qt::NoFocus);
        dash->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(dash, &QPushButton::clicked, this, [this] { typeDigit(kDash); });
        keys->addWidget(dash, 3, 2);
    }
    keypad_->hide();
    middle->addWidget(keypad_);
    column->addLayout(middle, 1);

    buildCommands(*column);
    flash_ = new QTimer(this);
    flash_->setSingleShot(true);
    flash_->setInterval(kFlashMs);
    connect(flash_, &QTimer::timeout, this, [this] { board_->endFlash(); });

    board_->onTouch([this](QPoint at) {
        const QPoint product = pages::OperationSquares(op_, kOnTheBoard).squareOf(Square{{WorkedRow::Product, 0}, 0});
        if (at.y() == product.y()) touchSquare(Square{{WorkedRow::Product, 0}, product.x() - at.x()});
    });
    workOut(multiplicand, multiplier, multiplicandDecimals, multiplierDecimals);
}

Lavagna::~Lavagna() = default;

void Lavagna::buildCommands(QBoxLayout& column)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    column.addLayout(row);
    back_ = addCommand(texts::kStepBack, texts::kStepBackTip, &Lavagna::showPreviousStep);
    back_->setObjectName(u"indietro"_s);
    forward_ = addCommand(texts::kStepForward, texts::kStepForwardTip, &Lavagna::showNextStep);
    forward_->setObjectName(u"avanti"_s);
    whole_ = addCommand(texts::kWholeOperation, texts::kWholeOperationTip, &Lavagna::showWholeOperation);
    whole_->setObjectName(u"tutto"_s);
    addCommand(texts::kFromTheStart, texts::kFromTheStartTip, &Lavagna::startOver)->setObjectName(u"daCapo"_s);
    addCommand(texts::kAnotherOperation, texts::kAnotherOperationTip, &Lavagna::drawAnotherOperation)
        ->setObjectName(u"nuova"_s);
    tries_ = addCommand(texts::kPupilTries, texts::kPupilTriesTip, &Lavagna::togglePupilTrying);
    tries_->setObjectName(u"provaTu"_s);
    tries_->setCheckable(true);
    addCommand(texts::kClose, texts::kCloseTip, &Lavagna::unload)->setObjectName(u"chiudi"_s);
    for (QPushButton* command : commands_) row->addWidget(command, 1);
}

QPushButton* Lavagna::addCommand(const QString& text, const QString& tip, void (Lavagna::*command)())
{
    auto* button = new QPushButton(text, this);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(button, &QPushButton::clicked, this, [this, command] { (this->*command)(); });
    commands_.push_back(button);
    return button;
}

void Lavagna::workOut(std::int32_t multiplicand, std::int32_t multiplier, int multiplicandDecimals,
                      int multiplierDecimals)
{
    op_ = virdamo::workOut(multiplicand, multiplier, conventions_, multiplicandDecimals, multiplierDecimals);
    steps_ = stepsOf(op_);
    captions_ = texts::captionsOf(steps_);
    board_->setOperation(op_);
    showTeacherStep(0);
}

std::size_t Lavagna::step() const
{
    return attempt_ ? attempt_->step() : step_;
}

const Written& Lavagna::written() const
{
    return attempt_ ? attempt_->written() : steps_[step_].written;
}

QString Lavagna::caption() const
{
    return captionText_;
}

int Lavagna::squarePixels() const
{
    return board_->squarePixels();
}

void Lavagna::showNextStep()
{
    if (!attempt_ && step_ + 1 < steps_.size()) showTeacherStep(step_ + 1);
}

void Lavagna::showPreviousStep()
{
    if (!attempt_ && step_ > 0) showTeacherStep(step_ - 1);
}

void Lavagna::showWholeOperation()
{
    if (!attempt_) showTeacherStep(steps_.size() - 1);
}

void Lavagna::startOver()
{
    showTeacherStep(0);
}

void Lavagna::drawAnotherOperation()
{
    if (!another_) return;
    const auto [multiplicand, multiplier] = another_();
    workOut(multiplicand, multiplier, op_.multiplicandDecimals, op_.multiplierDecimals);
}

void Lavagna::togglePupilTrying()
{
    if (attempt_) {
        // Back to the teacher at the last step the pupil finished.
        const std::size_t reached = attempt_->step();
        showTeacherStep(reached == 0 ? 0 : std::min(reached, steps_.size()) - 1);
        return;
    }
    attempt_.emplace(steps_);
    showAttempt();
}

void Lavagna::typeDigit(int digit)
{
    if (!attempt_ || attempt_->done()) return;
    const Cell awaited = *attempt_->awaitedCell();
    if (attempt_->type(digit)) {
        flash_->stop();
        showAttempt();
        return;
    }
    board_->flashWrong(awaited, digit);
    flash_->start();
    setCaption(texts::hintText(steps_[attempt_->step()].caption));
}

void Lavagna::touchSquare(const Square& square)
{
    if (!attempt_ || attempt_->done() || !std::holds_alternative<DecimalPoint>(*attempt_->awaitedCell())) return;
    if (square.row == RowRef{WorkedRow::Product, 0} && square.column >= 0 && square.column < op_.productDigits) {
        typeDigit(square.column);
    }
}

void Lavagna::toggleFullScreen()
{
    setWindowState(windowState() ^ Qt::WindowFullScreen);
}

void Lavagna::showTeacherStep(std::size_t step)
{
    attempt_.reset();
    flash_->stop();
    step_ = step;
    const Step& shown = steps_[step];
    board_->show(shown.written, shown.highlighted, std::nullopt);
    setCaption(captions_.at(static_cast<qsizetype>(step)));
    enableCommands();
}

void Lavagna::showAttempt()
{
    if (attempt_->done()) {
        board_->show(attempt_->written(), {}, std::nullopt);
        const int right = attempt_->rightAtFirstTry();
        setCaption(right == 1 ? texts::kWellDoneOneRight.arg(attempt_->keys())
                              : texts::kWellDone.arg(right).arg(attempt_->keys()));
        enableCommands();
        return;
    }
    const Step& step = steps_[attempt_->step()];
    const Cell awaited = *attempt_->awaitedCell();
    // What the step reads and the keys typed so far; the cells of the keys still to come
    // stay plain, so that nothing tells whether a carry follows.
    const auto next =
        std::find_if(step.keys.begin(), step.keys.end(), [&](const ExpectedKey& key) { return key.cell == awaited; });
    std::vector<Cell> highlighted;
    for (const Cell& cell : step.highlighted) {
        if (std::none_of(next, step.keys.end(), [&](const ExpectedKey& key) { return key.cell == cell; })) {
            highlighted.push_back(cell);
        }
    }
    board_->show(attempt_->written(), std::move(highlighted), awaited);
    setCaption(std::holds_alternative<DecimalPoint>(awaited) ? texts::kTypeComma
                   : isCarry(awaited)                        ? texts::kTypeCarry
                                                             : texts::kTypeDigit);
    enableCommands();
}

void Lavagna::enableCommands()
{
    const bool teacher = !attempt_;
    const bool more = step_ + 1 < steps_.size();
    back_->setEnabled(teacher && step_ > 0);
    forward_->setEnabled(teacher && more);
    whole_->setEnabled(teacher && more);
    tries_->setChecked(!teacher);
    keypad_->setVisible(!teacher && !attempt_->done());
}

void Lavagna::setCaption(const QString& text)
{
    captionText_ = text;
    fitCaption();
}

void Lavagna::fitCaption()
{
    // As large as the window allows, smaller only for a line that would not fit.
    QFont font = caption_->font();
    const int largest = scaled(height(), kCaptionParts, 16);
    font.setPixelSize(largest);
    const int room = width() - 40;
    const int advance = QFontMetrics(font).horizontalAdvance(captionText_);
    if (advance > room && room > 0) font.setPixelSize(std::max(10, largest * room / advance));
    caption_->setFont(font);
    caption_->setText(captionText_);
}

void Lavagna::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
}

void Lavagna::Form_Resize()
{
    // The operation takes what the caption and the commands leave of the height: at
    // 1080 pixels, squares of 93 and digits over 60 pixels high.
    const int h = height();
    caption_->setFixedHeight(scaled(h, kCaptionParts, 16) * 5 / 4);
    fitCaption();
    // The commands share the width: their font shrinks for the longest caption to fit.
    QFont commandFont = font();
    const int largest = scaled(h, 36, 12);
    commandFont.setPixelSize(largest);
    const int room = width() / static_cast<int>(commands_.size()) - 24;
    int longest = 0;
    for (QPushButton* command : commands_) {
        longest = std::max(longest, QFontMetrics(commandFont).horizontalAdvance(command->text()));
    }
    if (longest > room && room > 0) commandFont.setPixelSize(std::max(8, largest * room / longest));
    for (QPushButton* command : commands_) {
        command->setFont(commandFont);
        command->setFixedHeight(scaled(h, 16, 32));
    }
    QFont digitFont = font();
    digitFont.setPixelSize(scaled(h, 18, 14));
    for (QPushButton* key : digits_) key->setFont(digitFont);
    keypad_->setFixedWidth(scaled(h, 8, 40) * 3);
}

void Lavagna::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Minus) {
        typeDigit(kDash);
        return;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        typeDigit(key - Qt::Key_0);
        return;
    }
    switch (key) {
    // A presenter's clicker sends Page Down and Page Up for its two buttons.
    case Qt::Key_Left:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace: showPreviousStep(); break;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: showNextStep(); break;
    case Qt::Key_End: showWholeOperation(); break;
    case Qt::Key_Home: startOver(); break;
    case Qt::Key_N: drawAnotherOperation(); break;
    case Qt::Key_P: togglePupilTrying(); break;
    case Qt::Key_F11: toggleFullScreen(); break;
    case Qt::Key_Escape: unload(); break;
    default: Form::keyPressEvent(event); return;
    }
    event->accept();
}

}  // namespace virdamo::ui
