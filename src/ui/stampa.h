#pragma once

class QWidget;

namespace virdamo {

struct Modulo1;

namespace pages {
class Printer;
}

namespace ui {

/// "STAMPA": prints the sheet held in state on printer. A failure never leaves the
/// command: it becomes a message box over parent, the state and the windows stay as they
/// were, and pressing again retries. A job queued on a paused printer is told as well.
void cmdStampa_Click(const Modulo1& state, pages::Printer& printer, QWidget* parent);

}  // namespace ui
}  // namespace virdamo
