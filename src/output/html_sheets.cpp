#include "output/html_sheets.h"

#include "pages/squared_pages.h"
#include "texts/step_captions.h"
#include "texts/texts.h"
#include "worksheet/sheet.h"
#include "worksheet/steps.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <future>
#include <iterator>
#include <optional>
#include <utility>
#include <variant>

namespace virdamo::output {

using namespace Qt::StringLiterals;

namespace {

/// The place the sheets' data takes in the page's template.
constexpr char kDataPlace[] = "<!--SHEETS-->";

/// Builds the data as JSON text: a class set holds a few hundred thousand values, which a
/// document object would copy about for nothing.
class Json final {
public:
    void text(const QString& value)
    {
        out_ += '"';
        for (const char c : value.toUtf8()) {
            switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            default: out_ += c;
            }
        }
        out_ += '"';
    }
    void number(int value)
    {
        char digits[12];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
        out_.append(digits, end - digits);
    }
    void key(const char* name)
    {
        separate();
        out_ += '"';
        out_ += name;
        out_ += "\":";
        first_ = true;
    }
    void open(char bracket)
    {
        separate();
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket)
    {
        out_ += bracket;
        first_ = false;
    }
    /// The next value of the array or object open, after a comma unless it is the first.
    void separate()
    {
        if (!first_) out_ += ',';
        first_ = false;
    }
    void element(int value)
    {
        separate();
        number(value);
    }
    void element(const QString& value)
    {
        separate();
        text(value);
    }
    void element(const char* literal)
    {
        separate();
        out_ += '"';
        out_ += literal;
        out_ += '"';
    }
    void point(QPoint p)
    {
        open('[');
        element(p.x());
        element(p.y());
        close(']');
    }
    [[nodiscard]] const QByteArray& bytes() const { return out_; }

private:
    QByteArray out_;
    bool first_ = true;
};

/// The kinds of cell, as the page's kCellKinds names them in this order.
enum class CellKind { Square, Carry, Prova, Comma };

/// The cells one operation's steps write, each numbered once in the order first met,
/// where the page lays them: a square of a row shown, or a box of the cross. Cells the
/// sheet does not show (carries rows, or the cross, it leaves out) have no number.
class OperationCells final {
public:
    OperationCells(const WorkedOperation& op, const pages::PageOptions& options)
        : squares_(op, options)
        , prova_(options.provaShown())
        , numbers_(static_cast<std::size_t>(squares_.size().width() * squares_.size().height()), -1)
    {
    }

    [[nodiscard]] const pages::OperationSquares& squares() const { return squares_; }

    std::optional<int> numberOf(const Cell& cell)
    {
        if (std::holds_alternative<DecimalPoint>(cell)) {
            // The comma's place shares its square with a digit of the product: a cell of its own.
            if (!comma_) {
                comma_ = static_cast<int>(cells_.size());
                cells_.push_back(cell);
            }
            return comma_;
        }
        const QPoint at = squares_.squareOf(cell);
        if (std::holds_alternative<ProvaBox>(cell) ? !prova_ : at.y() < 0) return std::nullopt;
        // A cell has a square of its own: the square finds its number.
        const int square = at.y() * squares_.size().width() + at.x();
        int& number = numbers_[static_cast<std::size_t>(square)];
        if (number < 0) {
            number = static_cast<int>(cells_.size());
            cells_.push_back(cell);
        }
        return number;
    }

