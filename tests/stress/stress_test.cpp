// Randomized stress run of the whole program: long random sequences of user actions over
// both windows, every invariant checked after every action. Each seed runs in a child
// process (stress_session); a failing run is shrunk to the shortest action list that still
// breaks the same invariant (or crashes the same way), each candidate replayed in a fresh
// process.
//
// Test-only knobs, read by this test and never by the program:
//   VIRDAMO_STRESS_ACTIONS  actions per seed (default 2500) - the long run
//   VIRDAMO_STRESS_SEED     seed of case 0; case k runs this seed + k

#include "action.h"
#include "ddmin.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace virdamo::stress {
namespace {

constexpr std::uint64_t kSeeds[] = {20240611, 7340033, 99991, 31337, 4242424242, 86028121, 1000003, 271828};
constexpr long kDefaultActions = 2500;
constexpr int kMaxReplays = 400;
constexpr qint64 kShrinkMs = qint64{5} * 60 * 1000;

long actionsPerSeed()
{
    const char* value = std::getenv("VIRDAMO_STRESS_ACTIONS");
    return value ? std::strtol(value, nullptr, 10) : kDefaultActions;
}

std::uint64_t seedOf(int k)
{
    const char* value = std::getenv("VIRDAMO_STRESS_SEED");
    return value ? std::strtoull(value, nullptr, 10) + static_cast<std::uint64_t>(k)
                 : kSeeds[static_cast<std::size_t>(k)];
}

/// What a child session did and how it ended.
struct ChildRun {
    enum class End { Held, Broke, Crashed, Hung } end = End::Crashed;
    std::string signature;  ///< what broke: the invariant, the sanitizer's summary, or how it died
    std::string detail;
    std::vector<Action> performed;
    std::map<std::string, int> coverage;
    long done = -1;
    std::string errors;  ///< the end of the child's standard error
};

ChildRun runChild(const QStringList& arguments, const QString& logPath, int timeoutMs)
{
    QFile::remove(logPath);  // nothing of an earlier run may be taken for this one
    QProcess process;
    process.setProgram(QStringLiteral(VIRDAMO_STRESS_SESSION));
    process.setArguments(arguments);
    process.start();
    ChildRun run;
    if (!process.waitForStarted()) {
        run.signature = run.detail = "stress_session did not start: " + process.errorString().toStdString();
        return run;
    }
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }

    QFile log(logPath);
    if (log.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&log);
        for (QString line = in.readLine(); !line.isNull(); line = in.readLine()) {
            const std::string text = line.mid(2).toStdString();
            if (line.startsWith(QLatin1String("A "))) {
                if (const auto action = parse(text)) run.performed.push_back(*action);
            } else if (line.startsWith(QLatin1String("V "))) {
                const auto tab = text.find('\t');
                run.signature = text.substr(0, tab);
                run.detail = tab == std::string::npos ? std::string() : text.substr(tab + 1);
            } else if (line.startsWith(QLatin1String("K "))) {
                const auto blank = text.find(' ');
                run.coverage[text.substr(blank + 1)] = std::stoi(text.substr(0, blank));
            } else if (line.startsWith(QLatin1String("D "))) {
                run.done = std::stol(text);
            }
        }
    }
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    // A sanitizer's report opens with the fault and the stack that met it.
    const qsizetype report = errors.indexOf(QRegularExpression(QStringLiteral("ERROR: |runtime error: ")));
    run.errors =
        (report >= 0 ? errors.mid(errors.lastIndexOf(QLatin1Char('\n'), report) + 1, 5000) : errors.right(5000))
            .toStdString();

    if (!finished) {
        run.end = ChildRun::End::Hung;
        run.signature = "hang";
    } else if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        run.end = ChildRun::End::Held;
    } else if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 3 && !run.signature.empty()) {
        run.end = ChildRun::End::Broke;
    } else {
        run.end = ChildRun::End::Crashed;
        const QRegularExpressionMatch summary = QRegularExpression(QStringLiteral("SUMMARY: ([^\\n]*)")).match(errors);
        run.signature = summary.hasMatch()                ? summary.captured(1).toStdString()
            : process.exitStatus() == QProcess::CrashExit ? "crash"
                                                          : "exit status " + std::to_string(process.exitCode());
        run.detail = run.signature;
    }
    return run;
}

std::string numbered(const std::vector<Action>& actions)
{
    std::ostringstream out;
    for (std::size_t k = 0; k < actions.size(); ++k) out << "  " << (k + 1) << ". " << describe(actions[k]) << "\n";
    return out.str();
}

/// Replays candidate action lists in fresh processes, within a budget.
class Replayer {
public:
    explicit Replayer(const QString& dir)
        : script_(dir + QStringLiteral("/candidate.script"))
        , log_(dir + QStringLiteral("/candidate.log"))
    {
        clock_.start();
    }

