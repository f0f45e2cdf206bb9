#pragma once

#include "worksheet/sheet_code.h"

#include <QByteArray>
#include <QString>

namespace virdamo::app {

// What the class-sheets dialog and the command line tell and write alike.

/// The Italian message for a text that is not a sheet code.
[[nodiscard]] QString codeProblem(const ParsedCode& parsed);

/// text as it may be quoted back to the user, in one line: at most maxCharacters
/// characters (then "…"), and every control character shown by its code.
[[nodiscard]] QString quoted(const QString& text, qsizetype maxCharacters = 20);

/// Writes bytes to the file path whole or not at all: a failure leaves no partial file,
/// and an earlier file of that name as it was. A path that names something other than a
/// regular file (a folder, a device, a pipe) is refused and left untouched; a link to a
/// regular file is followed and stays a link. Throws print::OutputFailure with the cause.
void writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace virdamo::app
