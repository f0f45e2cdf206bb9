// The real program, started as a process on the offscreen platform and driven through
// the start probe: it shows the start window alone and ends with status 0 on every path
// that unloads the last window, and only then.

#include "output/class_set_pdf.h"
#include "pages/class_document.h"
#include "pages/class_options.h"
#include "worksheet/carries.h"
#include "worksheet/modulo1.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <iostream>
#include <map>
#include <set>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString kStart = QStringLiteral("Stampa virdamo");
const QString kWorksheet = QStringLiteral("Visualizzazione scheda delle moltiplicazioni");

struct ProgramRun {
    bool finished = false;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QStringList lines;
};

void startProgram(QProcess& process, const QString& script, const QStringList& arguments = {})
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
    process.start(QStringLiteral(VIRDAMO_EXECUTABLE), arguments);
}

ProgramRun runProgram(const QString& script, const QStringList& arguments = {})
{
    QProcess process;
    startProgram(process, script, arguments);
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

// With a pipe for a settings file too: well under a second, where waiting would take runProgram's 30 s.
/// The operations of each page of a plain PDF as the text extractor reads them, "710 x 4 =".
std::vector<std::vector<std::pair<int, int>>> operationsOf(const QString& file)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
    EXPECT_TRUE(text.waitForFinished(30'000));
    static const QRegularExpression operation(QStringLiteral(R"((\d+) x\s+(\d+) =)"));
    std::vector<std::vector<std::pair<int, int>>> pages;
    for (const QString& page : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'))) {
        std::vector<std::pair<int, int>> operations;
        for (const QRegularExpressionMatch& m : operation.globalMatch(page)) {
            operations.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
        }
        if (!operations.empty()) pages.push_back(std::move(operations));
    }
    return pages;
}

/// The carries a pupil writes in a x b, counted as a class counts them, independently of the
/// program: into the next digit of the multiplicand (the last digit product gives the row's
/// leading digits), and in the sum into a column some partial product reaches.
int writtenCarries(int a, int b)
{
    int count = 0;
    std::map<int, int> columns;  // the digits of the shifted partial products, summed by column
    int reach = 0;
    for (int shift = 0, rest = b; rest > 0; ++shift, rest /= 10) {
        int carry = 0;
        for (int left = a; left > 0; left /= 10) {
            carry = (left % 10 * (rest % 10) + carry) / 10;
            count += left >= 10 && carry != 0 ? 1 : 0;
        }
        int column = shift;
        for (int row = a * (rest % 10); column == shift || row > 0; row /= 10) columns[column++] += row % 10;
        reach = std::max(reach, column - 1);
    }
    if (b >= 10) {
        for (int column = 0, carry = 0; column <= reach; ++column) {
            carry = (columns[column] + carry) / 10;
            count += column < reach && carry != 0 ? 1 : 0;
        }
    }
    return count;
}

TEST(WhiteboardAlone, EndsTheProgramWhenItCloses)
{
    const QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkdir(QStringLiteral("virdamo")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(config.path() + QStringLiteral("/virdamo/virdamo.conf")), 0600), 0);
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const ProgramRun run =
        runProgram(QStringLiteral("close-lavagna"), {QStringLiteral("--lavagna"), QStringLiteral("2305x104")});
    qputenv("XDG_CONFIG_HOME", home);
    ASSERT_TRUE(run.finished) << run.lines.join(u'\n').toStdString();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(lineStarting(run.lines, QStringLiteral("windows ")), QStringLiteral("windows Lavagna"));
    EXPECT_EQ(lineStarting(run.lines, QStringLiteral("step ")), QStringLiteral("step close-lavagna visible "));
}

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
Outcome runWith(const QStringList& arguments, const QString& display = {}, const QStringList& wrapper = {})
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
    if (wrapper.isEmpty()) {
        process.start(QStringLiteral(VIRDAMO_EXECUTABLE), arguments);
    } else {
        process.start(wrapper.front(), wrapper.mid(1) + QStringList{QStringLiteral(VIRDAMO_EXECUTABLE)} + arguments);
    }
    Outcome outcome;
    if (process.waitForFinished(30'000) && process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    }
    outcome.out = process.readAllStandardOutput();
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

/// Runs the program with each argument's \xHH written as that byte: a file name that is not UTF-8.
const QStringList kAsBytes{QStringLiteral("bash"), QStringLiteral("-c"),
                           QStringLiteral("for a; do set -- \"$@\" \"$(printf %b \"$a\")\"; shift; done; exec \"$@\""),
                           QStringLiteral("bash")};

/// Root reads and writes anything: a protected file is tried as nobody.
QStringList notRoot()
{
    return ::geteuid() == 0 ? QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                                          QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")}
                            : QStringList{};
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
    const QTemporaryDir names;
    const auto alunni = [&](const QString& name) {
        return QStringList{QStringLiteral("--pdf"), file, QStringLiteral("--alunni"), names.filePath(name)};
    };
    const auto namesFile = [&](const char* name, const QByteArray& text) {
        QFile made(names.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(made.open(QIODevice::WriteOnly) && made.write(text) == text.size());
        return alunni(QString::fromUtf8(name));
    };
    QByteArray fortyOne;
    for (int i = 1; i <= 41; ++i) fortyOne += "Alunno " + QByteArray::number(i) + "\n";
    ASSERT_TRUE(QFile::setPermissions(namesFile("protetto.txt", "Anna\n").back(), {}));
    const QByteArray loop = QFile::encodeName(names.filePath(QStringLiteral("ciclo")));
    ASSERT_EQ(::symlink(loop.constData(), loop.constData()), 0);
    sockaddr_un socket{AF_UNIX, {}};  // reading told as reading, under the name given byte for byte
    qstrncpy(socket.sun_path, QFile::encodeName(names.path()) + "/presa\xe9", sizeof socket.sun_path);
    ASSERT_EQ(::bind(::socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<sockaddr*>(&socket), sizeof socket), 0);
    const struct {
        QStringList arguments;
        int status;
        const char* error;  // the whole of standard error
        QStringList wrapper = {};
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
        {{QStringLiteral("--schede"), QStringLiteral("3")}, 2, "--schede vale solo con --pdf FILE o --html FILE"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--tabelline"), QStringLiteral("2-x")},
         2,
         "--tabelline vuole delle cifre da 0 a 9, come 2-5 o 2345, non «2-x»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--riporti"), QStringLiteral("forse")},
         2,
         "--riporti vuole qualsiasi, senza o con, non «forse»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--tabelline"), QStringLiteral("1"),
          QStringLiteral("--riporti"), QStringLiteral("con")},
         2,
         "Nessuna operazione possibile con queste tabelline e questi riporti: sceglierne altri."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("H28T5-CY4TQ"),
          QStringLiteral("--riporti"), QStringLiteral("senza")},
         2,
         "--riporti senza contraddice il codice H28T5-CY4TQ, che vuole qualsiasi"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--quadretti"), QStringLiteral("6")},
         2,
         "--quadretti vuole 10, 5 o 4, non «6»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--prova-del-nove")},
         2,
         "--prova-del-nove vale solo con --quadretti"},
        {{QStringLiteral("--lavagna"), QStringLiteral("2305x1040")},
         2,
         "--lavagna vuole una moltiplicazione di un numero da 2 a 4 cifre per uno da 1 a 3, come 2305x104 o "
         "23,45x3,2 (la prima cifra non è 0, fino a 3 e 2 cifre dopo la virgola), non «2305x1040»"},
        {{QStringLiteral("--lavagna"), QStringLiteral("23,4,5x3")},
         2,
         "--lavagna vuole una moltiplicazione di un numero da 2 a 4 cifre per uno da 1 a 3, come 2305x104 o "
         "23,45x3,2 (la prima cifra non è 0, fino a 3 e 2 cifre dopo la virgola), non «23,4,5x3»"},
        {{QStringLiteral("--lavagna"), QStringLiteral(",5x3")},
         2,
         "--lavagna vuole una moltiplicazione di un numero da 2 a 4 cifre per uno da 1 a 3, come 2305x104 o "
         "23,45x3,2 (la prima cifra non è 0, fino a 3 e 2 cifre dopo la virgola), non «,5x3»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--moltiplicando"), QStringLiteral("3"),
          QStringLiteral("--decimali-moltiplicando"), QStringLiteral("3")},
         2,
         "--decimali-moltiplicando 3 vuole un moltiplicando di più cifre (--moltiplicando 3): le cifre dopo la "
         "virgola sono meno delle cifre"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--decimali-moltiplicatore"), QStringLiteral("1")},
         2,
         "--decimali-moltiplicatore 1 vuole un moltiplicatore di più cifre (--moltiplicatore 1): le cifre dopo la "
         "virgola sono meno delle cifre"},
        {{QStringLiteral("--lavagna"), QStringLiteral("2305x104"), QStringLiteral("--pdf"), file},
         2,
         "--lavagna apre una finestra: non vale con --pdf né con --html"},
        {{QStringLiteral("--html"), QString()}, 2, "--html vuole il nome di un file, o - per lo standard output"},
        {{QStringLiteral("--pdf"), QStringLiteral("-"), QStringLiteral("--html"), QStringLiteral("-")},
         2,
         "--pdf - e --html - insieme: lo standard output è uno solo"},
        {{QStringLiteral("--html"), file, QStringLiteral("--per-10-100-1000")},
         2,
         "--html fa le pagine delle operazioni in colonna: non vale con --per-10-100-1000"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--quadretti"), QStringLiteral("5"),
          QStringLiteral("--per-pagina"), QStringLiteral("0")},
         2,
         "--per-pagina vuole un numero da 1 a 20, non «0»"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--quadretti"), QStringLiteral("5"), QStringLiteral("--titolo"),
          QString(81, u'x')},
         2,
         "--titolo vuole al più 80 caratteri"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--quadretti"), QStringLiteral("5"),
          QStringLiteral("--consegna"), QStringLiteral("Esegui \uE000")},
         2,
         "--consegna: il carattere U+E000 non si può stampare"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--etichette-colonne")},
         2,
         "--etichette-colonne vale solo con --quadretti"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--alunni"), dir.filePath(QStringLiteral("nessuno.txt"))},
         2,
         "Il file dei nomi «%1» non esiste."},
        // What the user typed is quoted back short, and always in one line.
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QString(100'000, u'A')},
         2,
         "--codice «AAAAAAAAAAAAAAAAAAAA…» non vale: Un codice ha 10 o 13 caratteri, come H28T5-CY4TQ (i trattini si "
         "possono omettere)."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("H28T5\nCY4T?")},
         2,
         "--codice «H28T5U+000ACY4T?» non vale: Il carattere «?» non può stare in un codice."},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QString::fromUtf8("Н28T5-CY4TQ")},
         2,
         "--codice «Н28T5-CY4TQ» non vale: Il carattere «Н» non può stare in un codice."},
        {{QStringLiteral("--pdf"), dir.filePath(QStringLiteral("nessuna/schede.pdf"))}, 1, nullptr},
        {alunni(QStringLiteral("presa\\xe9")), 2,
         "Il file dei nomi «%1» non si legge: Non è un file normale, ma una cartella, un dispositivo, una pipe o "
         "un socket.",
         kAsBytes},
        {alunni(QStringLiteral("protetto.txt")), 2,
         "Il file dei nomi «%1» non si legge: Non si hanno i permessi per leggere il file.", notRoot()},
        {alunni(QStringLiteral("ciclo")), 2,
         "Il file dei nomi «%1» non si legge: I collegamenti simbolici del percorso formano un ciclo."},
        {namesFile("bianco.txt", " \t\r\n\r"), 2, "Il file dei nomi non contiene nessun nome."},
        {namesFile("41.txt", fortyOne), 2, "Il file dei nomi ha più di 40 nomi: quello alla riga 41 è di troppo."},
        {namesFile("tre.txt", "Anna\nBea\nCarlo\n") + QStringList{QStringLiteral("--schede"), QStringLiteral("5")}, 2,
         "--schede 5 contraddice --alunni: le schede sono tante quanti i nomi, e il file ne ha 3"},
        {{QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QStringLiteral("H28T5-CY4TQ"),
          QStringLiteral("--tabelline"), QString::fromUtf8("1–3,5—7")},
         2,
         "--tabelline 123567 contraddice il codice H28T5-CY4TQ, che vuole 0123456789"},
        {{QStringLiteral("--pdf"), QStringLiteral("-")},
         1,
         "Lo standard output è chiuso: il PDF non è stato scritto.",
         {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("exec \"$@\" >&-"), QStringLiteral("sh")}},
    };
    for (const auto& c : cases) {
        const Outcome run = runWith(c.arguments, {}, c.wrapper);
        const QString line = c.arguments.join(QLatin1Char(' '));
        EXPECT_EQ(run.status, c.status) << line.toStdString();
        if (c.error) {
            const QString error = QString::fromUtf8(c.error).replace(QStringLiteral("%1"), c.arguments.back());
            EXPECT_EQ(run.err, QStringLiteral("virdamo: ") + error + QLatin1Char('\n')) << line.toStdString();
        } else {
            EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("virdamo: «"))) << run.err.toStdString();
        }
        EXPECT_TRUE(run.out.isEmpty()) << line.toStdString();
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "a file was left by " << line.toStdString();
    }
}

