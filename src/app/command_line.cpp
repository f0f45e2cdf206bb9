#include "app/command_line.h"

#include "app/version.h"
#include "output/class_set_pdf.h"
#include "output/file_output.h"
#include "output/html_sheets.h"
#include "output/output_failure.h"
#include "pages/class_options.h"
#include "pages/pupil_names.h"
#include "texts/messages.h"
#include "texts/texts.h"
#include "worksheet/random_source.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

/// What the program's own options ask for, as they are read; the class set's options go
/// straight into the set.
struct Request {
    bool help = false;
    bool version = false;
    std::optional<QString> pdfFile;
    std::optional<QString> htmlFile;
    std::optional<SheetCode> code;
    QString codeText;
    QString namesFile;
    std::optional<BoardOperation> lavagna;
};

/// One of the program's own options, which are not a class set's: its names, the name of
/// its value (empty for a switch), what the help says of it, whether it means anything
/// without a file to write, and what it does to the request: an error message, or empty.
struct Option {
    QStringList names;
    QString valueName;
    QString description;
    bool needsFile = true;
    std::function<QString(const QString& value, Request& request)> apply;
};

/// A factor as typed, "23,45": its digits without the comma and how many follow the comma;
/// none without digits before and after a single comma, or with a first digit 0.
std::optional<std::pair<std::int32_t, int>> factorOf(const QString& typed)
{
    const qsizetype comma = typed.indexOf(u',');
    if (comma == 0 || comma == typed.size() - 1 || typed.count(u',') > 1 || typed.startsWith(u'0')) {
        return std::nullopt;
    }
    QString digits = typed;
    digits.remove(u',');
    return std::pair{digits.toInt(), comma < 0 ? 0 : static_cast<int>(typed.size() - 1 - comma)};
}

/// The operation of a --lavagna value, "2305x104" or "23,45x3,2" (also with X, ×, * or
/// blanks), with the digit counts and decimals the program works with; none when it is not one.
std::optional<BoardOperation> operationOf(const QString& value)
{
    static const QRegularExpression operation(uR"(^\s*([\d,]+)\s*[xX×*]\s*([\d,]+)\s*$)"_s);
    const QRegularExpressionMatch match = operation.match(value);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const auto multiplicand = factorOf(match.captured(1));
    const auto multiplier = factorOf(match.captured(2));
    if (!multiplicand || !multiplier) {
        return std::nullopt;
    }
    BoardOperation board{multiplicand->first, multiplier->first, multiplicand->second, multiplier->second};
    SheetCode shape;
    shape.multiplicandDigits = static_cast<int>(std::to_string(board.multiplicand).size());
    shape.multiplierDigits = static_cast<int>(std::to_string(board.multiplier).size());
    shape.multiplicandDecimals = board.multiplicandDecimals;
    shape.multiplierDecimals = board.multiplierDecimals;
    const bool digitsFit = shape.multiplicandDigits >= 2 && shape.multiplicandDigits <= 4 && shape.multiplierDigits >= 1
        && shape.multiplierDigits <= 3;
    return digitsFit && shape.decimalsFit() ? std::optional(board) : std::nullopt;
}

/// Why the decimals of set do not fit its digits; empty when they do.
QString decimalsProblem(const pages::ClassSet& set)
{
    const SheetCode& first = set.first;
    if (first.decimalsFit()) {
        return {};
    }
    if (first.kind == SheetKind::PowersOfTen) {
        return texts::kPowersOfTenWithoutDecimals;
    }
    if (first.multiplicandDecimals >= first.multiplicandDigits) {
        return texts::kDecimalsDoNotFit.arg(u"decimali-moltiplicando"_s)
            .arg(first.multiplicandDecimals)
            .arg(u"moltiplicando"_s)
            .arg(first.multiplicandDigits);
    }
    return texts::kDecimalsDoNotFit.arg(u"decimali-moltiplicatore"_s)
        .arg(first.multiplierDecimals)
        .arg(u"moltiplicatore"_s)
        .arg(first.multiplierDigits);
}

/// The program's options that come before the class set's in the help.
const std::vector<Option>& leadingOptions()
{
    static const std::vector<Option> declared{
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
        {{u"html"_s},
         u"FILE"_s,
         texts::kHelpHtml,
         false,
         [](const QString& value, Request& r) {
             r.htmlFile = value;
             return value.isEmpty() ? texts::kHtmlWantsFile : QString();
         }},
        {{u"codice"_s},
         u"CODICE"_s,
         texts::kHelpCode,
         true,
         [](const QString& value, Request& r) {
             const ParsedCode parsed = parseSheetCode(value.toStdString());
             r.code = parsed.code;
             r.codeText = value;
             return parsed.code ? QString()
                                : texts::kCodeNotValid.arg(texts::quoted(value), texts::codeProblem(parsed));
         }},
    };
    return declared;
}

