// Cold start of the real program: from just before the process is spawned until its start
// window is exposed (and until that first expose has been painted), and the process's peak
// resident memory, over repeated runs on the offscreen platform.
//   bench_cold_start [runs] [program] [probe]
// The probe (tests/app/start_probe.cpp), preloaded into the program, stamps the exposure
// with CLOCK_MONOTONIC and then closes the start window, so the program ends by itself.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double exposedMs = 0;
    double paintedMs = 0;
    double peakRssMb = 0;
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long long stampAfter(const std::string& output, const char* key)
{
    const std::size_t at = output.find(key);
    return at == std::string::npos ? -1 : std::atoll(output.c_str() + at + std::strlen(key));
}

bool runOnce(const char* program, const std::string& probe, Sample& sample)
{
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "LD_PRELOAD=" + probe,
                                 "VIRDAMO_PROBE_SCRIPT=close-start"};
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("LD_PRELOAD=", 0) != 0
            && entry.rfind("VIRDAMO_PROBE_SCRIPT=", 0) != 0) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::string programPath(program);
    char* argv[] = {programPath.data(), nullptr};
    const long long start = monotonicNanoseconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return false;
    }

    std::string output;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "run failed (status %d):\n%s", status, output.c_str());
        return false;
    }
    const long long exposed = stampAfter(output, "exposed ");
    const long long painted = stampAfter(output, "painted ");
    if (exposed < 0 || painted < 0) {
        std::fprintf(stderr, "no exposure reported; is the probe loaded?\n%s", output.c_str());
        return false;
    }
    sample.exposedMs = static_cast<double>(exposed - start) / 1e6;
    sample.paintedMs = static_cast<double>(painted - start) / 1e6;
    sample.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void summary(const char* what, const std::vector<double>& v, const char* unit)
{
    std::printf("%-26s median %8.1f %s   min %8.1f   max %8.1f\n", what, median(v), unit,
                *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    const char* program = argc > 2 ? argv[2] : VIRDAMO_EXECUTABLE;
    const std::string probe = argc > 3 ? argv[3] : VIRDAMO_START_PROBE;
    if (runs < 1) {
        std::fprintf(stderr, "usage: %s [runs] [program] [probe]\n", argv[0]);
        return 2;
    }

    std::vector<double> exposed, painted, rss;
    for (int i = 0; i < runs; ++i) {
        Sample s;
        if (!runOnce(program, probe, s)) {
            return 1;
        }
        std::printf("run %2d: exposed %7.1f ms  painted %7.1f ms  peak RSS %6.1f MiB\n", i + 1, s.exposedMs,
                    s.paintedMs, s.peakRssMb);
        exposed.push_back(s.exposedMs);
        painted.push_back(s.paintedMs);
        rss.push_back(s.peakRssMb);
    }
    std::printf("\n%d runs of %s\n", runs, program);
    summary("start window exposed", exposed, "ms ");
    summary("first expose painted", painted, "ms ");
    summary("peak resident memory", rss, "MiB");
    const bool met = median(exposed) < 300.0 && *std::max_element(rss.begin(), rss.end()) < 60.0;
    std::printf("targets (median < 300 ms, peak < 60 MB): %s\n", met ? "met" : "NOT met");
    return 0;
}