// A file that cannot be written is told by its cause, and whatever stood at its name is
// left as it was: a pipe or a device is never replaced by the PDF.
TEST(CommandLine, EveryFileThatCannotBeWrittenIsToldByItsCauseAndLeftAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                          | QFile::WriteOther | QFile::ExeOther));
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("tubo")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0666), 0);
    ASSERT_EQ(::symlink(fifo.constData(), QFile::encodeName(dir.filePath(QStringLiteral("collegamento"))).constData()),
              0);
    QFile locked(dir.filePath(QStringLiteral("protetto.pdf")));
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly) && locked.write("prima") == 5);
    locked.close();
    ASSERT_TRUE(locked.setPermissions(QFile::ReadOwner | QFile::ReadOther));
    // A small disk of the test's own, full or read-only: mounted in namespaces of the
    // program's run alone, where the system lets a user have them.
    const QStringList smallDisk = {QStringLiteral("unshare"),
                                   QStringLiteral("-rm"),
                                   QStringLiteral("sh"),
                                   QStringLiteral("-c"),
                                   QStringLiteral("mount -t tmpfs -o \"$1\" tmpfs \"$2\" && shift 2 && exec \"$@\""),
                                   QStringLiteral("sh")};
    const bool namespaces =
        QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("true")}) == 0;
    const struct {
        QString target;
        QStringList wrapper;
        const char* reason;
    } cases[] = {
        {dir.path(), {}, "Il nome scelto è quello di una cartella, non di un file."},
        {dir.filePath(QStringLiteral("cartella\\xe9")), kAsBytes,
         "Il nome scelto è quello di una cartella, non di un file."},
        {QString::fromLocal8Bit(fifo),
         {},
         "Il nome scelto non è quello di un file normale, ma di un dispositivo o di una pipe."},
        {dir.filePath(QStringLiteral("collegamento")),
         {},
         "Il nome scelto non è quello di un file normale, ma di un dispositivo o di una pipe."},
        {dir.filePath(QStringLiteral("manca/schede.pdf")), {}, "La cartella scelta non esiste."},
        {QStringLiteral("/proc/schede.pdf"), {}, "Nella cartella scelta non si possono creare file."},
        {dir.filePath(QString(300, u'x')), {}, "Il nome del file è troppo lungo."},
        {locked.fileName(), notRoot(), "Non si hanno i permessi per scrivere il file in quel posto."},
        {dir.filePath(QStringLiteral("pieno/schede.pdf")),
         smallDisk + QStringList{QStringLiteral("size=4k"), dir.filePath(QStringLiteral("pieno"))},
         "Il disco è pieno."},
        {dir.filePath(QStringLiteral("solalettura/schede.pdf")),
         smallDisk + QStringList{QStringLiteral("ro,size=16k"), dir.filePath(QStringLiteral("solalettura"))},
         "Il disco è di sola lettura."},
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pieno"))
                && QDir(dir.path()).mkdir(QStringLiteral("solalettura")));
    ASSERT_EQ(::mkdir((QFile::encodeName(dir.path()) + "/cartella\xe9").constData(), 0700), 0);
    for (const auto& c : cases) {
        if (c.wrapper.startsWith(QStringLiteral("unshare")) && !namespaces) {
            std::cout << "[ skipped  ] no namespaces here for " << c.reason << "\n";
            continue;
        }
        const Outcome run = runWith({QStringLiteral("--pdf"), c.target}, {}, c.wrapper);
        EXPECT_EQ(run.status, 1) << c.reason;
        EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("virdamo: «"))) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith(QString::fromUtf8(" non è stato scritto: %1\n").arg(QString::fromUtf8(c.reason))))
            << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << "one line";
    }
    struct stat info {};
    EXPECT_EQ(::stat(fifo.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is still a pipe";
    ASSERT_TRUE(locked.open(QIODevice::ReadOnly));
    EXPECT_EQ(locked.readAll(), QByteArray("prima"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList({QStringLiteral("collegamento"), QStringLiteral("protetto.pdf"), QStringLiteral("tubo")}))
        << "no partial file";
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
    // Every option's line, its default filled in, its description in the one column.
    qsizetype column = -1;
    for (const virdamo::pages::ClassOption& option : virdamo::pages::classOptions()) {
        const QString line = QStringLiteral("  ") + option.synopsis() + QLatin1Char(' ');
        const qsizetype at = QString::fromUtf8(help.out).indexOf(line);
        ASSERT_GE(at, 0) << line.toStdString();
        const QString entry = QString::fromUtf8(help.out).mid(at).section(QLatin1Char('\n'), 0, 0);
        const qsizetype description = entry.indexOf(option.helpText().section(QLatin1Char('\n'), 0, 0));
        EXPECT_TRUE(column < 0 || description == column) << entry.toStdString();
        column = description;
    }

    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("classe.pdf"));
    const Outcome made =
        runWith({QStringLiteral("--pdf"), file, QStringLiteral("--codice"), QString::fromUtf8("h28t5–cy4tq"),
                 QStringLiteral("--schede"), QStringLiteral("3"), QStringLiteral("--senza-alunni")});
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_EQ(made.out.toStdString(), "H28T5-CY4TQ\nH28T5-CY4VN\nH28T5-CY4WV\n");
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const virdamo::pages::ClassSet set{
        virdamo::SheetCode{4, 3, 19, 0x123456789AULL}, 3, virdamo::pages::PageKinds::Solutions, {}, {}};
    EXPECT_EQ(undated(written.readAll()), undated(virdamo::output::classSetPdf(set, virdamo::output::pdfPaper())))
        << "the dialog's document, byte for byte";

    // A level: every sheet holds only what it asks for, and its code makes it again.
    const QStringList levelled{QStringLiteral("--schede"),         QStringLiteral("30"),
                               QStringLiteral("--moltiplicando"),  QStringLiteral("3"),
                               QStringLiteral("--moltiplicatore"), QStringLiteral("2"),
                               QStringLiteral("--tabelline"),      QStringLiteral("2-5"),
                               QStringLiteral("--riporti"),        QStringLiteral("senza")};
    const Outcome drawn = runWith(QStringList{QStringLiteral("--pdf"), file} + levelled);
    ASSERT_EQ(drawn.status, 0) << drawn.err.toStdString();
    const QStringList codes = QString::fromUtf8(drawn.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(codes.size(), 30);
    for (const QString& text : codes) {
        const std::optional<virdamo::SheetCode> code = virdamo::parseSheetCode(text.toStdString()).code;
        ASSERT_TRUE(code) << text.toStdString();
        virdamo::Modulo1 sheet;
        virdamo::makeSheet(*code, sheet);
        std::set<std::pair<int, int>> operations;
        for (std::size_t i = 0; i < 20; ++i) {
            const int a = sheet.ValMoltiplicando[i];
            const int b = sheet.ValMoltiplicatore[i];
            EXPECT_TRUE(a >= 100 && a <= 999 && b >= 22 && b <= 55 && b / 10 <= 5 && b % 10 >= 2 && b % 10 <= 5)
                << a << " x " << b;
            EXPECT_FALSE(virdamo::hasCarries(a, b)) << a << " x " << b;
            operations.emplace(a, b);
        }
        EXPECT_EQ(operations.size(), 20U) << "an operation repeats in " << text.toStdString();
    }
    QFile first(file);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray document = undated(first.readAll());
    first.close();
    const Outcome again = runWith({QStringLiteral("--pdf"), file, QStringLiteral("--codice"), codes.front(),
                                   QStringLiteral("--schede"), QStringLiteral("30")});
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(again.out).split(u'\n', Qt::SkipEmptyParts), codes);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(undated(first.readAll()), document) << "the same code, the same document";

    const Outcome piped = runWith({QStringLiteral("--pdf"), QStringLiteral("-"), QStringLiteral("--moltiplicatore"),
                                   QStringLiteral("2"), QStringLiteral("--operazioni"), QStringLiteral("10")});
    EXPECT_EQ(piped.status, 0);
    EXPECT_TRUE(piped.out.startsWith("%PDF-")) << "the document on standard output";
    EXPECT_TRUE(virdamo::parseSheetCode(piped.err.trimmed().toStdString()).code) << "its code on standard error";

    // The page for the browser: the same sheets as the PDF made with it, the largest class
    // set within what a shared folder or a platform takes, and no address to reach out to.
    const QString page = dir.filePath(QStringLiteral("classe.html"));
    const Outcome both =
        runWith({QStringLiteral("--pdf"), file, QStringLiteral("--html"), page, QStringLiteral("--schede"),
                 QStringLiteral("40"), QStringLiteral("--moltiplicando"), QStringLiteral("4"),
                 QStringLiteral("--moltiplicatore"), QStringLiteral("3"), QStringLiteral("--quadretti"),
                 QStringLiteral("5"), QStringLiteral("--mostra-riporti"), QStringLiteral("--prova-del-nove")});
    ASSERT_EQ(both.status, 0) << both.err.toStdString();
    const QStringList pageCodes = QString::fromUtf8(both.out).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(pageCodes.size(), 40);
    QFile html(page);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray pageBytes = html.readAll();
    EXPECT_TRUE(pageBytes.startsWith("<!DOCTYPE html>\n<html lang=\"it\">"));
    EXPECT_LT(pageBytes.size(), 300 * 1024);
    EXPECT_FALSE(pageBytes.contains("//")) << "no address, not even one without its scheme";
    html.close();
    const Outcome remade =
        runWith({QStringLiteral("--html"), page, QStringLiteral("--codice"), pageCodes.front(),
                 QStringLiteral("--schede"), QStringLiteral("40"), QStringLiteral("--quadretti"), QStringLiteral("5"),
                 QStringLiteral("--mostra-riporti"), QStringLiteral("--prova-del-nove")});
    ASSERT_EQ(remade.status, 0) << remade.err.toStdString();
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_EQ(html.readAll(), pageBytes) << "the same code, the same page";
}

// Read back from the PDF as the class reads it: "con riporti" has a written carry in every
// operation, "senza riporti" none (50 x 3 among them), and the tables chosen share the sheet.
TEST(CommandLine, EverySheetHoldsTheCarriesAndTablesTheClassAskedFor)
{
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("livello.pdf"));
    using Sheet = std::vector<std::pair<int, int>>;
    const struct {
        QStringList options;
        std::function<bool(const Sheet&)> holds;
    } cases[] = {
        {{QStringLiteral("--moltiplicando"), QStringLiteral("3"), QStringLiteral("--tabelline"), QStringLiteral("2-9"),
          QStringLiteral("--riporti"), QStringLiteral("con")},
         [](const Sheet& sheet) {
             return std::all_of(sheet.begin(), sheet.end(),
                                [](auto op) { return writtenCarries(op.first, op.second) > 0; });
         }},
        {{QStringLiteral("--tabelline"), QStringLiteral("2-9"), QStringLiteral("--riporti"), QStringLiteral("senza")},
         [](const Sheet& sheet) {
             return std::all_of(sheet.begin(), sheet.end(),
                                [](auto op) { return writtenCarries(op.first, op.second) == 0; });
         }},
        {{QStringLiteral("--tabelline"), QStringLiteral("2-5")},
         [](const Sheet& sheet) {
             std::map<int, int> tables;
             for (const auto& [a, b] : sheet) ++tables[b];
             return tables == std::map<int, int>{{2, 5}, {3, 5}, {4, 5}, {5, 5}};
         }},
    };
    int roundTens = 0;  // multiplicands such as 50 in 50 x 3, which have no carry
    for (const auto& c : cases) {
        const Outcome run = runWith(QStringList{QStringLiteral("--pdf"), file, QStringLiteral("--schede"),
                                                QStringLiteral("30"), QStringLiteral("--senza-alunni")}
                                    + c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const auto sheets = operationsOf(file);
        ASSERT_EQ(sheets.size(), 30U) << c.options.join(QLatin1Char(' ')).toStdString();
        for (const Sheet& sheet : sheets) {
            EXPECT_EQ(sheet.size(), 20U);
            EXPECT_TRUE(c.holds(sheet)) << c.options.join(QLatin1Char(' ')).toStdString();
            EXPECT_EQ(std::set(sheet.begin(), sheet.end()).size(), sheet.size()) << "an operation twice";
            for (const auto& [a, b] : sheet) roundTens += c.options.contains(QStringLiteral("senza")) && a % 10 == 0;
        }
    }
    EXPECT_GT(roundTens, 0) << "no round multiplicand without carries was drawn";
}

}  // namespace

