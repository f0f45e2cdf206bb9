#pragma once

#include <QByteArray>
#include <QString>

namespace virdamo::output {

/// Writes bytes to the file path whole or not at all: a failure leaves no partial file,
/// and an earlier file of that name as it was. A path that names something other than a
/// regular file (a folder, a device, a pipe) is refused and left untouched; a link to a
/// regular file is followed and stays a link. Throws output::OutputFailure with the cause.
void writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace virdamo::output
