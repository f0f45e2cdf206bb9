#pragma once

#include "pages/class_set.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace virdamo::pages {

/// Where the class dialog shows an option.
enum class OptionGroup {
    Sheets,       ///< the sheets and their kinds of page, at the top of the dialog
    Level,        ///< "Difficoltà": what the operations are drawn from
    Pages,        ///< "Pagine": how the pages look
    Conventions,  ///< "Convenzioni": how the class writes an operation, on squares and on the whiteboard
};

/// One value of an option with a fixed list of them.
struct OptionValue {
    QString text;   ///< on the command line and in the settings: "5"
    QString label;  ///< in the class dialog: "5 mm (seconda e terza)"
    /// False for the value an option has when it is not given: the dialog offers it, the
    /// command line does not take it.
    bool onCommandLine = true;
};

/// One option of a class set, declared once: the command line reads and documents it, the
/// class dialog shows it in its group, and the dialog's settings remember it, all from here.
/// Its value is always handled as text, the text the command line takes.
struct ClassOption {
    enum class Kind {
        Switch,  ///< no value on the command line: given, it sets whenGiven; a tick box in the dialog
        Choice,  ///< one of values; a list in the dialog
        Text,    ///< a value of its own form (a number, digits); the dialog shows it its own way
    };

    Kind kind = Kind::Switch;
    QString name;         ///< on the command line, without "--": "quadretti"
    QString valueName;    ///< Text: what the help calls the value, "N"; the others make it themselves
    QString help;         ///< the help's Italian text; the lowest "%n" left in it is the default
    QString label;        ///< in the class dialog; empty where the dialog has no field of its own for it
    QString settingsKey;  ///< in the settings, and the name of the dialog's field; empty: not remembered
    OptionGroup group = OptionGroup::Pages;
    QString needs;                    ///< the option this one means something only with, when given; empty for none
    bool fromCode = false;            ///< a sheet code carries it: with --codice a given value must agree
    QString whenGiven;                ///< Switch: the value the switch gives, "true" or "false"
    std::vector<OptionValue> values;  ///< Choice: every value, in the dialog's order
    QString invalid;                  ///< the message for a value it does not take, "%1" the value quoted; empty
                                      ///< for the usual "--x vuole a, b o c"
    QString defaultWords;             ///< how the help names the default, where its text would not say it well
    int most = 0;       ///< Text of a number: the largest the command line takes, from 1; 0 for other texts
    bool line = false;  ///< Text: a line printed on the pages, of at most kMaxLineCharacters characters
    /// Text: why the command line refuses value, in Italian; empty where it takes it. Unset
    /// for an option whose values set alone checks.
    std::function<QString(const QString& value)> problem;
    std::function<QString(const ClassSet&)> get;         ///< the value in a set, as text
    std::function<bool(const QString&, ClassSet&)> set;  ///< false, leaving the set as it was, for a value not taken

    /// The value of a set made with no option at all.
    [[nodiscard]] QString defaultText() const;
    /// True when set holds this option's default.
    [[nodiscard]] bool isDefault(const ClassSet& classSet) const { return get(classSet) == defaultText(); }
    /// "--quadretti 10|5|4", "--mostra-riporti", "--schede N".
    [[nodiscard]] QString synopsis() const;
    /// The help's text, its default filled in.
    [[nodiscard]] QString helpText() const;
    /// The message for value, which the option does not take; quotedValue is value as it is
    /// quoted back.
    [[nodiscard]] QString invalidMessage(const QString& quotedValue) const;
    /// The label of the value text, for a Choice; empty for none.
    [[nodiscard]] QString labelOf(const QString& text) const;
};

/// A switch's value as text: "true" or "false", as a Switch's get gives it and set takes it.
[[nodiscard]] QString switchText(bool on);

/// Why a line of set printed on the pages (a title, an instruction) cannot be printed, in
/// Italian, naming the first character no face draws; empty when every line can. Needs a
/// QGuiApplication.
[[nodiscard]] QString lineProblem(const ClassSet& set);

/// Every option of a class set, in the order the help lists them.
[[nodiscard]] const std::vector<ClassOption>& classOptions();
/// The option named name; it must be one.
[[nodiscard]] const ClassOption& classOption(const QString& name);
/// The options the dialog shows in group, in order.
[[nodiscard]] std::vector<const ClassOption*> optionsOf(OptionGroup group);

}  // namespace virdamo::pages
