#pragma once

class QWidget;

namespace virdamo {

struct Modulo1;

namespace print {

class Printer;

/// "STAMPA": prints the sheet held in state on printer. A failure never leaves the
/// command: it becomes a message box over parent, the state and the windows stay as they
/// were, and pressing again retries. A job queued on a paused printer is told as well.
void cmdStampa_Click(const Modulo1& state, Printer& printer, QWidget* parent);

}  // namespace print
}  // namespace virdamo
