#include "ui/step_captions.h"

#include "texts/texts.h"

#include <QStringList>

namespace virdamo::ui {

using namespace Qt::StringLiterals;

namespace {

/// The terms combined and the carry coming in added: "0 × 4 + 2".
QString terms(const Equality& equality)
{
    const QString sign = equality.operation == Operator::Times ? u" × "_s : u" + "_s;
    QStringList parts;
    for (const int term : equality.terms) parts << QString::number(term);
    QString text = parts.join(sign);
    if (equality.carryIn != 0) text += u" + "_s + QString::number(equality.carryIn);
    return text;
}

QString said(const Equality& equality)
{
    return terms(equality) + u" = "_s + QString::number(equality.result());
}

/// The sentence of a box of the cross, around what fills it.
QString boxSentence(ProvaBox box, const QString& filling)
{
    switch (box) {
    case ProvaBox::TopLeft: return texts::kProvaMultiplicand.arg(filling);
    case ProvaBox::TopRight: return texts::kProvaMultiplier.arg(filling);
    case ProvaBox::BottomLeft: return texts::kProvaTopBoxes.arg(filling);
    case ProvaBox::BottomRight: break;
    }
    return texts::kProvaProduct.arg(filling);
}

QString said(const Calculation& calculation)
{
    if (calculation.bringsDown()) return texts::kBringDown.arg(calculation.written());
    if (calculation.carryOut() == 0) return texts::kWrite.arg(said(calculation.equality)).arg(calculation.written());
    return texts::kWriteAndCarry.arg(said(calculation.equality)).arg(calculation.written()).arg(calculation.carryOut());
}

QString said(const ProvaBoxFilled& filled)
{
    if (filled.reductions.empty()) return boxSentence(filled.box, texts::kProvaOneDigit.arg(filled.digit));
    QStringList reductions;
    for (const Equality& reduction : filled.reductions) reductions << said(reduction);
    return boxSentence(filled.box, texts::kWrite.arg(reductions.join(u", "_s)).arg(filled.digit));
}

}  // namespace

QString captionText(const Caption& caption)
{
    if (const auto* opening = std::get_if<Opening>(&caption)) {
        return texts::kOpening.arg(opening->multiplicand).arg(opening->multiplier);
    }
    if (const auto* calculation = std::get_if<Calculation>(&caption)) return said(*calculation);
    if (const auto* found = std::get_if<ProductFound>(&caption)) return texts::kProductIs.arg(found->product);
    if (const auto* filled = std::get_if<ProvaBoxFilled>(&caption)) return said(*filled);
    if (const auto* marked = std::get_if<PlacesMarked>(&caption)) {
        return texts::kPlacesMarked.arg(marked->mark == kDash ? u"-"_s : u"0"_s);
    }
    if (const auto* zeros = std::get_if<ZerosWritten>(&caption)) {
        return texts::kZerosWritten.arg(zeros->multiplicand).arg(QString(zeros->zeros, u'0'));
    }
    const auto& verdict = std::get<ProvaVerdict>(caption);
    return (verdict.holds() ? texts::kProvaHolds : texts::kProvaFails).arg(verdict.bottomLeft).arg(verdict.bottomRight);
}

QString hintText(const Caption& caption)
{
    if (const auto* calculation = std::get_if<Calculation>(&caption)) {
        return calculation->bringsDown() ? texts::kHintBringDown
                                         : texts::kHintEquality.arg(terms(calculation->equality));
    }
    if (const auto* filled = std::get_if<ProvaBoxFilled>(&caption)) {
        // The first equality alone: the ones after it start from its result.
        return boxSentence(filled->box,
                           filled->reductions.empty() ? texts::kHintOneDigit
                                                      : texts::kHintEquality.arg(terms(filled->reductions.front())));
    }
    if (std::holds_alternative<PlacesMarked>(caption)) return texts::kHintPlaces;
    if (const auto* zeros = std::get_if<ZerosWritten>(&caption)) {
        return texts::kHintEquality.arg(QString::number(zeros->multiplicand) + u" × 0"_s);
    }
    return captionText(caption);
}

}  // namespace virdamo::ui