    /// Kind, column and row of each numbered cell, one after the other. The kinds are those
    /// of kCellKinds: a square of carries, written small, is a "carry"; the comma's place in
    /// the product, the square of the digit it follows, a "comma". Numbers keep the data
    /// small: the page names the kinds again as it reads them.
    void write(Json& json) const
    {
        json.open('[');
        for (const Cell& cell : cells_) {
            const auto* square = std::get_if<Square>(&cell);
            CellKind kind = CellKind::Prova;
            if (std::holds_alternative<DecimalPoint>(cell)) {
                kind = CellKind::Comma;
            } else if (square) {
                kind = square->row.ofCarries() ? CellKind::Carry : CellKind::Square;
            }
            const QPoint at = squares_.squareOf(cell);
            json.element(static_cast<int>(kind));
            json.element(at.x());
            json.element(at.y());
        }
        json.close(']');
    }

private:
    pages::OperationSquares squares_;
    bool prova_ = false;
    std::vector<int> numbers_;  ///< of each square of the block, row by row; -1 for none
    std::optional<int> comma_;  ///< of the product's comma
    std::vector<Cell> cells_;
};

/// One operation of a sheet as the page shows it: its cells, and its steps that have a key
/// to type with what the teacher says of each once done and what a pupil is told after a
/// wrong key.
struct PageOperation {
    const WorkedOperation* op = nullptr;
    OperationCells cells;
    std::vector<Step> all;
    std::vector<const Step*> steps;  ///< those of all with a key to type
    QStringList said;
    QStringList hints;
};

PageOperation pageOperation(const WorkedOperation& op, const pages::PageOptions& options)
{
    PageOperation page{&op, OperationCells(op, options), {}, {}, {}, {}};
    // The factors' squares first: the cells' numbers follow the rows from the top.
    for (const WrittenDigit& d : Written::factorsOf(op).digits) (void)page.cells.numberOf(Square{d.row, d.column});
    page.all = stepsOf(op);
    const std::vector<Step>& steps = page.all;
    const QStringList said = texts::captionsOf(steps);
    for (std::size_t s = 0; s < steps.size(); ++s) {
        const bool typed = std::any_of(steps[s].keys.begin(), steps[s].keys.end(),
                                       [&](const ExpectedKey& key) { return page.cells.numberOf(key.cell); });
        if (!typed) continue;
        // Every cell numbered now: the cells are written before the steps that use them.
        for (const Cell& cell : steps[s].highlighted) (void)page.cells.numberOf(cell);
        for (const ExpectedKey& key : steps[s].keys) (void)page.cells.numberOf(key.cell);
        page.steps.push_back(&steps[s]);
        page.said << said.at(static_cast<qsizetype>(s));
        page.hints << texts::hintText(steps[s].caption);
    }
    return page;
}

/// The cell and the digit of each key whose cell the sheet shows, one after the other.
void writeKeys(Json& json, OperationCells& cells, const std::vector<ExpectedKey>& keys)
{
    json.open('[');
    for (const ExpectedKey& key : keys) {
        const std::optional<int> cell = cells.numberOf(key.cell);
        if (!cell) continue;
        json.element(*cell);
        json.element(key.digit);
    }
    json.close(']');
}

/// Where its squares, frame and factors stand.
void writeGeometry(Json& json, int number, PageOperation& page, const pages::PageOptions& options)
{
    const WorkedOperation& op = *page.op;
    const pages::OperationSquares& squares = page.cells.squares();
    json.open('{');
    json.key("number");
    json.element(number);
    json.key("factors");
    json.element(QString::fromStdString(decimalText(op.multiplicand, op.multiplicandDecimals)) + u" × "_s
                 + QString::fromStdString(decimalText(op.multiplier, op.multiplierDecimals)));
    json.key("size");
    json.point({squares.size().width(), squares.size().height()});
    json.key("units");
    json.element(squares.unitsColumn());
    const pages::BlockFrame frame = pages::blockFrame(op, squares, options);
    json.key("times");
    json.point(frame.times);
    json.key("equals");
    json.point(frame.equals);
    // The factors' commas, each after the square of its digit, as on paper.
    json.key("commas");
    json.open('[');
    const std::pair<WorkedRow, int> factorCommas[] = {{WorkedRow::Multiplicand, op.multiplicandDecimals},
                                                      {WorkedRow::Multiplier, op.multiplierDecimals}};
    for (const auto& [row, decimals] : factorCommas) {
        if (decimals > 0) {
            json.point(squares.squareOf(Square{{row, 0}, decimals}));
        }
    }
    json.close(']');
    json.key("lines");
    json.open('[');
    // Direction (0 across, 1 down), column, row and length of each, one after the other.
    for (const pages::BlockLine& line : frame.lines) {
        json.element(line.direction == pages::BlockLine::Direction::Across ? 0 : 1);
        json.element(line.column);
        json.element(line.row);
        json.element(line.count);
    }
    json.close(']');
    json.key("written");
    std::vector<ExpectedKey> factors;
    for (const WrittenDigit& d : Written::factorsOf(op).digits) factors.push_back({Square{d.row, d.column}, d.digit});
    writeKeys(json, page.cells, factors);
    json.key("cells");
    page.cells.write(json);
    json.close('}');
}

/// The words of the page that the program says elsewhere too.
void writeTexts(Json& json)
{
    const std::pair<const char*, const QString*> said[] = {
        {"typeDigit", &texts::kTypeDigit},
        {"typeCarry", &texts::kTypeCarry},
        {"typeComma", &texts::kTypeComma},
        {"wellDone", &texts::kWellDone},
        {"wellDoneOneRight", &texts::kWellDoneOneRight},
    };
    json.open('{');
    for (const auto& [name, text] : said) {
        json.key(name);
        json.element(*text);
    }
    json.close('}');
}

/// One column of the steps: of each operation, what column writes of each of its steps.
template <typename Column>
void writeStepColumn(Json& json, const char* name, std::vector<PageOperation>& operations, Column column)
{
    json.key(name);
    json.open('[');
    for (PageOperation& page : operations) {
        json.open('[');
        for (std::size_t s = 0; s < page.steps.size(); ++s) column(page, s);
        json.close(']');
    }
    json.close(']');
}

/// The data: the words every step says, once each, in alphabetical order; the sheets, with
/// the first of their operations and how many; the operations of every sheet in turn; their
/// steps column by column. Like with like, the data packs into a quarter of what the same
/// written operation by operation does.
QByteArray sheetsData(const std::vector<PageSheet>& sheets, const pages::PageOptions& options)
{
    std::vector<const WorkedOperation*> worked;
    for (const PageSheet& sheet : sheets) {
        for (const WorkedOperation& op : sheet.sheet.operations) worked.push_back(&op);
    }
    // Working the steps out and wording them is most of the work, and each operation's is its
    // own: the second half goes to a second thread.
    const auto workedOut = [&](std::size_t from, std::size_t to) {
        std::vector<PageOperation> pages;
        pages.reserve(to - from);
        for (std::size_t i = from; i < to; ++i) pages.push_back(pageOperation(*worked[i], options));
        return pages;
    };
    const std::size_t half = worked.size() / 2;
    std::future<std::vector<PageOperation>> second = std::async(std::launch::async, workedOut, half, worked.size());
    std::vector<PageOperation> operations = workedOut(0, half);
    std::vector<PageOperation> rest = second.get();
    operations.insert(operations.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
    QHash<QString, int> numbers;
    numbers.reserve(static_cast<qsizetype>(operations.size()) * 16);
    for (const PageOperation& page : operations) {
        for (const QStringList* texts : {&page.said, &page.hints}) {
            for (const QString& text : *texts) numbers.insert(text, 0);
        }
    }
    QStringList words = numbers.keys();
    words.sort();
    for (qsizetype i = 0; i < words.size(); ++i) numbers[words[i]] = static_cast<int>(i);
    const auto wordOf = [&](const QString& text) { return numbers.value(text); };

    Json json;
    json.open('{');
    // The page's title and instruction, as on the squared pages.
    json.key("title");
    json.element(options.title.isEmpty() ? u"SCHEDA VIRDAMO"_s : options.title);
    json.key("instruction");
    json.element(options.instruction);
    json.key("texts");
    writeTexts(json);
    json.key("words");
    json.open('[');
    for (const QString& word : words) json.element(word);
    json.close(']');
    json.key("sheets");
    json.open('[');
    int first = 0;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        json.open('{');
        json.key("number");
        json.element(static_cast<int>(k) + 1);
        json.key("code");
        json.element(QString::fromStdString(sheets[k].code));
        json.key("pupil");
        json.element(sheets[k].pupil);
        json.key("first");
        json.element(first);
        json.key("operations");
        const int size = sheets[k].sheet.operationCount();
        json.element(size);
        json.close('}');
        first += size;
    }
    json.close(']');
    json.key("operations");
    json.open('[');
    first = 0;
    for (const PageSheet& sheet : sheets) {
        for (int i = 0; i < sheet.sheet.operationCount(); ++i) {
            const int operation = first + i;
            writeGeometry(json, i + 1, operations[static_cast<std::size_t>(operation)], options);
        }
        first += sheet.sheet.operationCount();
    }
    json.close(']');
    json.key("steps");
    json.open('{');
    writeStepColumn(json, "said", operations, [&](PageOperation& page, std::size_t s) {
        json.element(wordOf(page.said.at(static_cast<qsizetype>(s))));
    });
    writeStepColumn(json, "hint", operations, [&](PageOperation& page, std::size_t s) {
        json.element(wordOf(page.hints.at(static_cast<qsizetype>(s))));
    });
    writeStepColumn(json, "read", operations, [&](PageOperation& page, std::size_t s) {
        json.open('[');
        for (const Cell& cell : page.steps[s]->highlighted) {
            if (const std::optional<int> n = page.cells.numberOf(cell)) json.element(*n);
        }
        json.close(']');
    });
    writeStepColumn(json, "keys", operations,
                    [&](PageOperation& page, std::size_t s) { writeKeys(json, page.cells, page.steps[s]->keys); });
    json.close('}');
    json.close('}');
    return json.bytes();
}

QByteArray pageTemplate()
{
    QFile file(u":/virdamo/html/sheets.html"_s);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

QByteArray sheetsHtml(const std::vector<PageSheet>& sheets, const pages::PageOptions& options)
{
    // Packed with zlib and written in the URL alphabet of base64, the data needs no
    // escaping inside the page and has no "//" a search for addresses would stop at.
    // qCompress puts the length first, four bytes the page's inflater does not want.
    const QByteArray packed = qCompress(sheetsData(sheets, options), 6).mid(4);
    QByteArray page = pageTemplate();
    page.replace(kDataPlace, packed.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    return page;
}

QByteArray classSetHtml(const pages::ClassSet& set)
{
    std::vector<PageSheet> sheets;
    for (int k = 1; k <= set.sheetCount(); ++k) {
        // A supported pupil works the first operations, as on paper.
        sheets.push_back({set.sheetFor(k), set.first.nth(k).text(), set.pupil(k)});
    }
    return sheetsHtml(sheets, set.options);
}

}  // namespace virdamo::output
