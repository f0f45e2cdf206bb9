#pragma once

#include "print/page.h"
#include "print/printer.h"

#include <atomic>
#include <chrono>

namespace virdamo::print {

/// How long a job may wait on the print service: each step (connection, lookup of the
/// default destination and its paper, the submission with its document) and the whole job.
struct PrintLimits {
    std::chrono::milliseconds step{4000};
    std::chrono::milliseconds whole{9000};
};

/// The system's default printer, reached through the print service. The page is collected
/// as it is printed; the end of the document looks up the default destination and its
/// paper, renders the page to PDF in memory and submits it in one request, printed
/// portrait whatever the queue's default orientation. No file is written.
///
/// Every wait on the service is bounded by the limits: a service that cannot be reached,
/// does not answer in time or answers with garbage fails as ServiceUnavailable; "no
/// default destination" only when a working service says so. Failures are thrown as
/// PrintFailure from endDocument; after one nothing of the job is left, on this side or
/// in the queue. A printer lives for one press of "STAMPA"; cancel may be called from any
/// thread while endDocument runs on another.
class CupsPrinter final : public Printer, public JobNotices, public Cancellable {
public:
    explicit CupsPrinter(PrintLimits limits = {});
    ~CupsPrinter() override;

    CupsPrinter(const CupsPrinter&) = delete;
    CupsPrinter& operator=(const CupsPrinter&) = delete;

    void setFontName(const std::string& name) override;
    void setFontSize(float points) override;
    void setHorizontalPosition(float twips) override;
    void setVerticalPosition(float twips) override;
    void printLine(const std::string& text) override;
    void endDocument() override;

    /// PrinterPaused when the last job was queued on a stopped printer.
    [[nodiscard]] JobNotice lastJobNotice() const override { return notice_; }
    /// Stops the job at its next wait; a job the service holds already is cancelled there.
    void cancel() override;

private:
    PageRecorder recorder_;
    PrintLimits limits_;
    bool jobOpen_ = false;
    JobNotice notice_ = JobNotice::None;
    std::atomic<bool> cancelled_{false};
};

}  // namespace virdamo::print
