#include "app/class_preferences.h"

#include "forms/texts.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

/// Why the settings file cannot be read, or empty when it can or does not exist yet. Only
/// what it is is looked at: opening a pipe to read would wait for a writer that never comes.
QString unreadable(const QString& file)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return errno == ENOENT ? QString() : readingReason(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return texts::kReadNotAFile;
    }
    return ::access(name.constData(), R_OK) == 0 ? QString() : readingReason(errno);
}

}  // namespace

QString ClassPreferences::fileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/virdamo/virdamo.conf"_s;
}

ClassPreferences ClassPreferences::load(QString* problem)
{
    ClassPreferences p;
    const QString file = fileName();
    if (const QString why = unreadable(file); !why.isEmpty()) {
        if (problem) {
            *problem = texts::kSavedChoicesNotRead.arg(quoted(file, kQuotedPathCharacters), why);
        }
        return p;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    p.sheets = print::ClassSet::clampedSheets(settings.value(kSheets, p.sheets).toInt());
    p.pages = static_cast<print::PageKinds>(
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
    // The file may have been edited by hand: its names must pass what a names file's pass.
    const QStringList names = settings.value(kNames).toStringList();
    const print::PupilNames checked =
        names.isEmpty() ? print::PupilNames{} : print::checkPupilNames({names.begin(), names.end()});
    if (checked.problem) {
        if (problem) {
            *problem = texts::kSavedNamesDropped.arg(namesProblemText(*checked.problem));
        }
    } else if (!checked.names.empty()) {
        p.names.names = checked.names;
        p.names.file = settings.value(kNamesFile).toString();
    }
    return p;
}

void ClassPreferences::save() const
{
    const QString file = fileName();
    if (!unreadable(file).isEmpty()) {
        return;  // not the settings file the program wrote: left as it is
    }
    QSettings settings(file, QSettings::IniFormat);
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
