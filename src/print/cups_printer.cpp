#include "print/cups_printer.h"

#include "print/pdf_page.h"

#include <cups/cups.h>

#include <QByteArray>
#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace virdamo::print {

namespace {

using Clock = std::chrono::steady_clock;

/// How often a wait on the service looks whether it may go on, seconds.
constexpr double kPollSeconds = 0.1;

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

/// One connection to the print service whose every wait is bounded: by the limit of the
/// step under way, by the limit of the whole job, and by the user's cancel.
class BoundedConnection {
public:
    BoundedConnection(const PrintLimits& limits, const std::atomic<bool>& cancelled)
        : limits_(limits)
        , cancelled_(cancelled)
        , jobDeadline_(Clock::now() + limits.whole)
    {
    }
    ~BoundedConnection()
    {
        if (http_) {
            httpClose(http_);
        }
    }
    BoundedConnection(const BoundedConnection&) = delete;
    BoundedConnection& operator=(const BoundedConnection&) = delete;

    /// Starts a step: from now on, waits may last the step's limit (within the job's). A
    /// job cancelled or out of time goes no further.
    void step()
    {
        if (cancelled_ || Clock::now() >= jobDeadline_) {
            throw silence();
        }
        stepDeadline_ = std::min(Clock::now() + limits_.step, jobDeadline_);
    }

    /// Connects to the print service; false when it cannot be reached in time.
    bool open()
    {
        step();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(stepDeadline_ - Clock::now());
        cancelFlag_ = cancelled_ ? 1 : 0;
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             static_cast<int>(std::max<long long>(1, ms.count())), &cancelFlag_);
        if (http_) {
            httpSetTimeout(http_, kPollSeconds, &BoundedConnection::mayWait, this);
        }
        return http_ != nullptr;
    }

    [[nodiscard]] http_t* http() const { return http_; }

    /// The failure that explains a request that got no answer: the user's cancel, or a
    /// service that does not answer.
    [[nodiscard]] PrintFailure silence() const
    {
        if (cancelled_) {
            return PrintFailure(FailureReason::Cancelled, std::string());
        }
        return PrintFailure(FailureReason::ServiceUnavailable, lastErrorText());
    }

private:
    static int mayWait(http_t* /*http*/, void* data)
    {
        const auto* self = static_cast<const BoundedConnection*>(data);
        return !self->cancelled_ && Clock::now() < self->stepDeadline_ ? 1 : 0;
    }

    PrintLimits limits_;
    const std::atomic<bool>& cancelled_;
    Clock::time_point jobDeadline_;
    Clock::time_point stepDeadline_;
    int cancelFlag_ = 0;
    http_t* http_ = nullptr;
};

bool optionIs(const cups_dest_t& dest, const char* name, const char* value)
{
    const char* actual = cupsGetOption(name, dest.num_options, dest.options);
    return actual && std::strcmp(actual, value) == 0;
}

/// The default destination. Without one, the service is asked itself whether it has a
/// default: the lookup ends in "no default destination" also when the service never
/// answered, and only a service that answers may be said to have none.
DestPtr defaultDestination(BoundedConnection& service)
{
    service.step();
    DestPtr dest(cupsGetNamedDest(service.http(), nullptr, nullptr));
    if (dest) {
        return dest;
    }
    const std::string text = lastErrorText();
    service.step();
    ipp_t* answer = cupsDoRequest(service.http(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (!answer) {
        throw service.silence();
    }
    const ipp_status_t status = ippGetStatusCode(answer);
    ippDelete(answer);
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        throw PrintFailure(FailureReason::NoDefaultPrinter, text);
    }
    throw PrintFailure(FailureReason::ServiceUnavailable, text);
}

/// The default media of the destination with its printable area.
Paper defaultPaper(BoundedConnection& service, cups_dest_t* dest, cups_dinfo_t* info)
{
    service.step();
    http_t* http = service.http();
    cups_size_t size{};
    // The queue's configured default ("media-default", or the user's own "media" option)
    // comes first: cupsGetDestMediaDefault answers a size of its own choosing for some
    // drivers, whatever the queue is set to.
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    if (!media) {
        if (ipp_attribute_t* attr = cupsFindDestDefault(http, dest, info, "media")) {
            media = ippGetString(attr, 0, nullptr);
        }
    }
    bool found = media && cupsGetDestMediaByName(http, dest, info, media, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    if (!found) {
        found = cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    }
    if (!found) {
        throw PrintFailure(reasonFor(cupsLastError()), lastErrorText());
    }
    // libcups measures media in hundredths of a millimetre.
    const auto mm = [](int hundredths) { return hundredths / 100.0; };
    return Paper{QSizeF(mm(size.width), mm(size.length)),
                 QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom))};
}

/// Where requests for dest go: its URI and the resource on the service.
std::pair<std::string, std::string> printerAddress(const cups_dest_t& dest)
{
    const char* uri = cupsGetOption("printer-uri-supported", dest.num_options, dest.options);
    char scheme[32];
    char user[256];
    char host[256];
    char resource[1024];
    int port = 0;
    if (!uri
        || httpSeparateURI(HTTP_URI_CODING_ALL, uri, scheme, sizeof scheme, user, sizeof user, host, sizeof host, &port,
                           resource, sizeof resource)
            < HTTP_URI_STATUS_OK) {
        throw PrintFailure(FailureReason::PrinterGone, uri ? uri : "no printer-uri-supported");
    }
    return {uri, resource};
}

