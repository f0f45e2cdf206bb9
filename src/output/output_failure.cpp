#include "output/output_failure.h"

#include "texts/texts.h"

#include <QtGlobal>

#include <cerrno>
#include <new>

namespace virdamo::output {

OutputFailure::OutputFailure(FailureReason reason, const std::string& diagnostic, int code)
    : std::runtime_error(diagnostic.empty() ? std::string("output failed") : diagnostic)
    , reason_(reason)
    , code_(code)
{
}

OutputFailure fileFailure(int error, const std::string& diagnostic)
{
    const auto reason = [error] {
        switch (error) {
        case EISDIR: return FailureReason::TargetIsFolder;
        case EACCES:
        case EPERM: return FailureReason::NoPermission;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return FailureReason::DiskFull;
        case ENAMETOOLONG: return FailureReason::NameTooLong;
        case ENOENT:
        case ENOTDIR: return FailureReason::FolderMissing;
        case EROFS: return FailureReason::ReadOnlyDisk;
        case ENOMEM: return FailureReason::OutOfMemory;
        default: return FailureReason::WriteError;
        }
    }();
    return OutputFailure(reason, diagnostic, error);
}

QString reasonText(const OutputFailure& failure)
{
    const auto withCode = [&failure](const QString& line) {
        return failure.code() == 0 ? line : line + u'\n' + texts::kDetailCode.arg(failure.code());
    };
    switch (failure.reason()) {
    case FailureReason::NoDefaultPrinter: return texts::kNoDefaultPrinter;
    case FailureReason::ServiceUnavailable: return texts::kServiceUnavailable;
    case FailureReason::NotAcceptingJobs: return texts::kNotAcceptingJobs;
    case FailureReason::ServiceError: return withCode(texts::kServiceError);
    case FailureReason::FormatNotSupported: return texts::kFormatNotSupported;
    case FailureReason::NotAuthorized: return texts::kNotAuthorized;
    case FailureReason::PrinterGone: return texts::kPrinterGone;
    case FailureReason::PrinterBusy: return texts::kPrinterBusy;
    case FailureReason::DocumentTooLarge: return texts::kDocumentTooLarge;
    case FailureReason::QueueFull: return texts::kQueueFull;
    case FailureReason::NoPrinter: return texts::kNoPrinter;
    case FailureReason::PageNotDrawn: return texts::kPageNotDrawn;
    case FailureReason::OutOfMemory: return texts::kOutOfMemory;
    case FailureReason::TargetIsFolder: return texts::kTargetIsFolder;
    case FailureReason::NotARegularFile: return texts::kNotARegularFile;
    case FailureReason::NoPermission: return texts::kNoPermission;
    case FailureReason::DiskFull: return texts::kDiskFull;
    case FailureReason::NameTooLong: return texts::kNameTooLong;
    case FailureReason::FolderMissing: return texts::kFolderMissing;
    case FailureReason::FolderTakesNoFiles: return texts::kFolderTakesNoFiles;
    case FailureReason::ReadOnlyDisk: return texts::kReadOnlyDisk;
    case FailureReason::WriteError: return withCode(texts::kWriteError);
    case FailureReason::Cancelled: return texts::kCancelled;
    case FailureReason::Unexpected: break;
    }
    return texts::kUnexpected;
}

std::optional<OutputFailure> failureOf(const std::function<void()>& work) noexcept
{
    try {
        work();
        return std::nullopt;
    } catch (const OutputFailure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return OutputFailure(FailureReason::OutOfMemory, "out of memory");
    } catch (const std::exception& other) {
        qWarning("virdamo: unexpected failure: %s", other.what());
        return OutputFailure(FailureReason::Unexpected, other.what());
    } catch (...) {
        qWarning("virdamo: unexpected failure of an unknown kind");
        return OutputFailure(FailureReason::Unexpected, "unknown exception");
    }
}

}  // namespace virdamo::output
