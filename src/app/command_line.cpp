#include "app/command_line.h"

#include "app/class_set_output.h"
#include "app/version.h"
#include "print/printer.h"
#include "print/stampa.h"
#include "worksheet/random_source.h"

#include <QCommandLineParser>
#include <QSaveFile>

#include <optional>

namespace virdamo::app {

namespace {

const QString kPdf = QStringLiteral("pdf");
const QString kMultiplicand = QStringLiteral("moltiplicando");
const QString kMultiplier = QStringLiteral("moltiplicatore");
const QString kOperations = QStringLiteral("operazioni");
const QString kSheets = QStringLiteral("schede");
const QString kCode = QStringLiteral("codice");
const QString kNoPupils = QStringLiteral("senza-alunni");
const QString kNoSolutions = QStringLiteral("senza-soluzioni");

CommandLine failure(const QString& message)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = message;
    return line;
}

/// The value of option when it is one of allowed (written "2, 3 o 4" in messages).
std::optional<int> choice(const QCommandLineParser& parser, const QString& option, const QList<int>& allowed,
                          QString& error)
{
    if (!parser.isSet(option)) {
        return std::nullopt;
    }
    bool number = false;
    const int value = parser.value(option).toInt(&number);
    if (!number || !allowed.contains(value)) {
        QStringList written;
        for (const int a : allowed) {
            written << QString::number(a);
        }
        const QString last = written.takeLast();
        error = QString::fromUtf8("--%1 vuole %2 o %3, non «%4»")
                    .arg(option, written.join(QStringLiteral(", ")), last, parser.value(option));
        return std::nullopt;
    }
    return value;
}

/// Says whether a setting given with --codice agrees with the code's own.
bool agrees(std::optional<int> given, int coded, const QString& option, const QString& code, QString& error)
{
    if (given && *given != coded) {
        error = QString::fromUtf8("--%1 %2 contraddice il codice %3, che vuole %4")
                    .arg(option)
                    .arg(*given)
                    .arg(code)
                    .arg(coded);
        return false;
    }
    return true;
}

bool writeAll(std::FILE* to, const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to)
        == static_cast<std::size_t>(bytes.size())
        && std::fflush(to) == 0;
}

void say(std::FILE* to, const QString& line)
{
    (void)writeAll(to, (line + QLatin1Char('\n')).toLocal8Bit());
}

}  // namespace

