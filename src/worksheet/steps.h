#pragma once

#include "worksheet/worked_operation.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace virdamo {

/// The boxes of the prova del nove cross, in the order they are filled.
enum class ProvaBox {
    TopLeft,      ///< the multiplicand reduced to one digit
    TopRight,     ///< the multiplier reduced
    BottomLeft,   ///< the product of the two above, reduced
    BottomRight,  ///< the operation's product reduced
};

/// One square of an operation: a row and a column counted from 0 at the units, leftwards.
struct Square {
    RowRef row;
    int column = 0;

    bool operator==(const Square&) const = default;
};

/// The place of the product's comma, on the line at the lower right of the square of its
/// units digit: the key that puts it there is the number of decimal digits it leaves on
/// its right.
struct DecimalPoint {
    bool operator==(const DecimalPoint&) const = default;
};

/// Where one digit goes: a square of the operation, a box of the cross, or the product's comma.
using Cell = std::variant<Square, ProvaBox, DecimalPoint>;

/// One digit written in a box of the cross.
struct WrittenBox {
    ProvaBox box = ProvaBox::TopLeft;
    int digit = 0;

    bool operator==(const WrittenBox&) const = default;
};

/// One key a pupil types, and the cell its digit fills.
struct ExpectedKey {
    Cell cell;
    int digit = 0;

    bool operator==(const ExpectedKey&) const = default;
};

/// Everything written on an operation at some moment, each kind in the order it was written.
struct Written {
    std::vector<WrittenDigit> digits;
    std::vector<WrittenDigit> carries;
    std::vector<WrittenBox> prova;
    bool productComma = false;  ///< the product's comma is in its place

    /// Writes the digit of key in its cell; a digit in a row of carries is a carry.
    void write(const ExpectedKey& key);

    /// The factors of op alone: what a pupil's sheet shows of it, and what its opening writes.
    [[nodiscard]] static Written factorsOf(const WorkedOperation& op);
    /// Op worked out: every digit, every carry, the product's comma and the cross, in the
    /// order its steps write them.
    [[nodiscard]] static Written wholeOf(const WorkedOperation& op);

    bool operator==(const Written&) const = default;
};

/// "Moltiplichiamo 2305 × 104": the operation is about to be worked out.
struct Opening {
    std::int32_t multiplicand = 0;
    std::int32_t multiplier = 0;
};

/// "Scrivo i numeri come se non ci fossero le virgole": a decimal operation opens with its
/// factors written as whole numbers, aligned on the right.
struct WrittenAsWhole {};

/// "Conto le cifre decimali: 2 + 1 = 3": the decimal digits of both factors counted.
struct DecimalsCounted {
    int multiplicandDecimals = 0;
    int multiplierDecimals = 0;

    [[nodiscard]] int total() const { return multiplicandDecimals + multiplierDecimals; }
};

/// "Metto la virgola a 3 cifre da destra: 75,040": the product's comma placed.
struct CommaPlaced {
    int decimals = 0;
    std::int32_t product = 0;  ///< its digits, the comma left out
};

/// How the terms of an equality combine.
enum class Operator { Times, Plus };

/// An equality as the teacher says it: the terms combined, then the carry coming in added,
/// then the result: "0 × 4 + 2 = 2", "9 + 3 + 1 = 13", "2305 × 0 = 0".
struct Equality {
    Operator operation = Operator::Plus;
    std::vector<int> terms;
    int carryIn = 0;  ///< 0 when no carry comes in

    [[nodiscard]] int result() const;
};

/// A digit product or a column of the addition calculated and its result written:
/// "5 × 4 = 20: scrivo 0 e riporto 2". The last one of a row or of the sum writes the whole
/// result, "4 × 6 + 4 = 28: scrivo 28", as does a zero digit of the multiplier, which gives
/// its row at once, "2305 × 0 = 0: scrivo 0".
struct Calculation {
    Equality equality;
    bool whole = false;

    [[nodiscard]] int written() const { return whole ? equality.result() : equality.result() % 10; }
    [[nodiscard]] int carryOut() const { return whole ? 0 : equality.result() / 10; }
    /// A lone digit of a column with no carry is brought down as it is: "abbasso 0".
    [[nodiscard]] bool bringsDown() const
    {
        return equality.operation == Operator::Plus && equality.terms.size() == 1 && equality.carryIn == 0;
    }
};

/// The empty places right of a shifted partial product marked as the class writes them,
/// a dash or a 0 in each: "Nei posti vuoti scrivo -".
struct PlacesMarked {
    int places = 0;  ///< how many: the row's shift
    int mark = 0;    ///< kDash or 0
};