namespace {

/// A number as the class writes it, "75,040", as its digits and the digits after the comma.
std::pair<long long, int> decimalOf(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return {QString(text).remove(QLatin1Char(',')).toLongLong(), comma < 0 ? 0 : int(text.size() - 1 - comma)};
}

/// True when the numbers written x and y are the same number, whatever zeros end their decimals.
bool sameNumber(std::pair<long long, int> x, std::pair<long long, int> y)
{
    for (; x.second < y.second; ++x.second) x.first *= 10;
    for (; y.second < x.second; ++y.second) y.first *= 10;
    return x == y;
}

}  // namespace

// Read back from the PDF, every product is the exact product of its factors as they are
// printed, commas included, and so is the product without its ending zeros where it is shown.
TEST(CommandLine, DecimalSheetsAndThePowersOfTenPrintExactProducts)
{
    const QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("decimali.pdf"));
    const struct {
        QStringList options;
        QString pattern;  // factors, product, product without its zeros
        int rows;
    } cases[] = {
        {{QStringLiteral("--moltiplicando"), QStringLiteral("4"), QStringLiteral("--moltiplicatore"),
          QStringLiteral("2"), QStringLiteral("--decimali-moltiplicando"), QStringLiteral("2"),
          QStringLiteral("--decimali-moltiplicatore"), QStringLiteral("1")},
         QStringLiteral(R"((\d\d,\d\d) x\n(\d,\d) =\n_+\n\d+\n\d+\n_+\n(\d+,\d\d\d)\n(?:= (\d+(?:,\d+)?)\n)?)"),
         20},
        {{QStringLiteral("--per-10-100-1000"), QStringLiteral("--moltiplicando"), QStringLiteral("3")},
         QStringLiteral(R"((\d+(?:,\d+)?) × (10|100|1000) = (\d+(?:,\d+)?)\n)"),
         20},
    };
    for (const auto& c : cases) {
        const Outcome run = runWith(QStringList{QStringLiteral("--pdf"), file, QStringLiteral("--schede"),
                                                QStringLiteral("30"), QStringLiteral("--senza-alunni")}
                                    + c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30'000));
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
        int shortened = 0;
        for (int p = 0; p < 30; ++p) {
            int rows = 0;
            for (const QRegularExpressionMatch& m : QRegularExpression(c.pattern).globalMatch(pages.value(p))) {
                ++rows;
                const auto [a, aDecimals] = decimalOf(m.captured(1));
                const auto [b, bDecimals] = decimalOf(m.captured(2));
                const std::pair exact{a * b, aDecimals + bDecimals};
                EXPECT_TRUE(sameNumber(decimalOf(m.captured(3)), exact)) << m.captured(0).toStdString();
                if (m.capturedLength(4) > 0) {
                    ++shortened;
                    EXPECT_TRUE(sameNumber(decimalOf(m.captured(4)), exact)) << m.captured(0).toStdString();
                    EXPECT_FALSE(m.captured(4).endsWith(QLatin1Char('0')) && m.captured(4).contains(QLatin1Char(',')));
                }
            }
            EXPECT_EQ(rows, c.rows) << "sheet " << p + 1 << ": " << pages.value(p).toStdString();
        }
        if (c.options.contains(QStringLiteral("--decimali-moltiplicando"))) {
            EXPECT_GT(shortened, 0) << "no product ending in zeros was read";
        }
    }
}
