#pragma once

#include "pages/printer.h"

#include <ostream>
#include <string>
#include <vector>

namespace virdamo::test {

using namespace virdamo::pages;
using namespace virdamo::output;

/// One printer operation as the sheet routines made it.
struct Op {
    enum Kind { FontName, FontSize, X, Y, Print, End };
    Kind kind;
    float value = 0.0F;  ///< points or twips
    std::string text;    ///< font name or printed text

    bool operator==(const Op&) const = default;
};

inline Op fontName(std::string name)
{
    return {Op::FontName, 0.0F, std::move(name)};
}
inline Op fontSize(float points)
{
    return {Op::FontSize, points, {}};
}
inline Op x(float twips)
{
    return {Op::X, twips, {}};
}
inline Op y(float twips)
{
    return {Op::Y, twips, {}};
}
inline Op print(std::string text)
{
    return {Op::Print, 0.0F, std::move(text)};
}
inline Op end()
{
    return {Op::End, 0.0F, {}};
}

inline void PrintTo(const Op& op, std::ostream* os)
{
    static const char* const names[] = {"FontName", "FontSize", "X", "Y", "Print", "End"};
    *os << names[op.kind];
    if (op.kind == Op::FontName || op.kind == Op::Print) {
        *os << " \"" << op.text << '"';
    } else if (op.kind != Op::End) {
        *os << ' ' << op.value;
    }
}

/// A printer that writes down every operation; failAt makes the operation with that
/// index (counted from 0 over the printer's life) throw, once.
class RecordingPrinter final : public Printer, public JobNotices {
public:
    std::vector<Op> ops;
    int failAt = -1;
    FailureReason failReason = FailureReason::ServiceError;
    std::string failText;
    int failCode = 0;
    JobNotice notice = JobNotice::None;

    void setFontName(const std::string& name) override { record(fontName(name)); }
    void setFontSize(float points) override { record(fontSize(points)); }
    void setHorizontalPosition(float twips) override { record(x(twips)); }
    void setVerticalPosition(float twips) override { record(y(twips)); }
    void printLine(const std::string& text) override { record(print(text)); }
    void endDocument() override { record(end()); }
    [[nodiscard]] JobNotice lastJobNotice() const override { return notice; }

    /// Every printed text with the position it was printed at.
    struct Placed {
        float x, y;
        std::string text;
    };
    [[nodiscard]] std::vector<Placed> printed() const
    {
        std::vector<Placed> result;
        float cx = -1.0F;
        float cy = -1.0F;
        for (const Op& op : ops) {
            if (op.kind == Op::X) {
                cx = op.value;
            } else if (op.kind == Op::Y) {
                cy = op.value;
            } else if (op.kind == Op::Print) {
                result.push_back({cx, cy, op.text});
            }
        }
        return result;
    }

private:
    void record(Op op)
    {
        if (calls_++ == failAt) {
            throw OutputFailure(failReason, failText, failCode);
        }
        ops.push_back(std::move(op));
    }

    int calls_ = 0;
};

}  // namespace virdamo::test
