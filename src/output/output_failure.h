#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace virdamo::output {

/// Why an output (a print job, a PDF file) was not made.
enum class FailureReason {
    NoDefaultPrinter,    ///< the print service knows no default destination
    ServiceUnavailable,  ///< the print service cannot be reached or does not answer in time
    NotAcceptingJobs,    ///< the printer refuses new jobs
    ServiceError,        ///< any other refusal of the service; its status code says which
    FormatNotSupported,  ///< the printer takes no PDF document
    NotAuthorized,       ///< the user may not print there
    PrinterGone,         ///< the destination no longer exists
    PrinterBusy,         ///< the printer asks to try again later
    DocumentTooLarge,    ///< the document is larger than the service takes
    QueueFull,           ///< the queue holds as many jobs as it can
    NoPrinter,           ///< the print service answers but knows no printer at all
    PageNotDrawn,        ///< the page could not be rendered
    OutOfMemory,         ///< memory ran out while the document was prepared
    TargetIsFolder,      ///< the file name chosen is that of a folder
    NotARegularFile,     ///< the file name chosen is a device, a pipe or a socket: never replaced
    NoPermission,        ///< the folder or the existing file may not be written
    DiskFull,            ///< no space left on the disk (or over quota)
    NameTooLong,         ///< the file name, or the whole path, is longer than the system takes
    FolderMissing,       ///< the folder of the file does not exist
    FolderTakesNoFiles,  ///< the folder exists but no file may be made in it (/proc, for one)
    ReadOnlyDisk,        ///< the disk is mounted read-only
    WriteError,          ///< any other failure of the file system; its error number says which
    Unexpected,          ///< a failure of the program itself
    Cancelled,           ///< the user stopped it; nothing was made
};

/// Thrown when an output could not be made. By the time it is thrown nothing of the output
/// is left half-made: no job in a queue, no partial file.
class OutputFailure : public std::runtime_error {
public:
    /// diagnostic is for developers (logs, test failures) and never shown to the user; code
    /// is the service's status or the system's error number, 0 when there is none.
    explicit OutputFailure(FailureReason reason, const std::string& diagnostic = {}, int code = 0);

    [[nodiscard]] FailureReason reason() const { return reason_; }
    [[nodiscard]] int code() const { return code_; }

private:
    FailureReason reason_;
    int code_;
};

/// The failure of a file system call that left errno at error.
[[nodiscard]] OutputFailure fileFailure(int error, const std::string& diagnostic);

/// The Italian reason a failure is told with: one or two lines, never the English text of
/// a service or of the system; a failure whose reason names no cause ends with its code.
[[nodiscard]] QString reasonText(const OutputFailure& failure);

/// Runs work and returns the failure it ended with, if any. Every exception becomes one:
/// memory that ran out, and any other exception as an unexpected failure (its text goes to
/// the program's log). Nothing escapes, so it is safe in a Qt slot.
[[nodiscard]] std::optional<OutputFailure> failureOf(const std::function<void()>& work) noexcept;

}  // namespace virdamo::output
