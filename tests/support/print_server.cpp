#include "print_server.h"

#include <cups/cups.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <algorithm>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace virdamo::test {

namespace fs = std::filesystem;

namespace {

const char* const kPpdName = "lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd";
const char* const kPpdFile = "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

/// NULL-terminated pointers into strings, as exec and spawn want them.
std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (std::string& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

bool acceptsConnections(const fs::path& socketPath)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof(address.sun_path) - 1);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

PrivatePrintServer::PrivatePrintServer()
{
    std::string pattern = (fs::temp_directory_path() / "virdamo-print.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed: " + std::string(std::strerror(errno)));
    }
    root_ = pattern;
    // Run as root, the scheduler starts its filters as an unprivileged user, who must be
    // able to reach the spool and the configuration below this directory.
    for (const char* dir : {"", "etc", "client", "home", "cache", "state", "spool", "spool/tmp", "log", "out"}) {
        const fs::path path = root_ / dir;
        fs::create_directories(path);
        ::chmod(path.c_str(), 0755);
    }
    writeConfiguration();
}

PrivatePrintServer::~PrivatePrintServer()
{
    try {
        stop();
    } catch (...) {
        // The directory goes anyway.
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void PrivatePrintServer::writeConfiguration() const
{
    const std::string root = root_.string();
    writeFile(root_ / "etc" / "cupsd.conf",
              "Listen " + root
                  + "/cups.sock\n"
                    "Browsing No\n"
                    "BrowseLocalProtocols none\n"
                    "DefaultShared No\n"
                    "WebInterface No\n"
                    "LogLevel info\n"
                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                    "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    writeFile(root_ / "etc" / "cups-files.conf",
              "ServerRoot " + root
                  + "/etc\n"
                    "CacheDir "
                  + root
                  + "/cache\n"
                    "StateDir "
                  + root
                  + "/state\n"
                    "RequestRoot "
                  + root
                  + "/spool\n"
                    "TempDir "
                  + root
                  + "/spool/tmp\n"
                    "ErrorLog "
                  + root
                  + "/log/error_log\n"
                    "AccessLog "
                  + root
                  + "/log/access_log\n"
                    "PageLog "
                  + root
                  + "/log/page_log\n"
                    "Printcap "
                  + root
                  + "/state/printcap\n"
                    "FileDevice Yes\n");
}

void PrivatePrintServer::configure(const std::string& directive) const
{
    std::ofstream(root_ / "etc" / "cupsd.conf", std::ios::app) << directive << '\n';
}

std::vector<std::string> PrivatePrintServer::environment() const
{
    const std::string root = root_.string();
    return {"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "LANG=C", "HOME=" + root + "/home",
            "CUPS_SERVER=" + root + "/cups.sock", "CUPS_SERVERROOT=" + root + "/client",
            // No system bus: nothing may reach the machine's own services.
            "DBUS_SYSTEM_BUS_ADDRESS=unix:path=" + root + "/no-such-bus"};
}

void PrivatePrintServer::useFromThisProcess() const
{
    for (const std::string& entry : environment()) {
        const auto eq = entry.find('=');
        const std::string name = entry.substr(0, eq);
        if (name != "PATH" && name != "LANG") {
            ::setenv(name.c_str(), entry.substr(eq + 1).c_str(), 1);
        }
    }
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    // libcups keeps the server it first looked up for the life of the thread.
    cupsSetServer((root_ / "cups.sock").c_str());
}

void PrivatePrintServer::start()
{
    if (pid_ > 0) {
        return;
    }
    std::vector<std::string> argv{VIRDAMO_CUPSD, "-f",
                                  "-c",          (root_ / "etc" / "cupsd.conf").string(),
                                  "-s",          (root_ / "etc" / "cups-files.conf").string()};
    std::vector<std::string> envp = environment();
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> envpPointers = pointers(envp);
    const std::string logPath = (root_ / "log" / "cupsd.out").string();
    const pid_t parent = ::getpid();

    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
    }
    if (pid == 0) {
        // Only async-signal-safe calls here: the test process has threads.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // a crashed test takes its scheduler along
        if (::getppid() != parent) {
            ::_exit(127);
        }
        const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            ::dup2(log, STDOUT_FILENO);
            ::dup2(log, STDERR_FILENO);
        }
        ::execve(argvPointers[0], argvPointers.data(), envpPointers.data());
        ::_exit(127);
    }
    pid_ = pid;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!acceptsConnections(root_ / "cups.sock")) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the print scheduler exited at start:\n" + readFile(root_ / "log" / "cupsd.out")
                                     + errorLog());
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            throw std::runtime_error("the print scheduler did not start listening:\n" + errorLog());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void PrivatePrintServer::freeze() const
{
    ::kill(pid_, SIGSTOP);
}

