#include "pages/class_options.h"

#include "pages/pupil_names.h"
#include "texts/messages.h"
#include "texts/texts.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

/// An option's first fields, those every declaration has.
ClassOption declared(ClassOption::Kind kind, const QString& name, QString help, OptionGroup group)
{
    ClassOption option;
    option.kind = kind;
    option.name = name;
    option.help = std::move(help);
    option.group = group;
    return option;
}

/// A switch's value read back: only "true" and "false" are one.
std::optional<bool> truthOf(const QString& text)
{
    if (text == u"true"_s || text == u"false"_s) {
        return text == u"true"_s;
    }
    return std::nullopt;
}

/// The digits of a --tables value, "2-5" or "2345" or "0,1,5-7"; none when it is not one.
std::optional<std::bitset<10>> tablesOf(const QString& value)
{
    // The dashes word processors put in a hyphen's place, as codes read them.
    const auto isDash = [](QChar c) { return c == u'-' || (c >= u'\u2010' && c <= u'\u2014') || c == u'\u2212'; };
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
        if (i + 2 < value.size() && isDash(value[i + 1]) && value[i + 2].isDigit()) {
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

QString digitsOf(const std::bitset<10>& tables)
{
    QString digits;
    for (std::size_t d = 0; d < tables.size(); ++d) {
        digits += tables[d] ? QString::number(d) : QString();
    }
    return digits;
}

/// A Choice whose values are the numbers numbers, read into and out of a set by get and put.
ClassOption numberChoice(const QString& name, std::initializer_list<int> numbers, QString help,
                         const std::function<int(const ClassSet&)>& get, const std::function<void(ClassSet&, int)>& put)
{
    ClassOption option = declared(ClassOption::Kind::Choice, name, std::move(help), OptionGroup::Sheets);
    option.fromCode = true;
    for (const int n : numbers) {
        option.values.push_back({QString::number(n), {}, true});
    }
    option.get = [get](const ClassSet& set) { return QString::number(get(set)); };
    option.set = [put, allowed = std::vector<int>(numbers)](const QString& text, ClassSet& set) {
        bool number = false;
        const int n = text.toInt(&number);
        const bool taken = number && std::find(allowed.begin(), allowed.end(), n) != allowed.end();
        if (taken) {
            put(set, n);
        }
        return taken;
    };
    return option;
}

/// A Choice of a factor's decimal digits, numbers, in the level's group of the dialog.
ClassOption decimalsChoice(const QString& name, std::initializer_list<int> numbers, QString help, QString label,
                           QString settingsKey, int SheetCode::*field)
{
    ClassOption option = numberChoice(
        name, numbers, std::move(help), [field](const ClassSet& s) { return s.first.*field; },
        [field](ClassSet& s, int n) { s.first.*field = n; });
    option.group = OptionGroup::Level;
    option.label = std::move(label);
    option.settingsKey = std::move(settingsKey);
    for (OptionValue& value : option.values) {
        const int n = value.text.toInt();
        value.label = n == 0 ? texts::kNoDecimals : n == 1 ? texts::kDecimalsOne : texts::kDecimalsMany.arg(n);
    }
    return option;
}

/// A Switch over a flag of the pages' options.
ClassOption pageSwitch(const QString& name, bool whenGiven, QString help, QString label, QString settingsKey,
                       bool PageOptions::*flag, QString needs = {})
{
    ClassOption option = declared(ClassOption::Kind::Switch, name, std::move(help), OptionGroup::Pages);
    option.label = std::move(label);
    option.settingsKey = std::move(settingsKey);
    option.needs = std::move(needs);
    option.whenGiven = switchText(whenGiven);
    option.get = [flag](const ClassSet& set) { return switchText(set.options.*flag); };
    option.set = [flag](const QString& text, ClassSet& set) {
        const std::optional<bool> value = truthOf(text);
        if (value) {
            set.options.*flag = *value;
        }
        return value.has_value();
    };
    return option;
}

/// A Text of a number of the pages' options, 1 to most on the command line; 0, which the
/// dialog and the settings may hold, for the default that defaultWords name.
ClassOption pageNumber(const QString& name, QString help, QString label, QString settingsKey, int PageOptions::*field,
                       int most, QString defaultWords)
{
    ClassOption option = declared(ClassOption::Kind::Text, name, std::move(help), OptionGroup::Pages);
    option.valueName = u"N"_s;
    option.label = std::move(label);
    option.settingsKey = std::move(settingsKey);
    option.defaultWords = std::move(defaultWords);
    option.most = most;
    option.problem = [name, most](const QString& text) {
        bool number = false;
        const int n = text.toInt(&number);
        return number && n >= 1 && n <= most ? QString()
                                             : texts::kOptionWantsNumber.arg(name).arg(most).arg(texts::quoted(text));
    };
    option.get = [field](const ClassSet& set) { return QString::number(set.options.*field); };
    option.set = [field, most](const QString& text, ClassSet& set) {
        bool number = false;
        const int n = text.toInt(&number);
        const bool taken = number && n >= 0 && n <= most;
        if (taken) {
            set.options.*field = n;
        }
        return taken;
    };
    return option;
}

/// A Text of a line printed on squared pages, empty for none.
ClassOption pageLine(const QString& name, QString help, QString label, QString settingsKey, QString PageOptions::*field,
                     QString defaultWords)
{
    ClassOption option = declared(ClassOption::Kind::Text, name, std::move(help), OptionGroup::Pages);
    option.valueName = u"TESTO"_s;
    option.label = std::move(label);
    option.settingsKey = std::move(settingsKey);
    option.defaultWords = std::move(defaultWords);
    option.needs = u"quadretti"_s;
    option.line = true;
    option.problem = [name](const QString& text) {
        return text.toUcs4().size() > kMaxLineCharacters ? texts::kLineTooLong.arg(name).arg(kMaxLineCharacters)
                                                         : QString();
    };
    option.get = [field](const ClassSet& set) { return set.options.*field; };
    option.set = [field](const QString& text, ClassSet& set) {
        const QString line = text.simplified();
        const bool taken = line.toUcs4().size() <= kMaxLineCharacters;
        if (taken) {
            set.options.*field = line;
        }
        return taken;
    };
    return option;
}

/// A Switch that takes one kind of page away; the last kind left cannot go.
ClassOption withoutPages(const QString& name, QString help, bool pupils)
{
    ClassOption option = declared(ClassOption::Kind::Switch, name, std::move(help), OptionGroup::Sheets);
    option.whenGiven = switchText(false);
    option.invalid = texts::kNoKindOfPageLeft;
    option.get = [pupils](const ClassSet& set) { return switchText(pupils ? set.hasPupils() : set.hasSolutions()); };
    option.set = [pupils](const QString& text, ClassSet& set) {
        const std::optional<bool> value = truthOf(text);
        if (!value) {
            return false;
        }
        const std::optional<PageKinds> kinds =
            pupils ? ClassSet::pagesFor(*value, set.hasSolutions()) : ClassSet::pagesFor(set.hasPupils(), *value);
        if (kinds) {
            set.pages = *kinds;
        }
        return kinds.has_value();
    };
    return option;
}

/// A Choice of an enumeration's values, values in the enumeration's order, held where
/// field finds it in a set.
template <typename T>
ClassOption enumChoice(const QString& name, QString help, QString label, QString settingsKey, OptionGroup group,
                       T& (*field)(ClassSet&), std::vector<OptionValue> values)
{
    ClassOption option = declared(ClassOption::Kind::Choice, name, std::move(help), group);
    option.label = std::move(label);
    option.settingsKey = std::move(settingsKey);
    option.values = std::move(values);
    option.get = [field, texts = option.values](const ClassSet& s) {
        ClassSet read = s;
        return texts.at(static_cast<std::size_t>(field(read))).text;
    };
    option.set = [field, texts = option.values](const QString& text, ClassSet& s) {
        const auto at = std::find_if(texts.begin(), texts.end(), [&](const OptionValue& v) { return v.text == text; });
        if (at != texts.end()) {
            field(s) = static_cast<T>(at - texts.begin());
        }
        return at != texts.end();
    };
    return option;
}

/// A Choice of one of the conventions, which mean something only on squares.
template <typename T>
ClassOption conventionChoice(const QString& name, QString help, QString label, QString settingsKey,
                             T& (*field)(ClassSet&), std::vector<OptionValue> values)
{
    ClassOption option = enumChoice(name, std::move(help), std::move(label), std::move(settingsKey),
                                    OptionGroup::Conventions, field, std::move(values));
    option.needs = u"quadretti"_s;
    return option;
}

std::vector<ClassOption> declareOptions()
{
    std::vector<ClassOption> options;
    options.push_back(numberChoice(
        u"moltiplicando"_s, {2, 3, 4}, texts::kHelpMultiplicand,
        [](const ClassSet& s) { return s.first.multiplicandDigits; },
        [](ClassSet& s, int n) { s.first.multiplicandDigits = n; }));
    options.push_back(numberChoice(
        u"moltiplicatore"_s, {1, 2, 3}, texts::kHelpMultiplier,
        [](const ClassSet& s) { return s.first.multiplierDigits; },
        [](ClassSet& s, int n) { s.first.multiplierDigits = n; }));
    options.push_back(numberChoice(
        u"operazioni"_s, {10, 20}, texts::kHelpOperations, [](const ClassSet& s) { return s.first.operations(); },
        [](ClassSet& s, int n) { s.first.lastOperation = n - 1; }));

    ClassOption sheets;
    sheets.kind = ClassOption::Kind::Text;
    sheets.name = u"schede"_s;
    sheets.valueName = u"N"_s;
    sheets.help = texts::kHelpSheets.arg(ClassSet::kMaxSheets);
    sheets.label = texts::kSheetCountLabel;
    sheets.settingsKey = u"numero"_s;
    sheets.group = OptionGroup::Sheets;
    sheets.invalid = texts::kSheetsWantsNumber.arg(ClassSet::kMaxSheets);
    sheets.get = [](const ClassSet& s) { return QString::number(s.sheets); };
    sheets.set = [](const QString& text, ClassSet& s) {
        bool number = false;
        const int n = text.toInt(&number);
        if (number && n == ClassSet::clampedSheets(n)) {
            s.sheets = n;
        }
        return number && n == ClassSet::clampedSheets(n);
    };
    options.push_back(std::move(sheets));

    options.push_back(withoutPages(u"senza-alunni"_s, texts::kHelpNoPupils, true));
    options.push_back(withoutPages(u"senza-soluzioni"_s, texts::kHelpNoSolutions, false));

    ClassOption tables;
    tables.kind = ClassOption::Kind::Text;
    tables.name = u"tabelline"_s;
    tables.valueName = u"CIFRE"_s;
    tables.help = texts::kHelpTables;
    tables.label = texts::kTablesLabel;
    tables.settingsKey = u"tabelline"_s;
    tables.group = OptionGroup::Level;
    tables.fromCode = true;
    tables.invalid = texts::kTablesWantDigits;
    tables.defaultWords = texts::kEveryTable;
    tables.get = [](const ClassSet& s) { return digitsOf(s.first.level.tables); };
    tables.set = [](const QString& text, ClassSet& s) {
        const std::optional<std::bitset<10>> read = tablesOf(text);
        if (read) {
            s.first.level.tables = *read;
        }
        return read.has_value();
    };
    options.push_back(std::move(tables));

    ClassOption carries =
        enumChoice(u"riporti"_s, texts::kHelpCarries, texts::kCarriesLabel, u"riporti"_s, OptionGroup::Level,
                   +[](ClassSet& s) -> CarriesRule& { return s.first.level.carries; },
                   {{u"qualsiasi"_s, texts::kCarriesAny, true},
                    {u"senza"_s, texts::kCarriesNone, true},
                    {u"con"_s, texts::kCarriesSome, true}});
    carries.fromCode = true;
    options.push_back(std::move(carries));

    options.push_back(decimalsChoice(u"decimali-moltiplicando"_s, {0, 1, 2, 3}, texts::kHelpMultiplicandDecimals,
                                     texts::kMultiplicandDecimalsLabel, u"decimaliMoltiplicando"_s,
                                     &SheetCode::multiplicandDecimals));
    options.push_back(decimalsChoice(u"decimali-moltiplicatore"_s, {0, 1, 2}, texts::kHelpMultiplierDecimals,
                                     texts::kMultiplierDecimalsLabel, u"decimaliMoltiplicatore"_s,
                                     &SheetCode::multiplierDecimals));

    ClassOption powersOfTen =
        declared(ClassOption::Kind::Switch, u"per-10-100-1000"_s, texts::kHelpPowersOfTen, OptionGroup::Level);
    powersOfTen.label = texts::kPowersOfTenLabel;
    powersOfTen.settingsKey = u"per101001000"_s;
    powersOfTen.fromCode = true;
    powersOfTen.whenGiven = switchText(true);
    powersOfTen.get = [](const ClassSet& s) { return switchText(s.first.kind == SheetKind::PowersOfTen); };
    powersOfTen.set = [](const QString& text, ClassSet& s) {
        const std::optional<bool> value = truthOf(text);
        if (value) {
            s.first.kind = *value ? SheetKind::PowersOfTen : SheetKind::Columns;
        }
        return value.has_value();
    };
    options.push_back(std::move(powersOfTen));

    ClassOption squares;
    squares.kind = ClassOption::Kind::Choice;
    squares.name = u"quadretti"_s;
    squares.help = texts::kHelpSquares;
    squares.label = texts::kSquaresLabel;
    squares.settingsKey = u"quadretti"_s;
    squares.group = OptionGroup::Pages;
    squares.defaultWords = texts::kPlainPagesWords;
    // Plain pages first, then the sides from the largest, each with its words.
    squares.values.push_back({u"0"_s, texts::kPlainPages, false});
    const std::array<QString, kSquareSides.size()> words{texts::kSquares10, texts::kSquares5, texts::kSquares4};
    for (std::size_t i = 0; i < kSquareSides.size(); ++i) {
        squares.values.push_back({QString::number(kSquareSides.at(i)), words.at(i), true});
    }
    squares.get = [](const ClassSet& s) { return QString::number(s.options.squareMillimetres.value_or(0.0)); };
    squares.set = [](const QString& text, ClassSet& s) {
        if (text == u"0"_s) {
            s.options.squareMillimetres.reset();
            return true;
        }
        const auto* at = std::find_if(kSquareSides.begin(), kSquareSides.end(),
                                      [&](double side) { return QString::number(side) == text; });
        if (at != kSquareSides.end()) {
            s.options.squareMillimetres = *at;
        }
        return at != kSquareSides.end();
    };
    options.push_back(std::move(squares));

    options.push_back(pageSwitch(u"mostra-riporti"_s, true, texts::kHelpShowCarries, texts::kShowCarries,
                                 u"mostraRiporti"_s, &PageOptions::showCarries, u"quadretti"_s));
    options.push_back(pageSwitch(u"prova-del-nove"_s, true, texts::kHelpProva, texts::kProvaDelNove, u"provaDelNove"_s,
                                 &PageOptions::provaDelNove, u"quadretti"_s));
    options.push_back(pageNumber(u"per-pagina"_s, texts::kHelpPerPage, texts::kPerPageLabel, u"perPagina"_s,
                                 &PageOptions::perPage, kMaxPerPage, texts::kAsManyAsFit));
    options.back().needs = u"quadretti"_s;
    options.push_back(pageSwitch(u"etichette-colonne"_s, true, texts::kHelpColumnLabels, texts::kColumnLabels,
                                 u"etichetteColonne"_s, &PageOptions::columnLabels, u"quadretti"_s));
    options.push_back(pageSwitch(u"colori-colonne"_s, true, texts::kHelpColumnColours, texts::kColumnColours,
                                 u"coloriColonne"_s, &PageOptions::columnColours, u"quadretti"_s));
    options.push_back(pageSwitch(u"tavola-pitagorica"_s, true, texts::kHelpTimesTable, texts::kTimesTable,
                                 u"tavolaPitagorica"_s, &PageOptions::timesTable, u"quadretti"_s));
    options.push_back(pageLine(u"titolo"_s, texts::kHelpTitle, texts::kTitleLabel, u"titolo"_s, &PageOptions::title,
                               texts::kNoTitleWords));
    options.push_back(pageLine(u"consegna"_s, texts::kHelpInstruction, texts::kInstructionLabel, u"consegna"_s,
                               &PageOptions::instruction, texts::kNoInstructionWords));
    options.push_back(pageNumber(u"facilitata-operazioni"_s, texts::kHelpSupportedOperations,
                                 texts::kSupportedOperationsLabel, u"facilitataOperazioni"_s,
                                 &PageOptions::supportedOperations, kMaxPerPage, texts::kHalfTheSheet));
    options.push_back(pageSwitch(u"senza-intestazione"_s, false, texts::kHelpNoHeading, texts::kPupilsHeading,
                                 u"intestazione"_s, &PageOptions::pupilsHeading));
    options.push_back(conventionChoice(u"posti-vuoti"_s, texts::kHelpEmptyPlaces, texts::kEmptyPlacesLabel,
                                       u"postiVuoti"_s,
                                       +[](ClassSet& s) -> EmptyPlaces& { return s.options.conventions.emptyPlaces; },
                                       {{u"vuoti"_s, texts::kEmptyPlacesBlank, true},
                                        {u"trattino"_s, texts::kEmptyPlacesDash, true},
                                        {u"zero"_s, texts::kEmptyPlacesZero, true}}));
    options.push_back(conventionChoice(u"riga-dello-zero"_s, texts::kHelpZeroRow, texts::kZeroRowLabel,
                                       u"rigaDelloZero"_s,
                                       +[](ClassSet& s) -> ZeroRow& { return s.options.conventions.zeroRow; },
                                       {{u"cifra"_s, texts::kZeroRowDigit, true},
                                        {u"zeri"_s, texts::kZeroRowZeros, true},
                                        {u"salta"_s, texts::kZeroRowSkip, true}}));
    options.push_back(conventionChoice(u"nove-vale"_s, texts::kHelpNineIs, texts::kNineIsLabel, u"noveVale"_s,
                                       +[](ClassSet& s) -> bool& { return s.options.conventions.nineIsZero; },
                                       {{u"9"_s, texts::kNineIsNine, true}, {u"0"_s, texts::kNineIsZero, true}}));
    return options;
}

}  // namespace

QString switchText(bool on)
{
    return on ? u"true"_s : u"false"_s;
}

QString lineProblem(const ClassSet& set)
{
    for (const ClassOption& option : classOptions()) {
        if (!option.line) {
            continue;
        }
        if (const std::optional<char32_t> c = undrawableCharacter(option.get(set))) {
            return texts::kLineNotDrawable.arg(option.name, texts::characterName(*c));
        }
    }
    return {};
}

QString ClassOption::defaultText() const
{
    return get(ClassSet{});
}

QString ClassOption::synopsis() const
{
    QString value = valueName;
    if (kind == Kind::Choice) {
        QStringList texts;
        for (const OptionValue& v : values) {
            if (v.onCommandLine) {
                texts << v.text;
            }
        }
        value = texts.join(u'|');
    }
    return u"--"_s + name + (value.isEmpty() ? QString() : u' ' + value);
}

QString ClassOption::helpText() const
{
    if (kind == Kind::Switch) {
        return help;
    }
    return help.arg(defaultWords.isEmpty() ? defaultText() : defaultWords);
}

QString ClassOption::invalidMessage(const QString& quotedValue) const
{
    if (!invalid.isEmpty()) {
        return invalid.contains(u'%') ? invalid.arg(quotedValue) : invalid;
    }
    QStringList written;
    for (const OptionValue& v : values) {
        if (v.onCommandLine) {
            written << v.text;
        }
    }
    const QString last = written.takeLast();
    return texts::kOptionWantsOneOf.arg(name, written.join(u", "_s), last, quotedValue);
}

QString ClassOption::labelOf(const QString& text) const
{
    for (const OptionValue& v : values) {
        if (v.text == text) {
            return v.label;
        }
    }
    return {};
}

const std::vector<ClassOption>& classOptions()
{
    static const std::vector<ClassOption> declared = declareOptions();
    return declared;
}

const ClassOption& classOption(const QString& name)
{
    const std::vector<ClassOption>& options = classOptions();
    const auto at = std::find_if(options.begin(), options.end(), [&](const ClassOption& o) { return o.name == name; });
    Q_ASSERT(at != options.end());
    return *at;
}

std::vector<const ClassOption*> optionsOf(OptionGroup group)
{
    std::vector<const ClassOption*> of;
    for (const ClassOption& option : classOptions()) {
        if (option.group == group) {
            of.push_back(&option);
        }
    }
    return of;
}

}  // namespace virdamo::pages
