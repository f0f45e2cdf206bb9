#include "print/page.h"

#include <utility>

namespace virdamo::print {

void PageRecorder::printLine(const std::string& text)
{
    if (text.empty()) {
        return;
    }
    page_.push_back(PlacedText{fontName_, pointSize_, QPointF(x_, y_), QString::fromStdString(text)});
}

Page PageRecorder::takePage()
{
    return std::exchange(page_, Page{});
}

}  // namespace virdamo::print
