#pragma once

#include <stdexcept>
#include <string>

namespace virdamo::print {

/// Why a print job did not reach the printer.
enum class FailureReason {
    NoDefaultPrinter,    ///< the print service knows no default destination
    ServiceUnavailable,  ///< the print service cannot be reached
    NotAcceptingJobs,    ///< the default printer refuses new jobs
    ServiceError,        ///< any other refusal; the service's own text says why
    FormatNotSupported,  ///< the printer takes no PDF document
    NotAuthorized,       ///< the user may not print there
    PrinterGone,         ///< the default destination no longer exists
    PrinterBusy,         ///< the printer asks to try again later
    DocumentTooLarge,    ///< the document is larger than the service takes
    QueueFull,           ///< the queue holds as many jobs as it can
    PageNotDrawn,        ///< the page could not be rendered
    OutOfMemory,         ///< memory ran out while the page was prepared
    Unexpected,          ///< a failure of the program itself; its own text says what
    Cancelled,           ///< the user stopped the job; nothing of it was printed
};

/// Thrown by a printer operation that could not be carried out. By the time it is
/// thrown the printer has abandoned the job in progress: nothing of it stays open, and
/// the next printed text begins a new job.
class PrintFailure : public std::runtime_error {
public:
    PrintFailure(FailureReason reason, const std::string& serviceText);

    [[nodiscard]] FailureReason reason() const { return reason_; }
    /// The print service's own description of the failure (may be empty).
    [[nodiscard]] const std::string& serviceText() const { return serviceText_; }

private:
    FailureReason reason_;
    std::string serviceText_;
};

/// Something the user should know about a job that was accepted.
enum class JobNotice {
    None,
    PrinterPaused,  ///< the job waits in the queue until the printer is resumed
};

/// The printer driven as a text surface with a current font and a current position.
/// A job begins implicitly with the first text printed after the previous end of the
/// document; font and position set before that text apply to it.
class Printer {
public:
    virtual ~Printer() = default;

    /// Face of the text printed from now on.
    virtual void setFontName(const std::string& name) = 0;
    /// Size of the text printed from now on, in points.
    virtual void setFontSize(float points) = 0;
    /// Left edge of the next printed text, in twips from the left of the printable area.
    virtual void setHorizontalPosition(float twips) = 0;
    /// Top of the character cells of the next printed text, in twips from the top of the printable area.
    virtual void setVerticalPosition(float twips) = 0;
    /// Prints text at the current position in the current font; the empty text draws nothing.
    virtual void printLine(const std::string& text) = 0;
    /// Closes the job and releases its page to the printer.
    virtual void endDocument() = 0;

protected:
    Printer() = default;
    Printer(const Printer&) = default;
    Printer& operator=(const Printer&) = default;
};

/// Implemented by printers that can tell more about a job they accepted; the "STAMPA"
/// command asks for it after the end of the document.
class JobNotices {
public:
    virtual ~JobNotices() = default;

    /// What the user should know about the job that the last endDocument released.
    [[nodiscard]] virtual JobNotice lastJobNotice() const = 0;

protected:
    JobNotices() = default;
    JobNotices(const JobNotices&) = default;
    JobNotices& operator=(const JobNotices&) = default;
};

/// Implemented by printers whose job can be stopped while it waits on the print service.
class Cancellable {
public:
    virtual ~Cancellable() = default;

    /// Stops the job in progress as soon as it can; safe from any thread.
    virtual void cancel() = 0;

protected:
    Cancellable() = default;
    Cancellable(const Cancellable&) = default;
    Cancellable& operator=(const Cancellable&) = default;
};

}  // namespace virdamo::print
