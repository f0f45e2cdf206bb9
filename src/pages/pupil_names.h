#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace virdamo::pages {

/// Most names of a list of pupils: one a sheet of the largest class set.
inline constexpr int kMaxPupilNames = 40;
/// Most characters (Unicode code points) of one pupil's name.
inline constexpr int kMaxNameCharacters = 60;

/// Why a names file cannot be used, and where.
struct NamesProblem {
    enum class Kind {
        NotUtf8,       ///< line holds bytes that are not UTF-8 text (a NUL byte among them: UTF-16)
        TooManyNames,  ///< line holds name kMaxPupilNames + 1
        NameTooLong,   ///< the name on line has more than kMaxNameCharacters characters
        NotDrawable,   ///< the name on line has character, which prints nothing or no installed face draws
        NoNames,       ///< the file holds blanks at most; line is 0
    };
    Kind kind = Kind::NotUtf8;
    int line = 0;  ///< from 1, blank lines counted
    char32_t character = 0;

    bool operator==(const NamesProblem&) const = default;
};

/// What ends the line of a pupil who gets the supported version of the pages.
inline constexpr char16_t kSupportedMark[] = u" *";

/// The names of a names file, or its first problem.
struct PupilNames {
    std::vector<QString> names;   ///< empty when there is a problem
    std::vector<bool> supported;  ///< one a name: true where its line ends with kSupportedMark
    std::optional<NamesProblem> problem;
};

/// Reads the bytes of a names file: UTF-8, one name a line (LF, CRLF and a lone CR each end
/// one), a tab read as a blank, blanks around a name trimmed and blank lines skipped, names
/// in composed form (NFC); a line ending with kSupportedMark marks its pupil, the mark not
/// part of the name. A file without a name is a problem.
[[nodiscard]] PupilNames readPupilNames(QByteArrayView bytes);

/// Checks a list of names kept elsewhere (the user's settings) as the lines of a names file,
/// name k on line k + 1, marks included; an empty list is no problem.
[[nodiscard]] PupilNames checkPupilNames(const std::vector<QString>& names);

/// The Italian sentence for a problem of a list of names, its lines those of a names file.
[[nodiscard]] QString namesProblemText(const NamesProblem& problem);

/// The pupils' names of a class set and the file they were read from.
struct NamesList {
    std::vector<QString> names;
    std::vector<bool> supported;  ///< one a name, or empty for none supported
    QString file;

    bool operator==(const NamesList&) const = default;

    /// True when pupil k (from 0) gets the supported version.
    [[nodiscard]] bool isSupported(std::size_t k) const { return k < supported.size() && supported[k]; }
    /// The lines of the names file: each name, marked where its pupil is supported.
    [[nodiscard]] std::vector<QString> lines() const;
};

/// The first character of text that prints nothing or no installed face draws; none when
/// every one prints. Needs a QGuiApplication.
[[nodiscard]] std::optional<char32_t> undrawableCharacter(const QString& text);

/// A names file read: its names, or the Italian sentence saying why it cannot be used.
struct NamesRead {
    std::optional<NamesList> list;
    QString problem;
};

/// Reads the names file at path: UTF-8, one name a line. A pipe or a device is refused
/// without waiting on it. Needs a QGuiApplication, which knows the faces a name must be
/// drawn with.
[[nodiscard]] NamesRead readNamesFile(const QString& path);

}  // namespace virdamo::pages
