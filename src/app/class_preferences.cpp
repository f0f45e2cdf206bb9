#include "app/class_preferences.h"

#include "pages/class_options.h"
#include "texts/texts.h"

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
const QString kPages = u"pagine"_s;
const QString kNames = u"nomi"_s;
const QString kNamesFile = u"fileNomi"_s;

/// The kinds of page, in the order of PageKinds: the dialog's two tick boxes are kept as one
/// value, which can never be neither.
const std::array<QString, 3> kPageNames{u"alunni"_s, u"soluzioni"_s, u"entrambe"_s};

/// Why the settings file cannot be read, or empty when it can or does not exist yet. Only
/// what it is is looked at: opening a pipe to read would wait for a writer that never comes.
QString unreadable(const QString& file)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        return errno == ENOENT ? QString() : texts::readingReason(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return texts::kReadNotAFile;
    }
    return ::access(name.constData(), R_OK) == 0 ? QString() : texts::readingReason(errno);
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
            *problem = texts::kSavedChoicesNotRead.arg(texts::quoted(file, texts::kQuotedPathCharacters), why);
        }
        return p;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    // Every remembered option through its declaration: a value it does not take leaves
    // the default.
    pages::ClassSet set;
    for (const pages::ClassOption& option : pages::classOptions()) {
        if (!option.settingsKey.isEmpty() && settings.contains(option.settingsKey)) {
            (void)option.set(settings.value(option.settingsKey).toString(), set);
        }
    }
    p.sheets = set.sheets;
    p.level = set.first.level;
    p.shape = set.first;
    p.options = set.options;
    const QString pages = settings.value(kPages).toString();
    for (std::size_t i = 0; i < kPageNames.size(); ++i) {
        if (kPageNames.at(i) == pages) {
            p.pages = static_cast<pages::PageKinds>(i);
        }
    }
    // The file may have been edited by hand: its names must pass what a names file's pass.
    const QStringList names = settings.value(kNames).toStringList();
    const pages::PupilNames checked =
        names.isEmpty() ? pages::PupilNames{} : pages::checkPupilNames({names.begin(), names.end()});
    if (checked.problem) {
        if (problem) {
            *problem = texts::kSavedNamesDropped.arg(pages::namesProblemText(*checked.problem));
        }
    } else if (!checked.names.empty()) {
        p.names.names = checked.names;
        p.names.supported = checked.supported;
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
    pages::ClassSet set;
    set.sheets = sheets;
    set.first = shape;
    set.first.level = level;
    set.options = options;
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    for (const pages::ClassOption& option : pages::classOptions()) {
        if (!option.settingsKey.isEmpty()) {
            settings.setValue(option.settingsKey, option.get(set));
        }
    }
    settings.setValue(kPages, kPageNames.at(static_cast<std::size_t>(pages)));
    const std::vector<QString> lines = names.lines();
    settings.setValue(kNames, QStringList(lines.begin(), lines.end()));
    settings.setValue(kNamesFile, names.file);
}

}  // namespace virdamo::app
