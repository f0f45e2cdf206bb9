#pragma once

#include "print/printer.h"

#include <QString>

class QWidget;

namespace virdamo {

struct Modulo1;

namespace print {

class Printer;

/// "STAMPA": prints the sheet held in state on printer. A failure never leaves the
/// command: it becomes a message box over parent, the state and the windows stay as they
/// were, and pressing again retries. A job queued on a paused printer is told as well.
void cmdStampa_Click(const Modulo1& state, Printer& printer, QWidget* parent);

/// The Italian reason a failure is told with; only a reason that no known answer explains
/// carries the service's or the system's own text, as a detail after it.
[[nodiscard]] QString failureReasonText(FailureReason reason, const QString& detail);

}  // namespace print
}  // namespace virdamo
