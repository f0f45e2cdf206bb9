#pragma once

#include "output/output_failure.h"

#include <string>

namespace virdamo::pages {

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

}  // namespace virdamo::pages
