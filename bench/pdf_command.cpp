// The command line at work: `virdamo --pdf` of a class set of 30 different 4 x 3 sheets with
// pupils' pages and solutions (60 pages), as a process, from just before the spawn to its
// exit, and its peak resident memory, over repeated runs without any display.
//   bench_pdf_command [runs] [program]

#include "process_timing.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace virdamo::bench;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    const std::string program = argc > 2 ? argv[2] : VIRDAMO_EXECUTABLE;
    if (runs < 1) {
        std::fprintf(stderr, "usage: %s [runs] [program]\n", argv[0]);
        return 2;
    }
    char folder[] = "/tmp/virdamo-bench.XXXXXX";
    if (!mkdtemp(folder)) {
        return 1;
    }
    const std::string file = std::string(folder) + "/classe.pdf";

    std::vector<double> elapsed, rss;
    for (int i = 0; i < runs; ++i) {
        const ProcessRun run =
            runProcess({program, "--pdf", file, "--schede", "30", "--moltiplicando", "4", "--moltiplicatore", "3"},
                       {"DISPLAY=", "QT_QPA_PLATFORM="});
        if (!run.exitedZero || std::count(run.output.begin(), run.output.end(), '\n') != 30) {
            std::fprintf(stderr, "run failed:\n%s", run.output.c_str());
            return 1;
        }
        elapsed.push_back(static_cast<double>(run.endNs - run.startNs) / 1e6);
        rss.push_back(run.peakRssMb);
        std::printf("run %2d: %7.1f ms  peak RSS %6.1f MiB\n", i + 1, elapsed.back(), rss.back());
    }
    unlink(file.c_str());
    rmdir(folder);
    std::printf("\n%d runs of %s --pdf (30 sheets of 4 x 3, 60 pages)\n", runs, program.c_str());
    summary("exec to exit", elapsed, "ms ");
    summary("peak resident memory", rss, "MiB");
    const bool met = median(elapsed) < 150.0 && *std::max_element(rss.begin(), rss.end()) < 60.0;
    std::printf("targets (median < 150 ms, peak < 60 MB): %s\n", met ? "met" : "NOT met");
    return 0;
}
