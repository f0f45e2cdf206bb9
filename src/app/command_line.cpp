#include "app/command_line.h"

#include "app/class_set_output.h"
#include "app/version.h"
#include "forms/texts.h"
#include "print/output_failure.h"
#include "worksheet/random_source.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <bitset>
#include <functional>
#include <vector>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

/// The values of --riporti, in the order of Riporti.
const std::array<QString, 3> kCarriesNames{u"qualsiasi"_s, u"senza"_s, u"con"_s};

/// What the options ask for, as they are read; the command line is made from it at the end.
struct Request {
    bool help = false;
    bool version = false;
    std::optional<QString> pdfFile;
    std::optional<int> multiplicand;
    std::optional<int> multiplier;
    std::optional<int> operations;
    int sheets = print::ClassSet{}.sheets;
    bool sheetsGiven = false;
    std::optional<SheetCode> code;
    QString codeText;
    bool noPupils = false;
    bool noSolutions = false;
    std::optional<std::bitset<10>> tables;
    std::optional<Riporti> carries;
    std::optional<int> squares;
    bool showCarries = false;
    bool prova = false;
    bool noHeading = false;
    QString namesFile;
    std::optional<std::pair<std::int32_t, std::int32_t>> lavagna;
};

/// One option: its names, the name of its value (empty for a switch), what the help says of
/// it, whether it means anything without --pdf, and what it does to the request: an error
/// message, or empty.
struct Option {
    QStringList names;
    QString valueName;
    QString description;
    bool needsPdf = true;
    std::function<QString(const QString& value, Request& request)> apply;
};

/// value when it is one of allowed; otherwise the message saying what option takes.
QString choose(const QString& option, const QString& value, const QList<int>& allowed, std::optional<int>& into)
{
    bool number = false;
    const int chosen = value.toInt(&number);
    if (number && allowed.contains(chosen)) {
        into = chosen;
        return {};
    }
    QStringList written;
    for (const int a : allowed) {
        written << QString::number(a);
    }
    const QString last = written.takeLast();
    return texts::kOptionWantsOneOf.arg(option, written.join(u", "_s), last, quoted(value));
}

/// Whether c reads as the hyphen of a range: the dashes word processors put in its place
/// are read as codes read them.
bool isHyphen(QChar c)
{
    return c == u'-' || (c >= u'\u2010' && c <= u'\u2014') || c == u'\u2212';
}

/// The digits of a --tabelline value, "2-5" or "2345" or "0,1,5-7"; none when it is not one.
std::optional<std::bitset<10>> tablesOf(const QString& value)
{
    std::bitset<10> tables;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u',' || c == u' ') {
            continue;
        }
        if (!c.isDigit() || c.digitValue() < 0 || c.digitValue() > 9) {
            return std::nullopt;
        }
        int last = c.digitValue();
        if (i + 2 < value.size() && isHyphen(value[i + 1]) && value[i + 2].isDigit()) {
            last = value[i + 2].digitValue();
            i += 2;
        }
        if (last < c.digitValue() || last > 9) {
            return std::nullopt;
        }
        for (int d = c.digitValue(); d <= last; ++d) {
            tables.set(static_cast<std::size_t>(d));
        }
    }
    return tables.any() ? std::optional(tables) : std::nullopt;
}

/// The operation of a --lavagna value, "2305x104" (also with X, ×, * or blanks), with the
/// digit counts the program works with; none when it is not one.
std::optional<std::pair<std::int32_t, std::int32_t>> operationOf(const QString& value)
{
    static const QRegularExpression operation(uR"(^\s*(\d{2,4})\s*[xX×*]\s*(\d{1,3})\s*$)"_s);
    const QRegularExpressionMatch match = operation.match(value);
    if (!match.hasMatch() || match.captured(1).startsWith(u'0') || match.captured(2).startsWith(u'0')) {
        return std::nullopt;
    }
    return std::pair{match.captured(1).toInt(), match.captured(2).toInt()};
}

/// A switch's declaration: it sets flag and takes no value.
std::function<QString(const QString&, Request&)> sets(bool Request::*flag)
{
    return [flag](const QString&, Request& r) {
        r.*flag = true;
        return QString();
    };
}

