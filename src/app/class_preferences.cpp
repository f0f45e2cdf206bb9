#include "app/class_preferences.h"

#include "pages/class_options.h"

#include <QSettings>
#include <QStringList>

#include <array>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

const QString kGroup = u"schede"_s;
const QString kPages = u"pagine"_s;
const QString kNames = u"nomi"_s;
const QString kNamesFile = u"fileNomi"_s;

/// The kinds of page, in the order of PageKinds: the dialog's two tick boxes are kept as one
/// value, which can never be neither.
const std::array<QString, 3> kPageNames{u"alunni"_s, u"soluzioni"_s, u"entrambe"_s};

}  // namespace

ClassPreferences ClassPreferences::load()
{
    QSettings settings;
    settings.beginGroup(kGroup);
    // Every remembered option through its declaration: a value it does not take leaves
    // the default.
    pages::ClassSet set;
    for (const pages::ClassOption& option : pages::classOptions()) {
        if (!option.settingsKey.isEmpty() && settings.contains(option.settingsKey)) {
            (void)option.set(settings.value(option.settingsKey).toString(), set);
        }
    }
    ClassPreferences p;
    p.sheets = set.sheets;
    p.level = set.first.level;
    p.options = set.options;
    const QString pages = settings.value(kPages).toString();
    for (std::size_t i = 0; i < kPageNames.size(); ++i) {
        if (kPageNames.at(i) == pages) {
            p.pages = static_cast<pages::PageKinds>(i);
        }
    }
    const QStringList names = settings.value(kNames).toStringList();
    if (names.size() <= pages::kMaxPupilNames) {
        p.names.names.assign(names.begin(), names.end());
        p.names.file = settings.value(kNamesFile).toString();
    }
    return p;
}

void ClassPreferences::save() const
{
    pages::ClassSet set;
    set.sheets = sheets;
    set.first.level = level;
    set.options = options;
    QSettings settings;
    settings.beginGroup(kGroup);
    for (const pages::ClassOption& option : pages::classOptions()) {
        if (!option.settingsKey.isEmpty()) {
            settings.setValue(option.settingsKey, option.get(set));
        }
    }
    settings.setValue(kPages, kPageNames.at(static_cast<std::size_t>(pages)));
    settings.setValue(kNames, QStringList(names.names.begin(), names.names.end()));
    settings.setValue(kNamesFile, names.file);
}

}  // namespace virdamo::app