QString helpText()
{
    return QString::fromUtf8(
        "Uso: virdamo [opzioni]\n"
        "Schede di moltiplicazioni in colonna già eseguite. Senza opzioni apre la finestra iniziale.\n"
        "\n"
        "  -h, --help               mostra questo aiuto ed esce\n"
        "  -v, --version            mostra la versione ed esce\n"
        "  --pdf FILE               scrive in FILE le schede per la classe, senza aprire finestre:\n"
        "                           prima le pagine per gli alunni (senza risultati), poi le\n"
        "                           soluzioni; scrive il codice di ogni scheda, uno per riga\n"
        "                           (con FILE \"-\" il PDF va sullo standard output, i codici\n"
        "                           sullo standard error)\n"
        "  --moltiplicando 2|3|4    cifre del moltiplicando (2)\n"
        "  --moltiplicatore 1|2|3   cifre del moltiplicatore (1)\n"
        "  --operazioni 10|20       operazioni per scheda (20)\n"
        "  --schede N               quante schede diverse, da 1 a 40 (1)\n"
        "  --codice CODICE          rifà le schede dal codice della prima, per esempio H28T5-CY4TQ:\n"
        "                           cifre e operazioni vengono dal codice\n"
        "  --senza-alunni           solo le soluzioni\n"
        "  --senza-soluzioni        solo le pagine per gli alunni\n"
        "\n"
        "Stato di uscita: 0 riuscito, 1 file non scritto, 2 opzioni sbagliate.\n");
}

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {{QStringLiteral("v"), QStringLiteral("version")}, QString()},
        {kPdf, QString(), QStringLiteral("FILE")},
        {kMultiplicand, QString(), QStringLiteral("N")},
        {kMultiplier, QString(), QStringLiteral("N")},
        {kOperations, QString(), QStringLiteral("N")},
        {kSheets, QString(), QStringLiteral("N")},
        {kCode, QString(), QStringLiteral("CODICE")},
        {kNoPupils, QString()},
        {kNoSolutions, QString()},
    });
    if (!parser.parse(QStringList{QStringLiteral("virdamo")} + arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().front();
            return failure(QStringLiteral("opzione sconosciuta: %1%2 (virdamo --help elenca le opzioni)")
                               .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
        // The only other way to fail: an option that takes a value is the last argument.
        return failure(QStringLiteral("manca il valore dell'opzione %1").arg(arguments.back()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(QString::fromUtf8("argomento inatteso: «%1» (virdamo --help elenca le opzioni)")
                           .arg(parser.positionalArguments().front()));
    }
    if (parser.isSet(QStringLiteral("help"))) {
        return CommandLine{CommandLine::Action::Help, {}, {}, {}, false};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return CommandLine{CommandLine::Action::Version, {}, {}, {}, false};
    }
    if (!parser.isSet(kPdf)) {
        for (const QString& option :
             {kMultiplicand, kMultiplier, kOperations, kSheets, kCode, kNoPupils, kNoSolutions}) {
            if (parser.isSet(option)) {
                return failure(QStringLiteral("--%1 vale solo con --pdf FILE").arg(option));
            }
        }
        return {};
    }

    CommandLine line;
    line.action = CommandLine::Action::WritePdf;
    line.pdfFile = parser.value(kPdf);
    if (line.pdfFile.isEmpty()) {
        return failure(QStringLiteral("--pdf vuole il nome di un file, o - per lo standard output"));
    }
    QString error;
    const std::optional<int> multiplicand = choice(parser, kMultiplicand, {2, 3, 4}, error);
    const std::optional<int> multiplier = choice(parser, kMultiplier, {1, 2, 3}, error);
    const std::optional<int> operations = choice(parser, kOperations, {10, 20}, error);
    if (!error.isEmpty()) {
        return failure(error);
    }
    if (parser.isSet(kSheets)) {
        bool number = false;
        line.set.count = parser.value(kSheets).toInt(&number);
        if (!number || line.set.count < 1 || line.set.count > print::kMaxClassSheets) {
            return failure(QString::fromUtf8("--schede vuole un numero da 1 a %1, non «%2»")
                               .arg(print::kMaxClassSheets)
                               .arg(parser.value(kSheets)));
        }
    }
    if (parser.isSet(kNoPupils) && parser.isSet(kNoSolutions)) {
        return failure(QStringLiteral("--senza-alunni e --senza-soluzioni insieme non lasciano nessuna pagina"));
    }
    line.set.pupils = !parser.isSet(kNoPupils);
    line.set.solutions = !parser.isSet(kNoSolutions);

    if (parser.isSet(kCode)) {
        const QString text = parser.value(kCode);
        const ParsedCode parsed = parseSheetCode(text.toStdString());
        if (!parsed.code) {
            return failure(QString::fromUtf8("--codice «%1» non vale: %2").arg(text, codeProblem(parsed)));
        }
        const SheetCode& code = *parsed.code;
        if (!agrees(multiplicand, code.cifreMoltiplicando, kMultiplicand, text, error)
            || !agrees(multiplier, code.cifreMoltiplicatore, kMultiplier, text, error)
            || !agrees(operations, code.ultimaOperazione + 1, kOperations, text, error)) {
            return failure(error);
        }
        line.set.first = code;
        line.coded = true;
    } else {
        line.set.first = SheetCode{multiplicand.value_or(2), multiplier.value_or(1), operations.value_or(20) - 1, 0};
    }
    return line;
}

int runCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err)
{
    switch (line.action) {
    case CommandLine::Action::OpenWindows: return 0;
    case CommandLine::Action::Help: return writeAll(out, helpText().toLocal8Bit()) ? 0 : 1;
    case CommandLine::Action::Version:
        return writeAll(out, QByteArray("virdamo ") + QByteArray(kVersion) + '\n') ? 0 : 1;
    case CommandLine::Action::Error: say(err, QStringLiteral("virdamo: ") + line.error); return 2;
    case CommandLine::Action::WritePdf: break;
    }

    print::ClassSet set = line.set;
    if (!line.coded) {
        const ClockRandomSource random;
        set.first.seed = random.seed().value_or(0);
    }
    QByteArray pdf;
    try {
        pdf = print::classSetPdf(set, print::pdfPaper());
    } catch (const print::PrintFailure& failure) {
        say(err,
            QStringLiteral("virdamo: il PDF non è stato scritto: ")
                + print::failureReasonText(failure.reason(), QString::fromStdString(failure.serviceText()))
                      .replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return 1;
    }

    std::FILE* codes = out;
    if (line.pdfFile == QLatin1String("-")) {
        if (!writeAll(out, pdf)) {
            say(err, QString::fromUtf8("virdamo: il PDF non è stato scritto sullo standard output"));
            return 1;
        }
        codes = err;
    } else if (const std::optional<QString> problem = writeWhole(line.pdfFile, pdf)) {
        say(err,
            QString::fromUtf8("virdamo: «%1» non è stato scritto: %2")
                .arg(line.pdfFile, QString(*problem).replace(QLatin1Char('\n'), QLatin1Char(' '))));
        return 1;
    }
    for (int k = 1; k <= set.count; ++k) {
        say(codes, QString::fromStdString(set.first.nth(k).text()));
    }
    return 0;
}

}  // namespace virdamo::app
