// One stress session in a process of its own, so that a crash or a sanitizer report ends
// only this process, and the test that started it can still shrink the actions leading there.
//
//   stress_session run <seed> <actions> <log>   random actions drawn from seed
//   stress_session replay <script> <log>        the actions of a script, one per line; those
//                                               a user could not do at that point are skipped
//
// The log gets "A <action>" before each action is done, "V <invariant>\t<detail>" for the
// first broken invariant (the session stops there), "K <count> <class>" for each class of
// action done, and "D <count>" when all were done. Exit status 0: every invariant held;
// 3: one broke; 2: bad arguments.

#include "action.h"
#include "session.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

using virdamo::stress::Action;
using virdamo::stress::Session;

class Log {
public:
    explicit Log(const char* path)
        : file_(std::fopen(path, "w"))
    {
    }
    ~Log()
    {
        if (file_) std::fclose(file_);
    }
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    [[nodiscard]] bool open() const { return file_ != nullptr; }

    /// Written through at once: the line must survive a crash in the next action.
    void line(const std::string& text)
    {
        std::fputs(text.c_str(), file_);
        std::fputc('\n', file_);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
};

/// Does action, unless a user could not; returns false when an invariant broke.
bool step(Session& session, const Action& action, Log& log, std::map<std::string, int>& done)
{
    log.line("A " + virdamo::stress::serialize(action));
    if (const auto broken = session.perform(action)) {
        log.line("V " + broken->invariant + "\t" + broken->detail);
        return false;
    }
    ++done[virdamo::stress::coverageLabel(action)];
    return true;
}

int finish(Log& log, const std::map<std::string, int>& done)
{
    int total = 0;
    for (const auto& [label, count] : done) {
        log.line("K " + std::to_string(count) + " " + label);
        total += count;
    }
    log.line("D " + std::to_string(total));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const std::string mode = argc > 1 ? argv[1] : "";
    std::map<std::string, int> done;
    if (mode == "run" && argc == 5) {
        Log log(argv[4]);
        if (!log.open()) return 2;
        std::mt19937_64 rng(std::stoull(argv[2]));
        const long actions = std::stol(argv[3]);
        Session session;
        for (long n = 0; n < actions; ++n) {
            if (!step(session, session.randomAction(rng), log, done)) return 3;
        }
        return finish(log, done);
    }
    if (mode == "replay" && argc == 4) {
        Log log(argv[3]);
        std::ifstream script(argv[2]);
        if (!log.open() || !script) return 2;
        Session session;
        for (std::string line; std::getline(script, line);) {
            const auto action = virdamo::stress::parse(line);
            if (!action) return 2;
            if (session.applicable(*action) && !step(session, *action, log, done)) return 3;
        }
        return finish(log, done);
    }
    std::fprintf(stderr, "usage: %s run <seed> <actions> <log> | replay <script> <log>\n", argv[0]);
    return 2;
}
