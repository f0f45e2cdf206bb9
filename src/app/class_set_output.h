#pragma once

#include "worksheet/sheet_code.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace virdamo::app {

// What the class-sheets dialog and the command line tell and write alike.

/// The Italian message for a text that is not a sheet code.
[[nodiscard]] QString codeProblem(const ParsedCode& parsed);

/// Writes bytes to the file path whole or not at all: a failure leaves no partial file,
/// and an earlier file of that name as it was. Returns the Italian reason of a failure.
[[nodiscard]] std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace virdamo::app
