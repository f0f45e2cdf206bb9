#pragma once

#include "pages/class_document.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

namespace virdamo::app {

/// An operation for the whiteboard: the factors' digits, the commas left out, and how many
/// of them follow each comma.
struct BoardOperation {
    std::int32_t multiplicand = 0;
    std::int32_t multiplier = 0;
    int multiplicandDecimals = 0;
    int multiplierDecimals = 0;

    bool operator==(const BoardOperation&) const = default;
};

/// What the command line asks for.
struct CommandLine {
    enum class Action { OpenWindows, OpenLavagna, Help, Version, WriteFiles, Error };

    Action action = Action::OpenWindows;
    QString error;  ///< Error: one Italian line naming the bad option and what it takes
    /// WriteFiles: the PDF file as argumentText reads it, "-" for standard output; empty for none.
    QString pdfFile;
    /// WriteFiles: the HTML file, as pdfFile; at least one of the two is given.
    QString htmlFile;
    pages::ClassSet set;  ///< WriteFiles: the class set; the seed of its first sheet is seed's
    /// WriteFiles: the seed of the code --codice gave; none draws one from the clock.
    std::optional<std::uint64_t> seed;
    /// WriteFiles: the file of the pupils' names, read when the files are written; empty for none.
    QString namesFile;
    /// WriteFiles: whether --schede gave set.sheets, which the names, when there are, must agree with.
    bool sheetsGiven = false;
    /// OpenLavagna: the operation the whiteboard opens on.
    BoardOperation lavagna;
};

/// Reads the arguments that follow the program's name, each as argumentText makes it of its bytes.
[[nodiscard]] CommandLine readCommandLine(const QStringList& arguments);

/// The help text, in Italian, made from the options' own declarations.
[[nodiscard]] QString helpText();

/// Carries out a command line that opens no window, writing to out (null when standard
/// output was closed) and err; returns the exit status: 0 done, 1 a file could not be
/// written (nothing of it is left), 2 a usage error. Writing the files needs a
/// QGuiApplication, but no display.
[[nodiscard]] int runCommandLine(const CommandLine& line, std::FILE* out, std::FILE* err);

}  // namespace virdamo::app
