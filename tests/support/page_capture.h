#pragma once

#include "print/page.h"
#include "print/printer.h"

#include <vector>

namespace virdamo::print::test {

/// A printer that keeps every ended page in memory instead of sending it anywhere.
class PageCapture final : public Printer {
public:
    void setFontName(const std::string& name) override { recorder_.setFontName(name); }
    void setFontSize(float points) override { recorder_.setFontSize(points); }
    void setHorizontalPosition(float twips) override { recorder_.setHorizontalPosition(twips); }
    void setVerticalPosition(float twips) override { recorder_.setVerticalPosition(twips); }
    void printLine(const std::string& text) override
    {
        jobOpen_ = true;
        recorder_.printLine(text);
    }
    void endDocument() override
    {
        if (jobOpen_) {  // no text since the last end: there is no job to end
            jobOpen_ = false;
            pages_.push_back(recorder_.takePage());
        }
    }

    /// The pages of the jobs ended so far, oldest first.
    [[nodiscard]] const std::vector<Page>& pages() const { return pages_; }

private:
    PageRecorder recorder_;
    bool jobOpen_ = false;
    std::vector<Page> pages_;
};

}  // namespace virdamo::print::test
