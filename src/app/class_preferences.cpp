#include "app/class_preferences.h"

#include <QSettings>
#include <QStringList>

#include <array>

namespace virdamo::app {

using namespace Qt::StringLiterals;

namespace {

const QString kGroup = u"schede"_s;
const QString kSheets = u"numero"_s;
const QString kPages = u"pagine"_s;
const QString kTables = u"tabelline"_s;
const QString kCarries = u"riporti"_s;
const QString kSquares = u"quadretti"_s;
const QString kShowCarries = u"mostraRiporti"_s;
const QString kProva = u"provaDelNove"_s;
const QString kHeading = u"intestazione"_s;
const QString kNames = u"nomi"_s;
const QString kNamesFile = u"fileNomi"_s;

const std::array<QString, 3> kPageNames{u"alunni"_s, u"soluzioni"_s, u"entrambe"_s};
const std::array<QString, 3> kCarriesNames{u"qualsiasi"_s, u"senza"_s, u"con"_s};

/// The position of value in names, or fallback.
template <std::size_t N>
int indexOf(const std::array<QString, N>& names, const QString& value, int fallback)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == value) {
            return static_cast<int>(i);
        }
    }
    return fallback;
}

}  // namespace

ClassPreferences ClassPreferences::load()
{
    ClassPreferences p;
    QSettings settings;
    settings.beginGroup(kGroup);
    p.sheets = pages::ClassSet::clampedSheets(settings.value(kSheets, p.sheets).toInt());
    p.pages = static_cast<pages::PageKinds>(
        indexOf(kPageNames, settings.value(kPages).toString(), static_cast<int>(p.pages)));
    if (settings.contains(kTables)) {
        std::bitset<10> tables;
        for (const QChar c : settings.value(kTables).toString()) {
            if (c.isDigit()) {
                tables.set(static_cast<std::size_t>(c.digitValue()));
            }
        }
        p.level.tabelline = tables.any() ? tables : Level::kEveryDigit;
    }
    p.level.riporti = static_cast<Riporti>(
        indexOf(kCarriesNames, settings.value(kCarries).toString(), static_cast<int>(p.level.riporti)));
    const int squares = settings.value(kSquares, 0).toInt();
    if (squares == 10 || squares == 5 || squares == 4) {
        p.options.squareMillimetres = squares;
    }
    p.options.showCarries = settings.value(kShowCarries, p.options.showCarries).toBool();
    p.options.provaDelNove = settings.value(kProva, p.options.provaDelNove).toBool();
    p.options.pupilsHeading = settings.value(kHeading, p.options.pupilsHeading).toBool();
    const QStringList names = settings.value(kNames).toStringList();
    if (names.size() <= pages::kMaxPupilNames) {
        p.names.names.assign(names.begin(), names.end());
        p.names.file = settings.value(kNamesFile).toString();
    }
    return p;
}

void ClassPreferences::save() const
{
    QSettings settings;
    settings.beginGroup(kGroup);
    settings.setValue(kSheets, sheets);
    settings.setValue(kPages, kPageNames.at(static_cast<std::size_t>(pages)));
    QString tables;
    for (std::size_t d = 0; d < level.tabelline.size(); ++d) {
        if (level.tabelline[d]) {
            tables += QString::number(d);
        }
    }
    settings.setValue(kTables, tables);
    settings.setValue(kCarries, kCarriesNames.at(static_cast<std::size_t>(level.riporti)));
    settings.setValue(kSquares, options.squareMillimetres ? static_cast<int>(*options.squareMillimetres) : 0);
    settings.setValue(kShowCarries, options.showCarries);
    settings.setValue(kProva, options.provaDelNove);
    settings.setValue(kHeading, options.pupilsHeading);
    settings.setValue(kNames, QStringList(names.names.begin(), names.names.end()));
    settings.setValue(kNamesFile, names.file);
}

}  // namespace virdamo::app
