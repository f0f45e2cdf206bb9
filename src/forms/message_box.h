#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace virdamo::forms {

enum class MessageIcon { Information, Warning, Critical };

/// Every modal message of the program goes through here, so that tests answer it
/// without blocking: with a handler installed, no dialog is shown.
class MessageBox final {
public:
    using Handler = std::function<void(MessageIcon icon, const QString& title, const QString& text)>;

    /// Shows a modal message with an OK button and returns when the user has read it.
    static void show(QWidget* parent, MessageIcon icon, const QString& title, const QString& text);

    /// Replaces the dialog with handler; an empty handler restores the real dialog.
    static void setHandler(Handler handler);
};

}  // namespace virdamo::forms
