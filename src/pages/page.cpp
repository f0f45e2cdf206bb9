#include "pages/page.h"

#include <utility>

namespace virdamo::pages {

void PageRecorder::printLine(const std::string& text)
{
    if (text.empty()) {
        return;
    }
    page_.texts.push_back(
        PlacedText{fontName_, pointSize_, QPointF(x_, y_), QString::fromStdString(text), QSizeF(), TextPlace::TopLeft});
}

Page PageRecorder::takePage()
{
    return std::exchange(page_, Page{});
}

void PageCapture::printLine(const std::string& text)
{
    jobOpen_ = true;
    recorder_.printLine(text);
}

void PageCapture::endDocument()
{
    if (!std::exchange(jobOpen_, false)) {
        return;  // no text since the last end: there is no job to end
    }
    pages_.push_back(recorder_.takePage());
}

}  // namespace virdamo::pages
