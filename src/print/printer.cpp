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
