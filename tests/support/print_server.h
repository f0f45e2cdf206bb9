#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace virdamo::test {

/// A print scheduler of the test's own, with its configuration, spool, cache, state and
/// logs in a temporary directory and one PDF queue writing into that directory. It never
/// touches the machine's print setup: it listens only on its own socket, and clients are
/// pointed at it through the environment. The destructor stops the scheduler (by its
/// process id) and removes the directory, also when the test failed.
class PrivatePrintServer final {
public:
    static constexpr const char* kQueue = "scheda";

    PrivatePrintServer();
    ~PrivatePrintServer();

    PrivatePrintServer(const PrivatePrintServer&) = delete;
    PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

    /// Starts the scheduler and waits until it takes requests; throws if it does not.
    void start();
    /// Adds a line to the scheduler's configuration; it applies from the next start.
    void configure(const std::string& directive) const;
    /// Stops the scheduler and waits for it to exit.
    void stop();
    /// Freezes the scheduler (SIGSTOP): it takes connections and answers nothing until thawed.
    void freeze() const;
    /// Lets a frozen scheduler go on (SIGCONT).
    void thaw() const;

    /// Adds the PDF queue on A4 paper, writing to outputFile(); optionally the default destination.
    void addQueue(bool makeDefault);
    /// Runs one of the print service's administration tools against this server, e.g.
    /// run("cupsreject", {kQueue}); throws if it fails.
    void run(const std::string& tool, const std::vector<std::string>& args) const;

    /// Points this process's print clients at this server (and nowhere else).
    void useFromThisProcess() const;

    /// The file that the queue's device writes each printed job to.
    [[nodiscard]] std::filesystem::path outputFile() const { return root_ / "out" / "sheet.pdf"; }

    /// Counts of the queue's jobs by how far they have got.
    struct Jobs {
        int pending = 0;  ///< waiting or held
        int printing = 0;
        int completed = 0;
        int failed = 0;  ///< aborted or cancelled
    };
    [[nodiscard]] Jobs jobs() const;
    /// An integer or enum attribute of the newest job of the queue, or -1.
    [[nodiscard]] int newestJobAttribute(const char* name) const;
    /// Waits until completed jobs reach count and no job is still waiting or printing.
    [[nodiscard]] bool waitForCompletedJobs(int count, std::chrono::milliseconds timeout) const;

    /// The scheduler's error log, for failure messages.
    [[nodiscard]] std::string errorLog() const;

private:
    [[nodiscard]] std::vector<std::string> environment() const;
    void writeConfiguration() const;

    std::filesystem::path root_;
    pid_t pid_ = -1;
};

/// A print service gone wrong on a loopback TCP port: it takes connections and then either
/// never answers or closes each at once. Pointed at with "127.0.0.1:<port>".
class LoopbackListener final {
public:
    enum class Manner { Silent, ClosesAtOnce };

    explicit LoopbackListener(Manner manner);
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    /// "127.0.0.1:<port>", as the print clients' server setting takes it.
    [[nodiscard]] std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread closer_;
};

}  // namespace virdamo::test