/// The options, each declared once: the help, the reading and the defaults come from here.
const std::vector<Option>& options()
{
    static const std::vector<Option> declared = [] {
        const SheetCode defaults;
        return std::vector<Option>{
            {{u"h"_s, u"help"_s},
             {},
             texts::kHelpHelp,
             false,
             [](const QString&, Request& r) {
                 r.help = true;
                 return QString();
             }},
            {{u"v"_s, u"version"_s},
             {},
             texts::kHelpVersion,
             false,
             [](const QString&, Request& r) {
                 r.version = true;
                 return QString();
             }},
            {{u"pdf"_s},
             u"FILE"_s,
             texts::kHelpPdf,
             false,
             [](const QString& value, Request& r) {
                 r.pdfFile = value;
                 return value.isEmpty() ? texts::kPdfWantsFile : QString();
             }},
            {{u"moltiplicando"_s},
             u"2|3|4"_s,
             texts::kHelpMultiplicand.arg(defaults.cifreMoltiplicando),
             true,
             [](const QString& value, Request& r) {
                 return choose(u"moltiplicando"_s, value, {2, 3, 4}, r.multiplicand);
             }},
            {{u"moltiplicatore"_s},
             u"1|2|3"_s,
             texts::kHelpMultiplier.arg(defaults.cifreMoltiplicatore),
             true,
             [](const QString& value, Request& r) {
                 return choose(u"moltiplicatore"_s, value, {1, 2, 3}, r.multiplier);
             }},
            {{u"operazioni"_s},
             u"10|20"_s,
             texts::kHelpOperations.arg(defaults.operations()),
             true,
             [](const QString& value, Request& r) {
                 return choose(u"operazioni"_s, value, {10, 20}, r.operations);
             }},
            {{u"schede"_s},
             u"N"_s,
             texts::kHelpSheets.arg(print::ClassSet::kMaxSheets).arg(print::ClassSet{}.sheets),
             true,
             [](const QString& value, Request& r) {
                 bool number = false;
                 r.sheets = value.toInt(&number);
                 r.sheetsGiven = true;
                 return number && r.sheets == print::ClassSet::clampedSheets(r.sheets)
                     ? QString()
                     : texts::kSheetsWantsNumber.arg(print::ClassSet::kMaxSheets).arg(quoted(value));
             }},
            {{u"codice"_s},
             u"CODICE"_s,
             texts::kHelpCode,
             true,
             [](const QString& value, Request& r) {
                 const ParsedCode parsed = parseSheetCode(value.toStdString());
                 r.code = parsed.code;
                 r.codeText = value;
                 return parsed.code ? QString() : texts::kCodeNotValid.arg(quoted(value), codeProblem(parsed));
             }},
            {{u"senza-alunni"_s}, {}, texts::kHelpNoPupils, true, sets(&Request::noPupils)},
            {{u"senza-soluzioni"_s}, {}, texts::kHelpNoSolutions, true, sets(&Request::noSolutions)},
            {{u"tabelline"_s},
             u"CIFRE"_s,
             texts::kHelpTables,
             true,
             [](const QString& value, Request& r) {
                 r.tables = tablesOf(value);
                 return r.tables ? QString() : texts::kTablesWantDigits.arg(quoted(value));
             }},
            {{u"riporti"_s},
             u"qualsiasi|senza|con"_s,
             texts::kHelpCarries,
             true,
             [](const QString& value, Request& r) {
                 const auto* at = std::find(kCarriesNames.begin(), kCarriesNames.end(), value);
                 if (at == kCarriesNames.end()) {
                     return texts::kCarriesWantOneOf.arg(quoted(value));
                 }
                 r.carries = static_cast<Riporti>(at - kCarriesNames.begin());
                 return QString();
             }},
            {{u"quadretti"_s},
             u"10|5|4"_s,
             texts::kHelpSquares,
             true,
             [](const QString& value, Request& r) {
                 return choose(u"quadretti"_s, value, {10, 5, 4}, r.squares);
             }},
            {{u"mostra-riporti"_s}, {}, texts::kHelpShowCarries, true, sets(&Request::showCarries)},
            {{u"prova-del-nove"_s}, {}, texts::kHelpProva, true, sets(&Request::prova)},
            {{u"senza-intestazione"_s}, {}, texts::kHelpNoHeading, true, sets(&Request::noHeading)},
            {{u"lavagna"_s},
             u"AxB"_s,
             texts::kHelpLavagna,
             false,
             [](const QString& value, Request& r) {
                 r.lavagna = operationOf(value);
                 return r.lavagna ? QString() : texts::kLavagnaWantsOperation.arg(quoted(value));
             }},
            {{u"alunni"_s},
             u"FILE"_s,
             texts::kHelpNames.arg(print::kMaxPupilNames),
             true,
             [](const QString& value, Request& r) {
                 r.namesFile = value;
                 return value.isEmpty() ? texts::kNamesWantFile : QString();
             }},
        };
    }();
    return declared;
}

