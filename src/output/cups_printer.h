#pragma once

#include "output/print_service.h"
#include "pages/page.h"
#include "pages/printer.h"

namespace virdamo::output {

/// The system's default printer, reached through the print service. The page is collected
/// as it is printed; the end of the document renders it to PDF in memory on the default
/// destination's paper and submits it in one request. No file is written. Failures are
/// thrown as OutputFailure from endDocument; after one nothing of the job is left, on this
/// side or in the queue. A printer lives for one press of "STAMPA"; cancel may be called
/// from any thread while endDocument runs on another.
class CupsPrinter final : public pages::Printer, public pages::JobNotices, public pages::Cancellable {
public:
    explicit CupsPrinter(PrintLimits limits = {});

    void setFontName(const std::string& name) override { recorder_.setFontName(name); }
    void setFontSize(float points) override { recorder_.setFontSize(points); }
    void setHorizontalPosition(float twips) override { recorder_.setHorizontalPosition(twips); }
    void setVerticalPosition(float twips) override { recorder_.setVerticalPosition(twips); }
    void printLine(const std::string& text) override;
    void endDocument() override;

    /// PrinterPaused when the last job was queued on a stopped printer.
    [[nodiscard]] pages::JobNotice lastJobNotice() const override { return notice_; }
    /// Stops the job at its next wait; a job the service holds already is cancelled there.
    void cancel() override { service_.cancel(); }

private:
    pages::PageRecorder recorder_;
    PrintService service_;
    bool jobOpen_ = false;
    pages::JobNotice notice_ = pages::JobNotice::None;
};

}  // namespace virdamo::output
