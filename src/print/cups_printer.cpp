#include "print/cups_printer.h"

#include "print/pdf_page.h"

#include <cups/cups.h>

#include <QByteArray>

#include <cstring>
#include <utility>

namespace virdamo::print {

namespace {

/// How long the print service may take to accept a connection before it counts as down.
constexpr int kConnectTimeoutMs = 5000;

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoDeleter>;

std::string lastErrorText()
{
    const char* text = cupsLastErrorString();
    return text ? std::string(text) : std::string();
}

bool succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

/// The reason the user is told for a request the service refused with status.
FailureReason reasonFor(ipp_status_t status)
{
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED: return FailureReason::NotAcceptingJobs;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TIMEOUT: return FailureReason::ServiceUnavailable;
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_ERROR:
    case IPP_STATUS_ERROR_DOCUMENT_UNPRINTABLE: return FailureReason::FormatNotSupported;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_ACCOUNT_INFO_NEEDED:
    case IPP_STATUS_ERROR_ACCOUNT_CLOSED:
    case IPP_STATUS_ERROR_ACCOUNT_LIMIT_REACHED:
    case IPP_STATUS_ERROR_ACCOUNT_AUTHORIZATION_FAILED:
    case IPP_STATUS_ERROR_CUPS_ACCOUNT_INFO_NEEDED:
    case IPP_STATUS_ERROR_CUPS_ACCOUNT_CLOSED:
    case IPP_STATUS_ERROR_CUPS_ACCOUNT_LIMIT_REACHED:
    case IPP_STATUS_ERROR_CUPS_ACCOUNT_AUTHORIZATION_FAILED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED: return FailureReason::NotAuthorized;
    case IPP_STATUS_ERROR_NOT_FOUND:
    case IPP_STATUS_ERROR_GONE: return FailureReason::PrinterGone;
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_TEMPORARY: return FailureReason::PrinterBusy;
    case IPP_STATUS_ERROR_REQUEST_ENTITY:
    case IPP_STATUS_ERROR_REQUEST_VALUE: return FailureReason::DocumentTooLarge;  // HTTP 413 becomes the latter
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS: return FailureReason::QueueFull;
    default: return FailureReason::ServiceError;
    }
}

[[noreturn]] void failWithLastError()
{
    throw PrintFailure(reasonFor(cupsLastError()), lastErrorText());
}

bool serviceReachable()
{
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectTimeoutMs, nullptr);
    if (!http) {
        return false;
    }
    httpClose(http);
    return true;
}

bool optionIs(const cups_dest_t& dest, const char* name, const char* value)
{
    const char* actual = cupsGetOption(name, dest.num_options, dest.options);
    return actual && std::strcmp(actual, value) == 0;
}

/// The default media of the destination with its printable area.
Paper defaultPaper(cups_dest_t* dest, cups_dinfo_t* info)
{
    cups_size_t size{};
    // The queue's configured default ("media-default", or the user's own "media" option)
    // comes first: cupsGetDestMediaDefault answers a size of its own choosing for some
    // drivers, whatever the queue is set to.
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    if (!media) {
        if (ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media")) {
            media = ippGetString(attr, 0, nullptr);
        }
    }
    bool found =
        media && cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info, media, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    if (!found) {
        found = cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    }
    if (!found) {
        failWithLastError();
    }
    // libcups measures media in hundredths of a millimetre.
    const auto mm = [](int hundredths) { return hundredths / 100.0; };
    return Paper{QSizeF(mm(size.width), mm(size.length)),
                 QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom))};
}

}  // namespace

/// The destination that a begun job goes to, looked up when its first text is printed.
struct CupsPrinter::Job {
    DestPtr dest;
    InfoPtr info;
    Paper paper;
    bool printerStopped = false;
};

CupsPrinter::CupsPrinter() = default;

CupsPrinter::~CupsPrinter() = default;

void CupsPrinter::setFontName(const std::string& name)
{
    recorder_.setFontName(name);
}

void CupsPrinter::setFontSize(float points)
{
    recorder_.setFontSize(points);
}

void CupsPrinter::setHorizontalPosition(float twips)
{
    recorder_.setHorizontalPosition(twips);
}

void CupsPrinter::setVerticalPosition(float twips)
{
    recorder_.setVerticalPosition(twips);
}

void CupsPrinter::printLine(const std::string& text)
{
    if (!job_) {
        notice_ = JobNotice::None;
        (void)recorder_.takePage();  // whatever a failed job left behind
        job_ = beginJob();
    }
    recorder_.printLine(text);
}

void CupsPrinter::endDocument()
{
    if (!job_) {
        return;  // nothing printed since the last end: there is no job to end
    }
    // The job is over whatever happens below: a failure leaves nothing to resume.
    const std::unique_ptr<Job> job = std::move(job_);
    const QByteArray pdf = renderPdf(recorder_.takePage(), job->paper);

    int jobId = 0;
    const ipp_status_t created =
        cupsCreateDestJob(CUPS_HTTP_DEFAULT, job->dest.get(), job->info.get(), &jobId, nullptr, 0, nullptr);
    if (!succeeded(created) || jobId <= 0) {
        throw PrintFailure(reasonFor(created), lastErrorText());
    }

    http_status_t sent = cupsStartDestDocument(CUPS_HTTP_DEFAULT, job->dest.get(), job->info.get(), jobId, nullptr,
                                               CUPS_FORMAT_PDF, 0, nullptr, 1);
    ipp_status_t finished = IPP_STATUS_ERROR_INTERNAL;
    if (sent == HTTP_STATUS_CONTINUE) {
        sent = cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), static_cast<std::size_t>(pdf.size()));
        // Always read the service's answer, also after a failed write: it says why.
        finished = cupsFinishDestDocument(CUPS_HTTP_DEFAULT, job->dest.get(), job->info.get());
    }
    if (sent != HTTP_STATUS_CONTINUE || !succeeded(finished)) {
        const ipp_status_t status = succeeded(finished) ? cupsLastError() : finished;
        const std::string text = lastErrorText();
        // A created job without its document would sit in the queue forever.
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, job->dest.get(), jobId);
        throw PrintFailure(reasonFor(status), text);
    }
    if (job->printerStopped) {
        notice_ = JobNotice::PrinterPaused;
    }
}

std::unique_ptr<CupsPrinter::Job> CupsPrinter::beginJob()
{
    auto job = std::make_unique<Job>();
    job->dest.reset(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (!job->dest) {
        const std::string text = lastErrorText();
        // Without a running scheduler the lookup also ends in "no default destination".
        if (!serviceReachable()) {
            throw PrintFailure(FailureReason::ServiceUnavailable, text);
        }
        throw PrintFailure(FailureReason::NoDefaultPrinter, text);
    }
    if (optionIs(*job->dest, "printer-is-accepting-jobs", "false")) {
        throw PrintFailure(FailureReason::NotAcceptingJobs, std::string());
    }
    job->info.reset(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, job->dest.get()));
    if (!job->info) {
        failWithLastError();
    }
    job->paper = defaultPaper(job->dest.get(), job->info.get());
    job->printerStopped = optionIs(*job->dest, "printer-state", "5");  // IPP_PSTATE_STOPPED
    return job;
}

}  // namespace virdamo::print
