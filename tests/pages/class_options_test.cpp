#include "pages/class_options.h"

#include <gtest/gtest.h>

#include <QSet>

namespace virdamo::pages {

namespace {

/// A set's every option as text: two sets agree where their texts do.
QStringList textsOf(const ClassSet& set)
{
    QStringList texts;
    for (const ClassOption& option : classOptions()) {
        texts << option.get(set);
    }
    return texts;
}

}  // namespace

TEST(ClassOptions, EveryValueTakenReadsBackAndChangesItsOptionAlone)
{
    // Values of a form of their own, as typed and as read back.
    const struct {
        const char* option;
        const char* given;
        const char* readBack;
    } ownForm[] = {
        {"schede", "40", "40"},
        {"tabelline", "2–5", "2345"},
        {"tabelline", "0,1,7-9", "01789"},
        {"per-pagina", "4", "4"},
        {"facilitata-operazioni", "20", "20"},
        {"titolo", " Le  moltiplicazioni\tdi Niccolò ", "Le moltiplicazioni di Niccolò"},
        {"consegna", "Esegui in colonna e fai la prova del nove.", "Esegui in colonna e fai la prova del nove."}};
    QSet<QString> keys;
    for (const ClassOption& option : classOptions()) {
        SCOPED_TRACE(option.name.toStdString());
        EXPECT_FALSE(option.helpText().contains(u'%')) << "a default left unfilled";
        EXPECT_TRUE(option.needs.isEmpty() || classOption(option.needs).kind == ClassOption::Kind::Choice);
        if (!option.settingsKey.isEmpty()) {
            EXPECT_FALSE(keys.contains(option.settingsKey)) << "two options share a settings key";
            keys.insert(option.settingsKey);
        }
        std::vector<std::pair<QString, QString>> values;
        for (const OptionValue& value : option.values) {
            values.emplace_back(value.text, value.text);
        }
        if (option.kind == ClassOption::Kind::Switch) {
            values.emplace_back(option.whenGiven, option.whenGiven);
        }
        for (const auto& own : ownForm) {
            if (option.name == QString::fromUtf8(own.option)) {
                values.emplace_back(QString::fromUtf8(own.given), QString::fromUtf8(own.readBack));
            }
        }
        ASSERT_FALSE(values.empty());
        for (const auto& [given, readBack] : values) {
            ClassSet set;
            QStringList expected = textsOf(set);
            ASSERT_TRUE(option.set(given, set)) << given.toStdString();
            EXPECT_EQ(option.get(set), readBack);
            expected[&option - classOptions().data()] = readBack;
            EXPECT_EQ(textsOf(set), expected) << "another option changed with " << given.toStdString();
        }
        ClassSet untouched;
        // A printed line takes any text of up to 80 characters, a number only its range.
        EXPECT_FALSE(option.set(option.line ? QString(81, u'x') : QStringLiteral("99x"), untouched));
        if (option.most > 0) {
            EXPECT_FALSE(option.set(QString::number(option.most + 1), untouched));
            EXPECT_FALSE(option.problem(QStringLiteral("0")).isEmpty()) << "0 is the dialog's, not the command line's";
        }
        EXPECT_EQ(textsOf(untouched), textsOf(ClassSet{})) << "a value not taken changed the set";
    }
}

}  // namespace virdamo::pages
