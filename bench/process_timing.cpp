#include "process_timing.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

extern char** environ;

namespace virdamo::bench {

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

ProcessRun runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& overrides)
{
    std::vector<std::string> env = overrides;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&entry](const std::string& o) {
            return entry.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0;
        });
        if (!replaced) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args) {
        argp.push_back(a.data());
    }
    argp.push_back(nullptr);

    ProcessRun run;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    run.startNs = monotonicNanoseconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return run;
    }
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        run.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    const bool reaped = wait4(pid, &status, 0, &usage) == pid;
    run.endNs = monotonicNanoseconds();
    run.exitedZero = reaped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void summary(const char* what, const std::vector<double>& values, const char* unit)
{
    std::printf("%-26s median %8.1f %s   min %8.1f   max %8.1f\n", what, median(values), unit,
                *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()));
}

}  // namespace virdamo::bench
