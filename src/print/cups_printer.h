#pragma once

#include "print/page.h"
#include "print/printer.h"

#include <memory>
#include <string>

namespace virdamo::print {

/// The system's default printer, reached through the print service. A job's page is
/// collected as it is printed, rendered to PDF in memory at the end of the document and
/// submitted as one document to the default destination; no file is written.
///
/// Failures are thrown as PrintFailure: no default destination or a queue refusing jobs
/// when the job begins (its first text), a refused submission at the end of the document.
/// After a failure nothing of the job is left open, on this side or in the queue. A job
/// that the caller abandons on an exception of its own is discarded by the destructor,
/// so one printer per press of "STAMPA" never carries a half page into the next job.
class CupsPrinter final : public Printer, public JobNotices {
public:
    CupsPrinter();
    /// Abandons a job that was begun and not ended.
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

private:
    struct Job;
    /// Looks up the default destination and its paper for a job whose first text is being printed.
    static std::unique_ptr<Job> beginJob();

    PageRecorder recorder_;
    std::unique_ptr<Job> job_;
    JobNotice notice_ = JobNotice::None;
};

}  // namespace virdamo::print