void PrivatePrintServer::thaw() const
{
    ::kill(pid_, SIGCONT);
}

void PrivatePrintServer::stop()
{
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGCONT);  // a frozen scheduler would never see the request to end
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
}

void PrivatePrintServer::run(const std::string& tool, const std::vector<std::string>& args) const
{
    std::vector<std::string> argv{std::string(VIRDAMO_CUPS_ADMIN_DIR) + "/" + tool};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp = environment();
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> envpPointers = pointers(envp);
    const fs::path log = root_ / "log" / "tool.out";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int spawned =
        ::posix_spawn(&pid, argvPointers[0], &actions, nullptr, argvPointers.data(), envpPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot run " + tool + ": " + std::strerror(spawned));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(tool + " failed:\n" + readFile(log));
    }
}

void PrivatePrintServer::addQueue(bool makeDefault)
{
    const std::string device = "file://" + outputFile().string();
    try {
        run("lpadmin", {"-p", kQueue, "-E", "-v", device, "-m", kPpdName, "-o", "PageSize=A4"});
    } catch (const std::runtime_error&) {
        // A scheduler that does not list the driver still takes the PPD file itself.
        run("lpadmin", {"-p", kQueue, "-E", "-v", device, "-P", kPpdFile, "-o", "PageSize=A4"});
    }
    if (makeDefault) {
        run("lpadmin", {"-d", kQueue});
    }
}

PrivatePrintServer::Jobs PrivatePrintServer::jobs() const
{
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, kQueue, 0, CUPS_WHICHJOBS_ALL);
    Jobs jobs;
    for (int k = 0; k < count; ++k) {
        switch (list[k].state) {
        case IPP_JSTATE_PENDING:
        case IPP_JSTATE_HELD: ++jobs.pending; break;
        case IPP_JSTATE_PROCESSING:
        case IPP_JSTATE_STOPPED: ++jobs.printing; break;
        case IPP_JSTATE_COMPLETED: ++jobs.completed; break;
        case IPP_JSTATE_CANCELED:
        case IPP_JSTATE_ABORTED: ++jobs.failed; break;
        }
    }
    cupsFreeJobs(count, list);
    return jobs;
}

bool PrivatePrintServer::waitForCompletedJobs(int count, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        const Jobs now = jobs();
        if (now.completed >= count && now.pending == 0 && now.printing == 0) {
            return true;
        }
        if (now.failed > 0) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

int PrivatePrintServer::newestJobAttribute(const char* name) const
{
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, kQueue, 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int k = 0; k < count; ++k) {
        newest = std::max(newest, list[k].id);
    }
    cupsFreeJobs(count, list);
    if (newest == 0) {
        return -1;
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(newest);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
    ipp_t* answer = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* attribute = answer ? ippFindAttribute(answer, name, IPP_TAG_ZERO) : nullptr;
    const int value = attribute ? ippGetInteger(attribute, 0) : -1;
    ippDelete(answer);
    return value;
}

LoopbackListener::LoopbackListener(Manner manner)
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd_, 16) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on loopback: " + std::string(std::strerror(errno)));
    }
    port_ = ntohs(address.sin_port);
    if (manner == Manner::ClosesAtOnce) {
        closer_ = std::thread([this] {
            while (!stopping_) {
                pollfd wait{fd_, POLLIN, 0};
                if (::poll(&wait, 1, 50) > 0) {
                    const int client = ::accept(fd_, nullptr, nullptr);
                    if (client >= 0) {
                        ::close(client);
                    }
                }
            }
        });
    }
}

LoopbackListener::~LoopbackListener()
{
    stopping_ = true;
    if (closer_.joinable()) {
        closer_.join();
    }
    ::close(fd_);
}

std::string PrivatePrintServer::errorLog() const
{
    return readFile(root_ / "log" / "error_log");
}

}  // namespace virdamo::test