    /// Nothing once the budget is spent.
    std::optional<ChildRun> replay(const std::vector<Action>& actions)
    {
        if (replays_ >= kMaxReplays || clock_.elapsed() > kShrinkMs) {
            exhausted_ = true;
            return std::nullopt;
        }
        ++replays_;
        QFile file(script_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return std::nullopt;
        for (const Action& a : actions) file.write((serialize(a) + "\n").c_str());
        file.close();
        return runChild({QStringLiteral("replay"), script_, log_}, log_, 120000);
    }

    [[nodiscard]] int replays() const { return replays_; }
    [[nodiscard]] bool exhausted() const { return exhausted_; }

private:
    QString script_;
    QString log_;
    QElapsedTimer clock_;
    int replays_ = 0;
    bool exhausted_ = false;
};

/// The shortest list found that still ends the way failing did.
std::vector<Action> shrink(const ChildRun& failing, Replayer& replayer)
{
    const auto same = [&](const std::vector<Action>& candidate) {
        const std::optional<ChildRun> run = replayer.replay(candidate);
        return run && run->end != ChildRun::End::Held && run->signature == failing.signature;
    };
    std::vector<Action> input = failing.performed;
    // Each relaunch starts the program afresh, so what failed after the last one rarely
    // needs anything before it.
    for (std::size_t k = input.size(); k-- > 1;) {
        if (input[k - 1].kind == Kind::Relaunch) {
            std::vector<Action> afterRelaunch(input.begin() + static_cast<std::ptrdiff_t>(k), input.end());
            if (same(afterRelaunch)) input = std::move(afterRelaunch);
            break;
        }
    }
    return ddmin(std::move(input), same);
}

class StressRun : public testing::TestWithParam<int> {};

TEST_P(StressRun, EveryInvariantHoldsAfterEveryAction)
{
    const std::uint64_t seed = seedOf(GetParam());
    const long actions = actionsPerSeed();
    std::cout << "[ stress   ] seed " << seed << ", " << actions << " actions (to rerun: VIRDAMO_STRESS_SEED=" << seed
              << " VIRDAMO_STRESS_ACTIONS=" << actions << " with --gtest_filter='*StressRun*/0')" << std::endl;

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString log = dir.path() + QStringLiteral("/run.log");
    QElapsedTimer timer;
    timer.start();
    const int timeoutMs = static_cast<int>(std::min<long>(120000 + actions * 200, 86400000));
    const ChildRun run =
        runChild({QStringLiteral("run"), QString::number(seed), QString::number(actions), log}, log, timeoutMs);
    std::cout << "[ stress   ] " << run.performed.size() << " actions in " << timer.elapsed() << " ms" << std::endl;

    if (run.end == ChildRun::End::Held) {
        EXPECT_EQ(run.done, actions) << "the session stopped early";
        std::string coverage;
        for (const auto& [label, count] : run.coverage) coverage += label + " " + std::to_string(count) + ", ";
        std::cout << "[ stress   ] " << coverage << std::endl;
        if (actions >= kDefaultActions) {
            for (const std::string& label : allCoverageLabels()) {
                EXPECT_TRUE(run.coverage.count(label)) << "no \"" << label << "\" in " << actions << " actions";
            }
        }
        return;
    }

    Replayer replayer(dir.path());
    const std::vector<Action> shortest = shrink(run, replayer);
    const std::optional<ChildRun> again = replayer.replay(shortest);
    std::ostringstream report;
    report << "seed " << seed << ": action " << run.performed.size() << " of " << actions << " broke \""
           << run.signature << "\": " << run.detail << "\n";
    if (run.end != ChildRun::End::Broke) report << "standard error of the run:\n" << run.errors << "\n";
    report << "shortest action list found: " << shortest.size() << " actions (" << replayer.replays() << " replays"
           << (replayer.exhausted() ? ", budget spent before it was 1-minimal" : "") << "):\n"
           << numbered(shortest);
    if (again) report << "replaying it breaks \"" << again->signature << "\": " << again->detail << "\n";
    report << "script for stress_session replay <script> <log>:\n";
    for (const Action& a : shortest) report << serialize(a) << "\n";
    ADD_FAILURE() << report.str();
}

INSTANTIATE_TEST_SUITE_P(Seeds, StressRun, testing::Range(0, static_cast<int>(std::size(kSeeds))));

TEST(Ddmin, ShrinksToTheElementsThatTogetherFail)
{
    std::vector<int> input(100);
    for (int k = 0; k < 100; ++k) input[static_cast<std::size_t>(k)] = k;
    int tests = 0;
    const auto needs = [&tests](const std::set<int>& wanted) {
        return [&tests, wanted](const std::vector<int>& candidate) {
            ++tests;
            std::set<int> found;
            for (const int v : candidate) found.insert(v);
            for (const int v : wanted) {
                if (!found.count(v)) return false;
            }
            return true;
        };
    };
    EXPECT_EQ(ddmin(input, needs({17, 42})), (std::vector<int>{17, 42}));
    EXPECT_EQ(ddmin(input, needs({99})), (std::vector<int>{99}));
    EXPECT_EQ(ddmin(input, needs({0, 50, 98})), (std::vector<int>{0, 50, 98})) << "order is kept";
    EXPECT_LT(tests, 600) << "far fewer tests than trying every subset";

    // A failure that needs an element before another, as an action needs the one that
    // opened its window.
    const auto ordered = [](const std::vector<int>& candidate) {
        const auto seven = std::find(candidate.begin(), candidate.end(), 7);
        return seven != candidate.end() && std::find(seven, candidate.end(), 3) == candidate.end()
            && std::find(candidate.begin(), candidate.end(), 60) != candidate.end()
            && std::find(seven, candidate.end(), 60) != candidate.end();
    };
    EXPECT_EQ(ddmin(input, ordered), (std::vector<int>{7, 60}));
}

TEST(StressScript, EveryActionSurvivesItsOwnLine)
{
    Action a;
    a.kind = Kind::Stampa;
    a.window = Window::Due;
    a.option = 5;
    a.width = 16000;
    a.height = 0;
    a.outcome = PrintOutcome::Fails;
    a.reason = output::FailureReason::NotAcceptingJobs;
    a.failAt = 4000000000U;
    a.clock = 18446744073709551615ULL;
    const auto back = parse(serialize(a));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(serialize(*back), serialize(a));
    EXPECT_FALSE(parse("11 0 0 0 0 0 0 0 0").has_value()) << "no such kind";
    EXPECT_FALSE(parse("1 0 0").has_value());
}

}  // namespace
}  // namespace virdamo::stress
