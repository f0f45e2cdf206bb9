// The real program, started as a process on the offscreen platform and driven through
// the start probe: it shows the start window alone and ends with status 0 on every path
// that unloads the last window, and only then.

#include "print/class_document.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

/// The program run with arguments and nothing else: no display, no platform chosen.
struct Outcome {
    int status = -1;
    QByteArray out;
    QString err;
};
Outcome runWith(const QStringList& arguments, const QString& display = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    if (!display.isEmpty()) {
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VIRDAMO_EXECUTABLE), arguments);
    Outcome outcome;
    if (process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    }
    outcome.out = process.readAllStandardOutput();
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

/// A PDF document without its creation date, which is the only thing two runs may differ in.
QByteArray undated(QByteArray pdf)
{
    const qsizetype at = pdf.indexOf("/CreationDate (");
    return at < 0 ? pdf : pdf.remove(at, pdf.indexOf(')', at) - at);
}

TEST(CommandLine, EveryBadInvocationIsToldInOneItalianLineAndWritesNothing)
{
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("schede.pdf"));
    const struct {
        QStringList arguments;
        int status;
        const char* error;  // the whole of standard error
    } cases[] = {
        {{QStringLiteral("--sconosciuta")}, 2, "opzione sconosciuta: --sconosciuta (virdamo --help elenca le opzioni)"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--moltiplicando"), QStringLiteral("5")},
         2,
         "--moltiplicando vuole 2, 3 o 4, non «5»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--moltiplicatore"), QStringLiteral("0")},
         2,
         "--moltiplicatore vuole 1, 2 o 3, non «0»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--operazioni"), QStringLiteral("15")},
         2,
         "--operazioni vuole 10 o 20, non «15»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--schede"), QStringLiteral("41")},
         2,
         "--schede vuole un numero da 1 a 40, non «41»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("H28T5-CY4TR")},
         2,
         "--codice «H28T5-CY4TR» non vale: Codice non valido: controllare di averlo scritto bene."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("H28T5-CY4TQ"),
          QStringLiteral("--operazioni"), QStringLiteral("10")},
         2,
         "--operazioni 10 contraddice il codice H28T5-CY4TQ, che vuole 20"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--senza-alunni"), QStringLiteral("--senza-soluzioni")},
         2,
         "--senza-alunni e --senza-soluzioni insieme non lasciano nessuna pagina"},
        {{QStringLiteral("--schede"), QStringLiteral("3")}, 2, "--schede vale solo con --pdf FILE"},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("nessuna/schede.pdf"))}, 1, nullptr},
    };
    for (const auto& c : cases) {
        const Outcome run = runWith(c.arguments);
        const QString line = c.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(run.status, c.status) << line.toStdString();
        if (c.error) {
            EXPECT_EQ(run.err, QStringLiteral("virdamo: ") + QString::fromUtf8(c.error) + QLatin1Char('\n'))
                << line.toStdString();
        } else {
            EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("virdamo: «"))) << run.err.toStdString();
        }
        EXPECT_TRUE(run.out.isEmpty()) << line.toStdString();
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "a file was left by " << line.toStdString();
    }
}

TEST(CommandLine, WindowsWithoutADisplaySayWhatIsMissingInItalian)
{
    const QString advice =
        QStringLiteral(": avviare virdamo da una sessione grafica, oppure usare virdamo --pdf FILE per "
                       "le schede senza finestre.\n");
    const Outcome none = runWith({});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err,
              QString::fromUtf8("virdamo: nessuno schermo su cui aprire le finestre (DISPLAY non è "
                                "impostata)")
                  + advice);
    const Outcome unreachable = runWith({}, QStringLiteral(":97"));
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(unreachable.err, QString::fromUtf8("virdamo: non si riesce ad aprire lo schermo «:97»") + advice);
}

TEST(CommandLine, HelpVersionAndTheSameClassSetAsTheDialogWithoutADisplay)
{
    const Outcome version = runWith({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("virdamo ") + VIRDAMO_VERSION + "\n");
    const Outcome help = runWith({QStringLiteral("-h")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Uso: virdamo [opzioni]\n"));

    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("classe.pdf"));
    const Outcome made =
        runWith({QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("h28t5cy4tq"),
                 QStringLiteral("--schede"), QStringLiteral("3"), QStringLiteral("--senza-alunni")});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_EQ(made.out.toStdString(), "H28T5-CY4TQ\nH28T5-CY4VN\nH28T5-CY4WV\n");
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const virdamo::print::ClassSet set{virdamo::SheetCode{4, 3, 19, 0x123456789AULL}, 3,
                                       virdamo::print::PageKinds::Solutions};
    EXPECT_EQ(undated(written.readAll()), undated(virdamo::print::classSetPdf(set, virdamo::print::pdfPaper())))
        << "the dialog's document, byte for byte";

    const Outcome piped = runWith({QStringLiteral("--pdf"), QStringLiteral("-"), QStringLiteral("--moltiplicatore"),
                                   QStringLiteral("2"), QStringLiteral("--operazioni"), QStringLiteral("10")});
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.out.startsWith("%PDF-")) << "the document on standard output";
    EXPECT_TRUE(virdamo::parseSheetCode(piped.err.trimmed().toStdString()).code) << "its code on standard error";
}

}  // namespace