/// The row of a 0 in the multiplier written as a row of zeros: "2305 × 0 = 0: scrivo 0000".
struct ZerosWritten {
    std::int32_t multiplicand = 0;
    int zeros = 0;  ///< as many as the multiplicand's digits
};

/// "Il prodotto è 239720": every digit of the product is written.
struct ProductFound {
    std::int32_t product = 0;
};

/// One box of the cross filled with a number reduced to one digit by the equalities that
/// take it there, "2 + 3 + 0 + 5 = 10, 1 + 0 = 1". The bottom left box starts from the
/// product of the top ones, "1 × 5 = 5"; a number of one digit goes in with no equality.
struct ProvaBoxFilled {
    ProvaBox box = ProvaBox::TopLeft;
    std::vector<Equality> reductions;
    int digit = 0;
};

/// The close of the cross: the operation passes the check when the bottom boxes agree.
struct ProvaVerdict {
    int bottomLeft = 0;
    int bottomRight = 0;

    [[nodiscard]] bool holds() const { return bottomLeft == bottomRight; }
};

/// What the teacher says at one step, in parts for the window to put into words. It is also
/// the hint a pupil gets after a wrong key, told without the results still to be typed.
using Caption = std::variant<Opening, Calculation, PlacesMarked, ZerosWritten, ProductFound, ProvaBoxFilled,
                             ProvaVerdict, WrittenAsWhole, DecimalsCounted, CommaPlaced>;

/// One step of an operation worked out aloud, and everything written once it is done.
struct Step {
    Caption caption;
    /// The cells the step reads, then those it writes: the ones the window colours.
    std::vector<Cell> highlighted;
    /// The keys a pupil types at this step, in order: the digit written, then the carry it
    /// sends on; a whole number at the end of a row or of the sum from its units leftwards,
    /// as it is written. Their digits are exactly what this step writes.
    std::vector<ExpectedKey> keys;
    /// Written once the step is done: the factors from the opening on, then the keys of
    /// each step after those of the steps before it, which is the order of WorkedOperation.
    Written written;
};

/// The steps of multiplicand (10 to 9999) x multiplier (1 to 999) worked out aloud: the
/// opening; one per multiplicand digit for each nonzero multiplier digit from its units,
/// one for a zero digit; one per column of the addition when there are partial products;
/// the product; one per box of the cross; the verdict. The last has written all of
/// workOut(multiplicand, multiplier) and its cross.
/// Written as conventions say, the marks of a row's empty places are a step before its
/// digits, a row of zeros is one step, and a skipped row has none.
[[nodiscard]] std::vector<Step> stepsOf(std::int32_t multiplicand, std::int32_t multiplier,
                                        const Conventions& conventions = {});

/// The steps of op, written as its conventions say. Without decimals they are those above.
/// With them the opening writes the factors as whole numbers (WrittenAsWhole), the rows and
/// the addition follow as above, then the decimals are counted and the comma placed, its
/// one key the product's decimals, in place of the product found; then the cross, on the
/// digits.
[[nodiscard]] std::vector<Step> stepsOf(const WorkedOperation& op);

/// A pupil working the steps out: their keys are awaited one by one, in order. A right key
/// is written and the next one awaited; a wrong one is not written and counts as a miss.
/// The awaited digit is never told.
class Attempt {
public:
    explicit Attempt(const std::vector<Step>& steps);

    /// The step whose key is awaited, for its caption and highlights; the number of steps
    /// once every key is typed.
    [[nodiscard]] std::size_t step() const;
    /// The cell the awaited key fills; none once every key is typed.
    [[nodiscard]] std::optional<Cell> awaitedCell() const;
    [[nodiscard]] bool done() const { return next_ == awaited_.size(); }
    /// What the pupil has written: the factors and every key typed right.
    [[nodiscard]] const Written& written() const { return written_; }

    /// Types digit: true when it is the awaited key. Once every key is typed, a key is
    /// neither written nor counted.
    bool type(int digit);

    /// Keys of the operation: "14 cifre giuste su 16" counts the right ones out of these.
    [[nodiscard]] int keys() const { return static_cast<int>(awaited_.size()); }
    /// Keys typed right at their first try.
    [[nodiscard]] int rightAtFirstTry() const { return rightAtFirstTry_; }
    /// Wrong keys typed.
    [[nodiscard]] int misses() const { return misses_; }

private:
    struct Awaited {
        std::size_t step = 0;
        ExpectedKey key;
    };
    std::vector<Awaited> awaited_;
    std::size_t steps_ = 0;
    std::size_t next_ = 0;
    Written written_;
    bool nextMissed_ = false;
    int rightAtFirstTry_ = 0;
    int misses_ = 0;
};

}  // namespace virdamo
