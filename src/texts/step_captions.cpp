#include "texts/step_captions.h"

#include "texts/texts.h"

#include <algorithm>
#include <optional>

namespace virdamo::texts {

using namespace Qt::StringLiterals;

namespace {

/// Value (0 or more) as Italian writes it: a point between the thousands, "239.720".
QString number(int value)
{
    QString digits = QString::number(value);
    for (auto at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u'.');
    return digits;
}

/// Digits with decimals of them after the comma, the whole part with its thousands point:
/// "75,040", "1.234,5".
QString decimalNumber(std::int32_t digits, int decimals)
{
    const QString text = QString::fromStdString(decimalText(digits, decimals));
    const qsizetype comma = text.indexOf(u',');
    QString whole = number(text.left(comma < 0 ? text.size() : comma).toInt());
    return comma < 0 ? whole : whole + text.mid(comma);
}

/// The terms combined and the carry coming in added: "0 × 4 + 2".
QString terms(const Equality& equality)
{
    const QString sign = equality.operation == Operator::Times ? u" × "_s : u" + "_s;
    QStringList parts;
    for (const int term : equality.terms) parts << number(term);
    QString text = parts.join(sign);
    if (equality.carryIn != 0) text += u" + "_s + number(equality.carryIn);
    return text;
}

QString said(const Equality& equality)
{
    return terms(equality) + u" = "_s + number(equality.result());
}

/// The sentence of a box of the cross, around what fills it.
QString boxSentence(ProvaBox box, const QString& filling)
{
    switch (box) {
    case ProvaBox::TopLeft: return kProvaMultiplicand.arg(filling);
    case ProvaBox::TopRight: return kProvaMultiplier.arg(filling);
    case ProvaBox::BottomLeft: return kProvaTopBoxes.arg(filling);
    case ProvaBox::BottomRight: break;
    }
    return kProvaProduct.arg(filling);
}

/// A calculation said with write ("%1: scrivo %2") or writeAndCarry for its result.
QString said(const Calculation& calculation, const QString& write, const QString& writeAndCarry)
{
    if (calculation.bringsDown()) return kBringDown.arg(number(calculation.written()));
    if (calculation.carryOut() == 0) return write.arg(said(calculation.equality), number(calculation.written()));
    return writeAndCarry.arg(said(calculation.equality), number(calculation.written()), number(calculation.carryOut()));
}

QString said(const ProvaBoxFilled& filled)
{
    if (filled.reductions.empty()) return boxSentence(filled.box, kProvaOneDigit.arg(filled.digit));
    QStringList reductions;
    for (const Equality& reduction : filled.reductions) reductions << said(reduction);
    return boxSentence(filled.box, kWrite.arg(reductions.join(u", "_s), number(filled.digit)));
}

/// The place, from the units, of the multiplier's digit that step multiplies by to write
/// a row of partial products; none for any other step, a one-digit multiplier's included,
/// which writes the product straight away.
std::optional<int> multiplierPlace(const Step& step)
{
    const auto* calculation = std::get_if<Calculation>(&step.caption);
    const bool multiplies = calculation ? calculation->equality.operation == Operator::Times
                                        : std::holds_alternative<ZerosWritten>(step.caption);
    if (!multiplies) return std::nullopt;
    const bool writesPartial = std::any_of(step.keys.begin(), step.keys.end(), [](const ExpectedKey& key) {
        const auto* square = std::get_if<Square>(&key.cell);
        return square && square->row.row == WorkedRow::Partial;
    });
    if (!writesPartial) return std::nullopt;
    for (const Cell& cell : step.highlighted) {
        const auto* square = std::get_if<Square>(&cell);
        if (square && square->row.row == WorkedRow::Multiplier) return square->column;
    }
    return std::nullopt;
}

/// "Ora moltiplico per le decine: 0": the place of the multiplier's digit, and the digit.
QString placeSentence(int place, int digit)
{
    const QString& sentence = place == 0 ? kMultiplyByUnits : (place == 1 ? kMultiplyByTens : kMultiplyByHundreds);
    return sentence.arg(digit);
}

}  // namespace

QString captionText(const Caption& caption)
{
    if (const auto* opening = std::get_if<Opening>(&caption)) {
        return kOpening.arg(number(opening->multiplicand), number(opening->multiplier));
    }
    if (const auto* calculation = std::get_if<Calculation>(&caption)) {
        return said(*calculation, kWrite, kWriteAndCarry);
    }
    if (const auto* found = std::get_if<ProductFound>(&caption)) return kProductIs.arg(number(found->product));
    if (const auto* filled = std::get_if<ProvaBoxFilled>(&caption)) return said(*filled);
    if (const auto* marked = std::get_if<PlacesMarked>(&caption)) {
        return kPlacesMarked.arg(marked->mark == kDash ? u"-"_s : u"0"_s);
    }
    if (const auto* zeros = std::get_if<ZerosWritten>(&caption)) {
        return kZerosWritten.arg(number(zeros->multiplicand), QString(zeros->zeros, u'0'));
    }
    if (std::holds_alternative<WrittenAsWhole>(caption)) return texts::kWrittenAsWhole;
    if (const auto* counted = std::get_if<DecimalsCounted>(&caption)) {
        return texts::kDecimalsCounted.arg(counted->multiplicandDecimals)
            .arg(counted->multiplierDecimals)
            .arg(counted->total());
    }
    if (const auto* placed = std::get_if<CommaPlaced>(&caption)) {
        const QString product = decimalNumber(placed->product, placed->decimals);
        return placed->decimals == 1 ? texts::kCommaPlacedOne.arg(product)
                                     : texts::kCommaPlaced.arg(placed->decimals).arg(product);
    }
    const auto& verdict = std::get<ProvaVerdict>(caption);
    return (verdict.holds() ? kProvaHolds : kProvaFails).arg(verdict.bottomLeft).arg(verdict.bottomRight);
}

QStringList captionsOf(const std::vector<Step>& steps)
{
    QStringList captions;
    std::optional<int> row;
    for (const Step& step : steps) {
        const std::optional<int> place = multiplierPlace(step);
        const auto& digits = step.written.digits;
        const auto digit = std::find_if(digits.begin(), digits.end(), [&](const WrittenDigit& d) {
            return d.row == RowRef{WorkedRow::Multiplier, 0} && d.column == place;
        });
        if (!place || place == row || digit == digits.end()) {
            captions << captionText(step.caption);
            continue;
        }
        row = place;
        const auto* zeros = std::get_if<ZerosWritten>(&step.caption);
        captions << kRowStart.arg(
            placeSentence(*place, digit->digit),
            zeros ? kThenWrite.arg(number(zeros->multiplicand) + u" × 0 = 0"_s, QString(zeros->zeros, u'0'))
                  : said(std::get<Calculation>(step.caption), kThenWrite, kThenWriteAndCarry));
    }
    return captions;
}

QString hintText(const Caption& caption)
{
    QString hint;
    if (const auto* calculation = std::get_if<Calculation>(&caption)) {
        hint = calculation->bringsDown() ? kHintBringDown : kHintEquality.arg(terms(calculation->equality));
    } else if (const auto* filled = std::get_if<ProvaBoxFilled>(&caption)) {
        // The first equality alone: the ones after it start from its result.
        hint = boxSentence(filled->box,
                           filled->reductions.empty() ? kHintOneDigit
                                                      : kHintEquality.arg(terms(filled->reductions.front())));
    } else if (std::holds_alternative<PlacesMarked>(caption)) {
        hint = kHintPlaces;
    } else if (const auto* zeros = std::get_if<ZerosWritten>(&caption)) {
        hint = kHintEquality.arg(number(zeros->multiplicand) + u" × 0"_s);
    } else if (std::holds_alternative<CommaPlaced>(caption)) {
        hint = kHintComma;
    } else {
        return captionText(caption);
    }
    // After "Riprova:" the sentence goes on, from a small letter.
    hint[0] = hint[0].toLower();
    return kTryAgain.arg(hint);
}

}  // namespace virdamo::texts