/// A job that the service may hold although its answer never came: found again by its
/// unique name on a connection of its own, and cancelled.
void cancelUnanswered(const std::string& jobName, const PrintLimits& limits)
{
    const std::atomic<bool> notCancelled{false};
    BoundedConnection service(PrintLimits{limits.step, limits.step}, notCancelled);
    if (!service.open()) {
        return;
    }
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(service.http(), &jobs, nullptr, 1, CUPS_WHICHJOBS_ACTIVE);
    for (int k = 0; k < count; ++k) {
        if (jobs[k].title && jobName == jobs[k].title) {
            service.step();
            cupsCancelJob2(service.http(), jobs[k].dest, jobs[k].id, 0);
        }
    }
    cupsFreeJobs(count, jobs);
}

/// Submits pdf to dest in one request (Print-Job), so that a transfer that breaks off
/// leaves no job waiting for its document.
void submit(BoundedConnection& service, const cups_dest_t& dest, const QByteArray& pdf, const PrintLimits& limits)
{
    const auto [uri, resource] = printerAddress(dest);
    // A name of its own, so that a job whose answer never came can be found and cancelled.
    const std::string jobName = "Scheda delle moltiplicazioni "
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toStdString();
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, jobName.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, CUPS_FORMAT_PDF);
    // The page is portrait by design: a queue's default of landscape must not turn it.
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, "orientation-requested", IPP_ORIENT_PORTRAIT);

    service.step();
    // The length is that of the whole body: the request and the document after it.
    http_status_t sent = cupsSendRequest(service.http(), request, resource.c_str(),
                                         ippLength(request) + static_cast<std::size_t>(pdf.size()));
    if (sent == HTTP_STATUS_CONTINUE) {
        service.step();
        sent = cupsWriteRequestData(service.http(), pdf.constData(), static_cast<std::size_t>(pdf.size()));
    }
    ippDelete(request);
    // Always read the service's answer, also after a failed write: it says why.
    service.step();
    ipp_t* answer = cupsGetResponse(service.http(), resource.c_str());
    if (!answer) {
        // A refusal of the transfer itself comes as an HTTP status, before any IPP answer;
        // a broken or missing answer means the service does not answer.
        const http_status_t refused = httpGetStatus(service.http());
        const ipp_status_t error = cupsLastError();
        const bool silent = error == IPP_STATUS_OK || error == IPP_STATUS_ERROR_INTERNAL
            || error == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || error == IPP_STATUS_ERROR_TIMEOUT;
        const PrintFailure failure = refused == HTTP_STATUS_REQUEST_TOO_LARGE
            ? PrintFailure(FailureReason::DocumentTooLarge, httpStatus(refused))
            : refused == HTTP_STATUS_UNAUTHORIZED || refused == HTTP_STATUS_FORBIDDEN
            ? PrintFailure(FailureReason::NotAuthorized, httpStatus(refused))
            : silent ? service.silence()
                     : PrintFailure(reasonFor(error), lastErrorText());
        if (failure.reason() == FailureReason::Cancelled || failure.reason() == FailureReason::ServiceUnavailable) {
            cancelUnanswered(jobName, limits);
        }
        throw failure;
    }
    const ipp_status_t status = ippGetStatusCode(answer);
    ippDelete(answer);
    if (!succeeded(status)) {
        throw PrintFailure(reasonFor(status), lastErrorText());
    }
}

}  // namespace

CupsPrinter::CupsPrinter(PrintLimits limits)
    : limits_(limits)
{
}

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
    if (!jobOpen_) {
        jobOpen_ = true;
        notice_ = JobNotice::None;
        (void)recorder_.takePage();  // whatever a failed job left behind
    }
    recorder_.printLine(text);
}

void CupsPrinter::endDocument()
{
    if (!std::exchange(jobOpen_, false)) {
        return;  // nothing printed since the last end: there is no job to end
    }
    const Page page = recorder_.takePage();
    BoundedConnection service(limits_, cancelled_);
    if (!service.open()) {
        throw service.silence();
    }
    const DestPtr dest = defaultDestination(service);
    if (optionIs(*dest, "printer-is-accepting-jobs", "false")) {
        throw PrintFailure(FailureReason::NotAcceptingJobs, std::string());
    }
    service.step();
    const InfoPtr info(cupsCopyDestInfo(service.http(), dest.get()));
    if (!info) {
        const ipp_status_t status = cupsLastError();
        throw status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE
            ? service.silence()
            : PrintFailure(reasonFor(status), lastErrorText());
    }
    const Paper paper = defaultPaper(service, dest.get(), info.get());
    submit(service, *dest, renderPdf(page, paper), limits_);
    if (optionIs(*dest, "printer-state", "5")) {  // IPP_PSTATE_STOPPED
        notice_ = JobNotice::PrinterPaused;
    }
}

void CupsPrinter::cancel()
{
    cancelled_ = true;
}

}  // namespace virdamo::print
