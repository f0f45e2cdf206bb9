// Cold start of the real program: from just before the process is spawned until its start
// window is exposed (and until that first expose has been painted), and the process's peak
// resident memory, over repeated runs on the offscreen platform.
//   bench_cold_start [runs] [program] [probe]
// The probe (tests/app/start_probe.cpp), preloaded into the program, stamps the exposure
// with CLOCK_MONOTONIC and then closes the start window, so the program ends by itself.

#include "process_timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace virdamo::bench;

long long stampAfter(const std::string& output, const char* key)
{
    const std::size_t at = output.find(key);
    return at == std::string::npos ? -1 : std::atoll(output.c_str() + at + std::strlen(key));
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
        const ProcessRun run = runProcess(
            {program}, {"QT_QPA_PLATFORM=offscreen", "LD_PRELOAD=" + probe, "VIRDAMO_PROBE_SCRIPT=close-start"});
        const long long exposedNs = stampAfter(run.output, "exposed ");
        const long long paintedNs = stampAfter(run.output, "painted ");
        if (!run.exitedZero || exposedNs < 0 || paintedNs < 0) {
            std::fprintf(stderr, "run failed or reported no exposure (is the probe loaded?):\n%s", run.output.c_str());
            return 1;
        }
        exposed.push_back(static_cast<double>(exposedNs - run.startNs) / 1e6);
        painted.push_back(static_cast<double>(paintedNs - run.startNs) / 1e6);
        rss.push_back(run.peakRssMb);
        std::printf("run %2d: exposed %7.1f ms  painted %7.1f ms  peak RSS %6.1f MiB\n", i + 1, exposed.back(),
                    painted.back(), rss.back());
    }
    std::printf("\n%d runs of %s\n", runs, program);
    summary("start window exposed", exposed, "ms ");
    summary("first expose painted", painted, "ms ");
    summary("peak resident memory", rss, "MiB");
    const bool met = median(exposed) < 300.0 && *std::max_element(rss.begin(), rss.end()) < 60.0;
    std::printf("targets (median < 300 ms, peak < 60 MB): %s\n", met ? "met" : "NOT met");
    return 0;
}
