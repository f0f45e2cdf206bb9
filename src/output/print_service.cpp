#include "output/print_service.h"

#include <cups/cups.h>

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace virdamo::output {

using pages::JobNotice;

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
struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoDeleter>;
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

std::string lastErrorText()
{
    const char* text = cupsLastErrorString();
    return text ? std::string(text) : std::string();
}

/// The reason a request the service refused with status is told with.
FailureReason reasonFor(ipp_status_t status)
{
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
    case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED: return FailureReason::NotAcceptingJobs;
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

/// Threads that cancel, on the service, jobs whose answer never came; they outlive the
/// command that started them, each bounded by its own limits, and are waited for at exit.
class Background final {
public:
    static void run(std::function<void()> task)
    {
        Background& self = instance();
        const std::lock_guard lock(self.mutex_);
        self.threads_.emplace_back(std::move(task));
    }
    ~Background()
    {
        for (std::thread& t : threads_) {
            t.join();
        }
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

private:
    Background() = default;
    static Background& instance()
    {
        static Background background;
        return background;
    }
    std::mutex mutex_;
    std::vector<std::thread> threads_;
};

/// One connection to the print service whose every wait is bounded: by the limit of the
/// step under way, by the limit of the whole command, and by the user's cancel.
class BoundedConnection {
public:
    BoundedConnection(const PrintLimits& limits, const std::atomic<bool>& cancelled, int* cancelConnect)
        : limits_(limits)
        , cancelled_(cancelled)
        , cancelConnect_(cancelConnect)
        , deadline_(Clock::now() + limits.whole)
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

    /// Starts a step: from now on, waits may last the step's limit (within the command's).
    /// A command cancelled or out of time goes no further.
    void step()
    {
        if (cancelled_ || Clock::now() >= deadline_) {
            throw silence();
        }
        stepDeadline_ = std::min(Clock::now() + limits_.step, deadline_);
    }

    /// Connects to the print service; throws when it cannot be reached in time.
    void open()
    {
        step();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(stepDeadline_ - Clock::now());
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             static_cast<int>(std::max<long long>(1, ms.count())), cancelConnect_);
        if (!http_) {
            throw silence();
        }
        httpSetTimeout(http_, kPollSeconds, &BoundedConnection::mayWait, this);
    }

    [[nodiscard]] http_t* http() const { return http_; }

    /// The failure a request that got no answer means: the user's cancel, or a service
    /// that does not answer.
    [[nodiscard]] OutputFailure silence() const
    {
        if (cancelled_) {
            return OutputFailure(FailureReason::Cancelled, "cancelled");
        }
        return OutputFailure(FailureReason::ServiceUnavailable, lastErrorText());
    }

    /// The failure a request ended in that brought no usable answer: a silence, or the
    /// service's refusal (an IPP status, or an HTTP one before any IPP answer).
    [[nodiscard]] OutputFailure failure() const
    {
        const http_status_t refused = httpGetStatus(http_);
        if (refused == HTTP_STATUS_REQUEST_TOO_LARGE) {
            return OutputFailure(FailureReason::DocumentTooLarge, httpStatus(refused));
        }
        if (refused == HTTP_STATUS_UNAUTHORIZED || refused == HTTP_STATUS_FORBIDDEN) {
            return OutputFailure(FailureReason::NotAuthorized, httpStatus(refused));
        }
        return refusal(cupsLastError());
    }

    /// The failure an answer with status means (or no answer, for the statuses libcups
    /// sets when none came).
    [[nodiscard]] OutputFailure refusal(ipp_status_t status) const
    {
        switch (status) {
        case IPP_STATUS_OK:  // nothing was answered at all
        case IPP_STATUS_ERROR_INTERNAL:
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        case IPP_STATUS_ERROR_TIMEOUT: return silence();
        default: return OutputFailure(reasonFor(status), lastErrorText(), static_cast<int>(status));
        }
    }

private:
    static int mayWait(http_t* /*http*/, void* data)
    {
        const auto* self = static_cast<const BoundedConnection*>(data);
        return !self->cancelled_ && Clock::now() < self->stepDeadline_ ? 1 : 0;
    }

    PrintLimits limits_;
    const std::atomic<bool>& cancelled_;
    int* cancelConnect_;
    Clock::time_point deadline_;
    Clock::time_point stepDeadline_;
    http_t* http_ = nullptr;
};

/// Sends request on service and returns its answer, which says the request succeeded.
IppPtr ask(BoundedConnection& service, ipp_t* request, const char* resource)
{
    service.step();
    IppPtr answer(cupsDoRequest(service.http(), request, resource));
    if (!answer) {
        throw service.failure();
    }
    if (const ipp_status_t status = ippGetStatusCode(answer.get()); status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        throw service.refusal(status);
    }
    return answer;
}

bool optionIs(const cups_dest_t& dest, const char* name, const char* value)
{
    const char* actual = cupsGetOption(name, dest.num_options, dest.options);
    return actual && std::strcmp(actual, value) == 0;
}

/// The state ("printer-state") the service reported for dest, an IPP printer state.
int printerState(const cups_dest_t& dest)
{
    const char* state = cupsGetOption("printer-state", dest.num_options, dest.options);
    return state ? std::atoi(state) : IPP_PSTATE_IDLE;
}

/// The destination named name, or the default one for an empty name. Without one the
/// service is asked itself: only a service that answers may be said to have none.
DestPtr destination(BoundedConnection& service, const std::string& name)
{
    service.step();
    DestPtr dest(cupsGetNamedDest(service.http(), name.empty() ? nullptr : name.c_str(), nullptr));
    if (dest) {
        return dest;
    }
    if (!name.empty()) {
        throw service.failure();  // "not found" says the printer is gone
    }
    const std::string text = lastErrorText();
    service.step();
    IppPtr answer(cupsDoRequest(service.http(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    if (!answer) {
        throw service.failure();
    }
    if (ippGetStatusCode(answer.get()) == IPP_STATUS_ERROR_NOT_FOUND) {
        throw OutputFailure(FailureReason::NoDefaultPrinter, text);
    }
    throw service.silence();
}

/// The default media of dest with its printable area.
Paper defaultPaper(BoundedConnection& service, cups_dest_t* dest)
{
    service.step();
    const InfoPtr info(cupsCopyDestInfo(service.http(), dest));
    if (!info) {
        throw service.failure();
    }
    service.step();
    http_t* http = service.http();
    cups_size_t size{};
    // The queue's configured default ("media-default", or the user's own "media" option)
    // comes first: cupsGetDestMediaDefault answers a size of its own choosing for some
    // drivers, whatever the queue is set to.
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    if (!media) {
        if (ipp_attribute_t* attr = cupsFindDestDefault(http, dest, info.get(), "media")) {
            media = ippGetString(attr, 0, nullptr);
        }
    }
    bool found = media && cupsGetDestMediaByName(http, dest, info.get(), media, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    if (!found) {
        found = cupsGetDestMediaDefault(http, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    }
    if (!found) {
        throw service.failure();
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
        throw OutputFailure(FailureReason::PrinterGone, uri ? uri : "no printer-uri-supported");
    }
    return {uri, resource};
}

/// A job that the service may hold although its answer never came: found again by its
/// unique name on a connection of its own, and cancelled.
void cancelUnanswered(const std::string& jobName, const PrintLimits& limits)
{
    const std::atomic<bool> notCancelled{false};
    BoundedConnection service(PrintLimits{limits.step, limits.step * 2}, notCancelled, nullptr);
    if (!failureOf([&] { service.open(); })) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(service.http(), &jobs, nullptr, 1, CUPS_WHICHJOBS_ACTIVE);
        for (int k = 0; k < count; ++k) {
            if (jobs[k].title && jobName == jobs[k].title && !failureOf([&] { service.step(); })) {
                cupsCancelJob2(service.http(), jobs[k].dest, jobs[k].id, 0);
            }
        }
        cupsFreeJobs(count, jobs);
    }
}

/// The Print-Job request for a job named jobName on the printer at uri.
IppPtr printRequest(const std::string& uri, const std::string& jobName, const JobOptions& options)
{
    IppPtr request(ippNewRequest(IPP_OP_PRINT_JOB));
    ipp_t* r = request.get();
    ippAddString(r, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(r, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(r, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, jobName.c_str());
    ippAddString(r, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, CUPS_FORMAT_PDF);
    // The pages are portrait by design: a queue's default of landscape must not turn them.
    ippAddInteger(r, IPP_TAG_JOB, IPP_TAG_ENUM, "orientation-requested", IPP_ORIENT_PORTRAIT);
    if (options.copies > 1) {
        ippAddInteger(r, IPP_TAG_JOB, IPP_TAG_INTEGER, "copies", options.copies);
        ippAddString(r, IPP_TAG_JOB, IPP_TAG_KEYWORD, "multiple-document-handling", nullptr,
                     options.collate ? "separate-documents-collated-copies" : "separate-documents-uncollated-copies");
    }
    if (!options.pageRanges.empty()) {
        std::vector<int> lower;
        std::vector<int> upper;
        for (const auto& [first, last] : options.pageRanges) {
            lower.push_back(first);
            upper.push_back(last);
        }
        ippAddRanges(r, IPP_TAG_JOB, "page-ranges", static_cast<int>(lower.size()), lower.data(), upper.data());
    }
    return request;
}

/// Sends request with pdf after it in one body; throws unless the service takes it all.
void sendWithDocument(BoundedConnection& service, ipp_t* request, const std::string& resource, const QByteArray& pdf)
{
    service.step();
    // The length is that of the whole body: the request and the document after it.
    http_status_t sent = cupsSendRequest(service.http(), request, resource.c_str(),
                                         ippLength(request) + static_cast<std::size_t>(pdf.size()));
    if (sent == HTTP_STATUS_CONTINUE) {
        service.step();
        sent = cupsWriteRequestData(service.http(), pdf.constData(), static_cast<std::size_t>(pdf.size()));
    }
    (void)sent;  // a refused transfer is told by the answer, read whatever happened here
}

/// Reads the answer to a request sent with sendWithDocument; throws unless it says the job
/// was taken.
void readAnswer(BoundedConnection& service, const std::string& resource)
{
    service.step();
    const IppPtr answer(cupsGetResponse(service.http(), resource.c_str()));
    if (!answer) {
        throw service.failure();
    }
    if (const ipp_status_t status = ippGetStatusCode(answer.get()); status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        throw service.refusal(status);
    }
}

}  // namespace

PrintService::PrintService(PrintLimits limits)
    : limits_(limits)
{
}

PrintService::~PrintService() = default;

int PrintService::checkPrinters()
{
    BoundedConnection service(limits_, cancelled_, &cancelConnect_);
    service.open();
    IppPtr request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
    IppPtr answer;
    try {
        answer = ask(service, request.release(), "/");
    } catch (const OutputFailure& failure) {
        if (failure.reason() == FailureReason::PrinterGone) {  // "not found": the list is empty
            throw OutputFailure(FailureReason::NoPrinter, "no printer");
        }
        throw;
    }
    int printers = 0;
    for (ipp_attribute_t* a = ippFirstAttribute(answer.get()); a; a = ippNextAttribute(answer.get())) {
        if (ippGetName(a) && std::strcmp(ippGetName(a), "printer-name") == 0) {
            ++printers;
        }
    }
    if (printers == 0) {
        throw OutputFailure(FailureReason::NoPrinter, "no printer");
    }
    return printers;
}

JobNotice PrintService::print(const PrintJob& job)
{
    BoundedConnection service(limits_, cancelled_, &cancelConnect_);
    service.open();
    const DestPtr dest = destination(service, job.destination);
    if (optionIs(*dest, "printer-is-accepting-jobs", "false")) {
        throw OutputFailure(FailureReason::NotAcceptingJobs, "printer-is-accepting-jobs false");
    }
    const Paper paper = job.paper ? *job.paper : defaultPaper(service, dest.get());
    const QByteArray pdf = job.render(paper);

    const auto [uri, resource] = printerAddress(*dest);
    // A name of its own, so that a job whose answer never came can be found and cancelled.
    const std::string jobName = "Schede delle moltiplicazioni "
        + QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss.zzz").toStdString();
    const IppPtr request = printRequest(uri, jobName, job.options);
    try {
        sendWithDocument(service, request.get(), resource, pdf);
        readAnswer(service, resource);
    } catch (const OutputFailure& failure) {
        if (failure.reason() == FailureReason::Cancelled || failure.reason() == FailureReason::ServiceUnavailable) {
            Background::run([jobName, limits = limits_] { cancelUnanswered(jobName, limits); });
        }
        throw;
    }
    return printerState(*dest) == IPP_PSTATE_STOPPED ? JobNotice::PrinterPaused : JobNotice::None;
}

void PrintService::cancel()
{
    cancelled_ = true;
    std::atomic_ref<int>(cancelConnect_).store(1);
}

}  // namespace virdamo::output