/// The program's options that come after the class set's in the help.
const std::vector<Option>& trailingOptions()
{
    static const std::vector<Option> declared{
        {{u"alunni"_s},
         u"FILE"_s,
         texts::kHelpNames.arg(pages::kMaxPupilNames),
         true,
         [](const QString& value, Request& r) {
             r.namesFile = value;
             return value.isEmpty() ? texts::kNamesWantFile : QString();
         }},
        {{u"lavagna"_s},
         u"AxB"_s,
         texts::kHelpLavagna,
         false,
         [](const QString& value, Request& r) {
             r.lavagna = operationOf(value);
             return r.lavagna ? QString() : texts::kLavagnaWantsOperation.arg(texts::quoted(value));
         }},
    };
    return declared;
}

/// A line of the help: the synopsis, then the description from column on, its further
/// lines under its first.
QString helpEntry(const QString& synopsis, const QString& description, qsizetype column)
{
    const QString lead = u"  "_s + synopsis;
    const QStringList lines = description.split(u'\n');
    QString entry = lead.leftJustified(column - 1) + u' ' + lines.front() + u'\n';
    for (qsizetype k = 1; k < lines.size(); ++k) {
        entry += QString(column, u' ') + lines[k] + u'\n';
    }
    return entry;
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

/// Writes the bytes made to file, "-" for out; false, told on err as notWritten says for
/// standard output, when they could not be.
bool written(const QString& file, const std::function<QByteArray()>& made, const QString& notWritten, std::FILE* out,
             std::FILE* err)
{
    const bool toStandardOutput = file == u"-"_s;
    const std::optional<output::OutputFailure> failure = output::failureOf([&] {
        const QByteArray bytes = made();
        if (toStandardOutput) {
            if (!writeAll(out, bytes)) {
                throw output::fileFailure(errno, "standard output");
            }
        } else {
            output::writeWhole(file, bytes);
        }
    });
    if (failure) {
        const QString reason = output::reasonText(*failure);
        say(err,
            toStandardOutput ? notWritten.arg(reason)
                             : texts::kFileNotWritten.arg(texts::quoted(file, texts::kQuotedPathCharacters), reason));
        return false;
    }
    return true;
}

}  // namespace

