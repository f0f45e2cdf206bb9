#include "output/cups_printer.h"

#include "output/pdf_page.h"

#include <utility>

namespace virdamo::output {

using pages::JobNotice;
using pages::Page;

CupsPrinter::CupsPrinter(PrintLimits limits)
    : service_(limits)
{
}

void CupsPrinter::printLine(const std::string& text)
{
    if (!jobOpen_) {
        jobOpen_ = true;
        notice_ = JobNotice::None;
        (void)recorder_.takePage();  // whatever a failed job left behind
    }
    recorder_.printLine(text);
}

void CupsPrinter::endDocument()
{
    if (!std::exchange(jobOpen_, false)) {
        return;  // nothing printed since the last end: there is no job to end
    }
    const Page page = recorder_.takePage();
    PrintJob job;
    job.render = [&page](const Paper& paper) { return renderPdf(page, paper); };
    notice_ = service_.print(job);
}

}  // namespace virdamo::output
