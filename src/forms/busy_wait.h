#pragma once

#include <QString>

#include <chrono>
#include <functional>

class QWidget;

namespace virdamo::forms {

/// Runs work on a thread of its own and returns when it has ended, rethrowing what it
/// threw. Meanwhile the windows keep repainting, but the user's input reaches none of
/// them: no other command runs and no click is kept for afterwards. After delay a modal
/// message titled title over parent shows text with an "Annulla" button, which calls
/// cancel (once; no button without cancel). Without an application object work simply
/// runs here.
void runWhileBusy(QWidget* parent, const QString& title, const QString& text, const std::function<void()>& work,
                  const std::function<void()>& cancel,
                  std::chrono::milliseconds delay = std::chrono::milliseconds(500));

}  // namespace virdamo::forms
