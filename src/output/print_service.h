#pragma once

#include "output/pdf_page.h"
#include "pages/printer.h"

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace virdamo::output {

/// How long the program may wait on the print service: each step (connection, one request
/// and its answer, the transfer of a document) and the whole of one command.
struct PrintLimits {
    std::chrono::milliseconds step{4000};
    std::chrono::milliseconds whole{9000};
};

/// What a job asks of the printer besides its document.
struct JobOptions {
    int copies = 1;
    bool collate = true;
    /// Pages to print, from 1, both ends included; empty prints them all.
    std::vector<std::pair<int, int>> pageRanges;
};

/// A job to send: where, on what paper, and the document drawn for that paper.
struct PrintJob {
    std::string destination;                         ///< a printer's name; empty for the default destination
    std::optional<Paper> paper;                      ///< none: the destination's own default paper
    std::function<QByteArray(const Paper&)> render;  ///< the PDF document, in memory
    JobOptions options;
};

/// The system's print service, talked to on the calling thread with every wait bounded by
/// the limits: a service that cannot be reached, does not answer in time or answers with
/// garbage fails as ServiceUnavailable; a refusal is told by its own reason. Failures are
/// thrown as OutputFailure; after one, nothing of the job is left in a queue. Meant for a
/// thread of its own while the windows go on; cancel may be called from any thread.
class PrintService final : public pages::Cancellable {
public:
    explicit PrintService(PrintLimits limits = {});
    ~PrintService() override;

    PrintService(const PrintService&) = delete;
    PrintService& operator=(const PrintService&) = delete;

    /// Whether the service answers and knows at least one printer: throws ServiceUnavailable
    /// or NoPrinter otherwise. Returns the number of printers it knows.
    int checkPrinters();

    /// Sends job in one request, printed portrait whatever the queue's default; returns
    /// PrinterPaused when the job waits on a stopped printer.
    pages::JobNotice print(const PrintJob& job);

    /// Stops the command at its next wait, within a tenth of a second; a job the service
    /// may already hold is looked for and cancelled there, in the background.
    void cancel() override;

private:
    PrintLimits limits_;
    std::atomic<bool> cancelled_{false};
    /// Read by the print service's connection routine while it connects; written only
    /// through std::atomic_ref.
    int cancelConnect_ = 0;
};

}  // namespace virdamo::output
