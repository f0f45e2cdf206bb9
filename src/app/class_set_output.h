#pragma once

#include "pages/pupil_names.h"
#include "worksheet/sheet_code.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace virdamo::app {

// What the class-sheets dialog and the command line tell and write alike.

/// The Italian message for a text that is not a sheet code.
[[nodiscard]] QString codeProblem(const ParsedCode& parsed);

/// Most characters of a file name quoted back whole in a message.
inline constexpr qsizetype kQuotedPathCharacters = 120;

/// text as it may be quoted back to the user, in one line: at most maxCharacters
/// characters (then "…"), every control character shown by its code, and every byte that
/// argumentText kept as it was shown as \xe9.
[[nodiscard]] QString quoted(const QString& text, qsizetype maxCharacters = 20);

/// A command-line argument as text: its UTF-8, with each byte that starts no UTF-8
/// character kept as the lone surrogate U+DC80 + byte. A file name on Linux is bytes, not
/// text: fileNameBytes gives the very bytes back.
[[nodiscard]] QString argumentText(QByteArrayView bytes);

/// A file name as the system takes it: UTF-8, and the bytes argumentText kept as they were.
[[nodiscard]] QByteArray fileNameBytes(const QString& name);

/// The Italian reason a file could not be read, from the system's error number.
[[nodiscard]] QString readingReason(int error);

/// The Italian sentence for a problem of a list of names, its lines those of a names file.
[[nodiscard]] QString namesProblemText(const pages::NamesProblem& problem);

/// Writes bytes to the file path whole or not at all: a failure leaves no partial file,
/// and an earlier file of that name as it was. A path that names something other than a
/// regular file (a folder, a device, a pipe) is refused and left untouched; a link to a
/// regular file is followed and stays a link. Throws output::OutputFailure with the cause.
void writeWhole(const QString& path, const QByteArray& bytes);

/// The pupils' names of a class set and the file they were read from.
struct NamesList {
    std::vector<QString> names;
    QString file;

    bool operator==(const NamesList&) const = default;
};

/// A names file read: its names, or the Italian sentence saying why it cannot be used.
struct NamesRead {
    std::optional<NamesList> list;
    QString problem;
};

/// Reads the names file at path: UTF-8, one name a line. A pipe or a device is refused
/// without waiting on it. Needs a QGuiApplication, which knows the faces a name must be
/// drawn with.
[[nodiscard]] NamesRead readNamesFile(const QString& path);

}  // namespace virdamo::app
