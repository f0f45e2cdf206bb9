#include "print/printer.h"

namespace virdamo::print {

namespace {

std::string describe(FailureReason reason, const std::string& serviceText)
{
    switch (reason) {
    case FailureReason::NoDefaultPrinter: return "no default printer";
    case FailureReason::ServiceUnavailable: return "print service unavailable: " + serviceText;
    case FailureReason::NotAcceptingJobs: return "printer not accepting jobs";
    case FailureReason::ServiceError: break;
    case FailureReason::FormatNotSupported: return "PDF not supported: " + serviceText;
    case FailureReason::NotAuthorized: return "not authorized: " + serviceText;
    case FailureReason::PrinterGone: return "default printer gone: " + serviceText;
    case FailureReason::PrinterBusy: return "printer busy: " + serviceText;
    case FailureReason::DocumentTooLarge: return "document too large: " + serviceText;
    case FailureReason::QueueFull: return "queue full: " + serviceText;
    case FailureReason::PageNotDrawn: return "page not drawn: " + serviceText;
    case FailureReason::OutOfMemory: return "out of memory";
    case FailureReason::Unexpected: return "unexpected failure: " + serviceText;
    case FailureReason::Cancelled: return "cancelled";
    }
    return "print service error: " + serviceText;
}

}  // namespace

PrintFailure::PrintFailure(FailureReason reason, const std::string& serviceText)
    : std::runtime_error(describe(reason, serviceText))
    , reason_(reason)
    , serviceText_(serviceText)
{
}

}  // namespace virdamo::print
