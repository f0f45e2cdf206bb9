#pragma once

#include "worksheet/sheet_code.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace virdamo::texts {

// How the program tells the user about what she gave it, alike in the dialogs and on the
// command line: a code that is not one, a file name or a value quoted back, a file that
// cannot be read, a list of names that cannot be used.

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

/// One character as a message names it: «c» when it can be seen, else its code, U+0009.
[[nodiscard]] QString characterName(char32_t c);

}  // namespace virdamo::texts