QString helpText()
{
    std::vector<std::pair<QString, QString>> entries;
    for (const Option& option : leadingOptions()) {
        entries.emplace_back(synopsis(option), option.description);
    }
    for (const pages::ClassOption& option : pages::classOptions()) {
        entries.emplace_back(option.synopsis(), option.helpText());
    }
    for (const Option& option : trailingOptions()) {
        entries.emplace_back(synopsis(option), option.description);
    }
    // The descriptions start together, two blanks after the longest synopsis.
    qsizetype column = 0;
    for (const auto& [synopsisText, description] : entries) {
        column = std::max(column, synopsisText.size() + 4);
    }
    QString help = texts::kHelpUsage;
    for (const auto& [synopsisText, description] : entries) {
        help += helpEntry(synopsisText, description, column);
    }
    return help + texts::kHelpExitStatus;
}

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    std::vector<const Option*> own;
    for (const auto* table : {&leadingOptions(), &trailingOptions()}) {
        for (const Option& option : *table) {
            own.push_back(&option);
            parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
        }
    }
    for (const pages::ClassOption& option : pages::classOptions()) {
        parser.addOption(QCommandLineOption(option.name, option.help,
                                            option.kind == pages::ClassOption::Kind::Switch ? QString() : u"V"_s));
    }
    if (!parser.parse(QStringList{u"virdamo"_s} + arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().front();
            return failure(texts::kUnknownOption.arg((name.size() == 1 ? u"-"_s : u"--"_s) + texts::quoted(name)));
        }
        // The only other way to fail: an option that takes a value is the last argument.
        return failure(texts::kOptionWantsValue.arg(texts::quoted(arguments.back())));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(texts::kUnexpectedArgument.arg(texts::quoted(parser.positionalArguments().front())));
    }

    const bool writesFiles = parser.isSet(u"pdf"_s) || parser.isSet(u"html"_s);
    Request request;
    for (const Option* option : own) {
        if (!parser.isSet(option->names.back())) {
            continue;
        }
        if (option->needsFile && !writesFiles) {
            return failure(texts::kOptionOnlyWithPdf.arg(option->names.back()));
        }
        if (const QString error =
                option->apply(option->valueName.isEmpty() ? QString() : parser.value(option->names.back()), request);
            !error.isEmpty()) {
            return failure(error);
        }
    }
    // The class set as the options ask for it; those given are remembered to check them
    // against the code and against what they need.
    pages::ClassSet asked;
    std::vector<const pages::ClassOption*> given;
    for (const pages::ClassOption& option : pages::classOptions()) {
        if (!parser.isSet(option.name)) {
            continue;
        }
        if (!writesFiles) {
            return failure(texts::kOptionOnlyWithPdf.arg(option.name));
        }
        const bool isSwitch = option.kind == pages::ClassOption::Kind::Switch;
        const QString value = isSwitch ? option.whenGiven : parser.value(option.name);
        if (const QString problem = option.problem ? option.problem(value) : QString(); !problem.isEmpty()) {
            return failure(problem);
        }
        if (!option.set(value, asked)) {
            return failure(option.invalidMessage(texts::quoted(value)));
        }
        given.push_back(&option);
    }
    if (request.help) {
        CommandLine line;
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (request.version) {
        CommandLine line;
        line.action = CommandLine::Action::Version;
        return line;
    }
    if (request.lavagna) {
        if (writesFiles) {
            return failure(texts::kLavagnaWithoutPdf);
        }
        CommandLine line;
        line.action = CommandLine::Action::OpenLavagna;
        line.lavagna = *request.lavagna;
        return line;
    }
    if (!writesFiles) {
        return {};
    }
    if (request.pdfFile == u"-"_s && request.htmlFile == u"-"_s) {
        return failure(texts::kBothOnStandardOutput);
    }
    for (const pages::ClassOption* option : given) {
        if (!option->needs.isEmpty() && !parser.isSet(option->needs)) {
            return failure(texts::kOptionNeedsOption.arg(option->name, option->needs));
        }
    }

    CommandLine line;
    line.action = CommandLine::Action::WriteFiles;
    line.pdfFile = request.pdfFile.value_or(QString());
    line.htmlFile = request.htmlFile.value_or(QString());
    line.namesFile = request.namesFile;
    line.sheetsGiven = parser.isSet(u"schede"_s);
    line.set = asked;
    if (request.code) {
        // The code's own settings stand; one given that differs from them is refused.
        line.set.first = *request.code;
        for (const pages::ClassOption* option : given) {
            if (option->fromCode && option->get(asked) != option->get(line.set)) {
                return failure(texts::kOptionContradictsCode.arg(
                    option->name, option->get(asked), texts::quoted(request.codeText), option->get(line.set)));
            }
        }
        line.seed = request.code->seed;
    } else if (const QString problem = decimalsProblem(line.set); !problem.isEmpty()) {
        return failure(problem);
    } else if (!line.set.first.makesSheet()) {
        return failure(texts::kNoPossibleOperation);
    }
    // The page for the browser walks the steps of column operations; the powers of ten's
    // rows have none.
    if (!line.htmlFile.isEmpty() && line.set.first.kind == SheetKind::PowersOfTen) {
        return failure(texts::kHtmlWithoutPowersOfTen);
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
    case CommandLine::Action::WriteFiles: break;
    }

    if ((line.pdfFile == u"-"_s || line.htmlFile == u"-"_s) && out == nullptr) {
        say(err, line.pdfFile == u"-"_s ? texts::kStandardOutputClosed : texts::kStandardOutputClosedHtml);
        return 1;
    }
    pages::ClassSet set = line.set;
    if (const QString problem = pages::lineProblem(set); !problem.isEmpty()) {
        say(err, u"virdamo: "_s + problem);
        return 2;
    }
    set.first.seed = line.seed ? *line.seed : ClockRandomSource().seed().value_or(0);
    if (!line.namesFile.isEmpty()) {
        const pages::NamesRead read = pages::readNamesFile(line.namesFile);
        if (!read.list) {
            say(err, u"virdamo: "_s + read.problem);
            return 2;
        }
        set.names = read.list->names;
        set.supported = read.list->supported;
        // With names there is a sheet a name: a number of sheets asked for must be theirs.
        if (line.sheetsGiven && static_cast<std::size_t>(set.sheets) != set.names.size()) {
            say(err, u"virdamo: "_s + texts::kSheetsContradictNames.arg(set.sheets).arg(set.names.size()));
            return 2;
        }
    }
    if (!line.pdfFile.isEmpty()
        && !written(
            line.pdfFile, [&] { return output::classSetPdf(set, output::pdfPaper()); }, texts::kPdfNotWritten, out,
            err)) {
        return 1;
    }
    if (!line.htmlFile.isEmpty()
        && !written(
            line.htmlFile, [&] { return output::classSetHtml(set); }, texts::kHtmlNotWritten, out, err)) {
        return 1;
    }
    const bool toStandardOutput = line.pdfFile == u"-"_s || line.htmlFile == u"-"_s;
    for (int k = 1; k <= set.sheetCount(); ++k) {
        say(toStandardOutput ? err : out, QString::fromStdString(set.first.nth(k).text()));
    }
    return 0;
}

}  // namespace virdamo::app
