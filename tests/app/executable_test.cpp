// The real program, started as a process on the offscreen platform and driven through
// the start probe: it shows the start window alone and ends with status 0 on every path
// that unloads the last window, and only then.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace {

const QString kStart = QStringLiteral("Stampa virdamo");
const QString kWorksheet = QStringLiteral("Visualizzazione scheda delle moltiplicazioni");

struct ProgramRun {
    bool finished = false;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QStringList lines;
};

void startProgram(QProcess& process, const QString& script)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VIRDAMO_START_PROBE));
    env.insert(QStringLiteral("VIRDAMO_PROBE_SCRIPT"), script);
    // Under the sanitizers the probe is loaded before the runtime: allow that order.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral(VIRDAMO_EXECUTABLE), {});
}

ProgramRun runProgram(const QString& script)
{
    QProcess process;
    startProgram(process, script);
    ProgramRun run;
    run.finished = process.waitForFinished(30'000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitStatus = process.exitStatus();
    run.exitCode = process.exitCode();
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

/// The probe's line that starts with prefix, or an empty string.
QString lineStarting(const QStringList& lines, const QString& prefix)
{
    for (const QString& line : lines) {
        if (line.startsWith(prefix)) {
            return line;
        }
    }
    return {};
}

struct Path {
    const char* name;
    const char* script;
    /// Visible windows after each step ('|'-separated, sorted); the last step ends the program.
    std::vector<QString> visibleAfter;
};

void PrintTo(const Path& path, std::ostream* os)
{
    *os << path.script;
}

class ProgramEnds : public testing::TestWithParam<Path> {};

TEST_P(ProgramEnds, WithStatusZeroWhenTheLastWindowUnloads)
{
    const Path& path = GetParam();
    const ProgramRun run = runProgram(QString::fromLatin1(path.script));
    const QString output = run.lines.join(QLatin1Char('\n'));

    ASSERT_TRUE(run.finished) << "still running after the script:\n" << output.toStdString();
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0);

    // At start only the start window exists: the worksheet window is not even created.
    EXPECT_EQ(lineStarting(run.lines, QStringLiteral("windows ")), QStringLiteral("windows ") + kStart)
        << output.toStdString();

    const QStringList steps = QString::fromLatin1(path.script).split(QLatin1Char(','));
    QStringList stepLines;
    for (const QString& line : run.lines) {
        if (line.startsWith(QStringLiteral("step "))) {
            stepLines << line;
        }
    }
    ASSERT_EQ(stepLines.size(), steps.size()) << output.toStdString();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString& visible = path.visibleAfter[static_cast<std::size_t>(i)];
        EXPECT_EQ(stepLines[i], QStringLiteral("step %1 visible %2").arg(steps[i], visible)) << output.toStdString();
    }
}

const QString kBoth = kStart + QLatin1Char('|') + kWorksheet;

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramEnds,
    testing::Values(Path{"CloseStartWindow", "close-start", {QString()}},
                    Path{"EnterThenCloseStartWindow", "enter,close-start", {kBoth, QString()}},
                    Path{"CloseWorksheetThenEsci", "enter,close-worksheet,esci-start", {kBoth, kStart, QString()}},
                    Path{"WorksheetEsciThenEnterThenEsci",
                         "enter,esci-worksheet,enter,esci-start",
                         {kBoth, kStart, kBoth, QString()}}),
    [](const testing::TestParamInfo<Path>& param) { return std::string(param.param.name); });

TEST(ProgramKeepsRunning, AfterTheWorksheetWindowIsClosedFromItsTitleBar)
{
    QProcess process;
    startProgram(process, QStringLiteral("enter,close-worksheet"));
    QByteArray output;
    while (!output.contains("step close-worksheet") && process.waitForReadyRead(30'000)) {
        output += process.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("step close-worksheet visible Stampa virdamo\n")) << output.toStdString();

    EXPECT_FALSE(process.waitForFinished(1'000)) << "the program ended with the start window still loaded";
    process.kill();
    process.waitForFinished();
}

}  // namespace