/// The names and value of option as the help shows them: "-h, --help", "--pdf FILE".
QString synopsis(const Option& option)
{
    QStringList names;
    for (const QString& name : option.names) {
        names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
    }
    return names.join(u", "_s) + (option.valueName.isEmpty() ? QString() : u' ' + option.valueName);
}

CommandLine failure(const QString& message)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = message;
    return line;
}

/// Whether a setting given with --codice agrees with the code's own; the message if not.
QString agreement(std::optional<int> given, int coded, const QString& option, const QString& code)
{
    return given && *given != coded ? texts::kOptionContradictsCode.arg(option).arg(*given).arg(quoted(code)).arg(coded)
                                    : QString();
}

bool writeAll(std::FILE* to, const QByteArray& bytes)
{
    return to != nullptr
        && std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to)
        == static_cast<std::size_t>(bytes.size())
        && std::fflush(to) == 0;
}

/// Writes line to to, always as one line.
void say(std::FILE* to, const QString& line)
{
    (void)writeAll(to, (QString(line).replace(u'\n', u' ') + u'\n').toUtf8());
}

}  // namespace

QString helpText()
{
    constexpr qsizetype kColumn = 26;
    QString help = texts::kHelpUsage;
    for (const Option& option : options()) {
        const QString lead = u"  "_s + synopsis(option);
        const QStringList lines = option.description.split(u'\n');
        help += lead.leftJustified(kColumn - 1) + u' ' + lines.front() + u'\n';
        for (qsizetype k = 1; k < lines.size(); ++k) {
            help += QString(kColumn, u' ') + lines[k] + u'\n';
        }
    }
    return help + texts::kHelpExitStatus;
}

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    for (const Option& option : options()) {
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    }
    if (!parser.parse(QStringList{u"virdamo"_s} + arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().front();
            return failure(texts::kUnknownOption.arg((name.size() == 1 ? u"-"_s : u"--"_s) + quoted(name)));
        }
        // The only other way to fail: an option that takes a value is the last argument.
        return failure(texts::kOptionWantsValue.arg(quoted(arguments.back())));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(texts::kUnexpectedArgument.arg(quoted(parser.positionalArguments().front())));
    }

    Request request;
    for (const Option& option : options()) {
        if (!parser.isSet(option.names.back())) {
            continue;
        }
        if (option.needsPdf && !parser.isSet(u"pdf"_s)) {
            return failure(texts::kOptionOnlyWithPdf.arg(option.names.back()));
        }
        if (const QString error =
                option.apply(option.valueName.isEmpty() ? QString() : parser.value(option.names.back()), request);
            !error.isEmpty()) {
            return failure(error);
        }
    }
    if (request.help) {
        return CommandLine{CommandLine::Action::Help, {}, {}, {}, std::nullopt, {}};
    }
    if (request.version) {
        return CommandLine{CommandLine::Action::Version, {}, {}, {}, std::nullopt, {}};
    }
    if (request.lavagna) {
        if (request.pdfFile) {
            return failure(texts::kLavagnaWithoutPdf);
        }
        CommandLine line;
        line.action = CommandLine::Action::OpenLavagna;
        line.lavagna = *request.lavagna;
        return line;
    }
    if (!request.pdfFile) {
        return {};
    }

    CommandLine line;
    line.action = CommandLine::Action::WritePdf;
    line.pdfFile = *request.pdfFile;
    const std::optional<print::PageKinds> pages = print::ClassSet::pagesFor(!request.noPupils, !request.noSolutions);
    if (!pages) {
        return failure(texts::kNoKindOfPageLeft);
    }
    line.set.pages = *pages;
    line.set.sheets = request.sheets;
    line.sheetsGiven = request.sheetsGiven;
    line.namesFile = request.namesFile;
    if (!request.squares && (request.showCarries || request.prova)) {
        return failure(
            texts::kOptionOnlyWithSquares.arg(request.showCarries ? u"mostra-riporti"_s : u"prova-del-nove"_s));
    }
    print::PageOptions& options = line.set.options;
    options.squareMillimetres = request.squares ? std::optional<double>(*request.squares) : std::nullopt;
    options.showCarries = request.showCarries;
    options.provaDelNove = request.prova;
    options.pupilsHeading = !request.noHeading;

    SheetCode& first = line.set.first;
    if (request.code) {
        const SheetCode& code = *request.code;
        const auto tablesText = [](const std::bitset<10>& tables) {
            QString digits;
            for (std::size_t d = 0; d < tables.size(); ++d) {
                digits += tables[d] ? QString::number(d) : QString();
            }
            return digits;
        };
        for (const QString& contradiction :
             {agreement(request.multiplicand, code.cifreMoltiplicando, u"moltiplicando"_s, request.codeText),
              agreement(request.multiplier, code.cifreMoltiplicatore, u"moltiplicatore"_s, request.codeText),
              agreement(request.operations, code.operations(), u"operazioni"_s, request.codeText),
              request.tables && *request.tables != code.level.tabelline
                  ? texts::kOptionContradictsCode.arg(u"tabelline"_s, tablesText(*request.tables),
                                                      quoted(request.codeText), tablesText(code.level.tabelline))
                  : QString(),
              request.carries && *request.carries != code.level.riporti ? texts::kOptionContradictsCode.arg(
                  u"riporti"_s, kCarriesNames.at(std::size_t(*request.carries)), quoted(request.codeText),
                  kCarriesNames.at(std::size_t(code.level.riporti)))
                                                                        : QString()}) {
            if (!contradiction.isEmpty()) {
                return failure(contradiction);
            }
        }
        first = code;
        line.seed = code.seed;
    } else {
        first.cifreMoltiplicando = request.multiplicand.value_or(first.cifreMoltiplicando);
        first.cifreMoltiplicatore = request.multiplier.value_or(first.cifreMoltiplicatore);
        first.ultimaOperazione = request.operations.value_or(first.operations()) - 1;
        first.level.tabelline = request.tables.value_or(first.level.tabelline);
        first.level.riporti = request.carries.value_or(first.level.riporti);
        if (first.level.allowsNone(first.cifreMoltiplicando, first.cifreMoltiplicatore)) {
            return failure(texts::kNoPossibleOperation);
        }
    }
    return line;
}

int runCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err)
{
    switch (line.action) {
    case CommandLine::Action::OpenWindows:
    case CommandLine::Action::OpenLavagna: return 0;
    case CommandLine::Action::Help: return writeAll(out, helpText().toUtf8()) ? 0 : 1;
    case CommandLine::Action::Version:
        return writeAll(out, QByteArray("virdamo ") + QByteArray(kVersion) + '\n') ? 0 : 1;
    case CommandLine::Action::Error: say(err, u"virdamo: "_s + line.error); return 2;
    case CommandLine::Action::WritePdf: break;
    }

    const bool toStandardOutput = line.pdfFile == u"-"_s;
    if (toStandardOutput && out == nullptr) {
        say(err, texts::kStandardOutputClosed);
        return 1;
    }
    print::ClassSet set = line.set;
    set.first.seed = line.seed ? *line.seed : ClockRandomSource().seed().value_or(0);
    if (!line.namesFile.isEmpty()) {
        const NamesRead read = readNamesFile(line.namesFile);
        if (!read.list) {
            say(err, u"virdamo: "_s + read.problem);
            return 2;
        }
        set.names = read.list->names;
        // With names there is a sheet a name: a number of sheets asked for must be theirs.
        if (line.sheetsGiven && static_cast<std::size_t>(set.sheets) != set.names.size()) {
            say(err, u"virdamo: "_s + texts::kSheetsContradictNames.arg(set.sheets).arg(set.names.size()));
            return 2;
        }
    }
    const std::optional<print::OutputFailure> failure = print::failureOf([&] {
        const QByteArray pdf = print::classSetPdf(set, print::pdfPaper());
        if (toStandardOutput) {
            if (!writeAll(out, pdf)) {
                throw print::fileFailure(errno, "standard output");
            }
        } else {
            writeWhole(line.pdfFile, pdf);
        }
    });
    if (failure) {
        const QString reason = print::reasonText(*failure);
        say(err,
            toStandardOutput ? texts::kPdfNotWritten.arg(reason)
                             : texts::kFileNotWritten.arg(quoted(line.pdfFile, kQuotedPathCharacters), reason));
        return 1;
    }
    for (int k = 1; k <= set.sheetCount(); ++k) {
        say(toStandardOutput ? err : out, QString::fromStdString(set.first.nth(k).text()));
    }
    return 0;
}

}  // namespace virdamo::app
