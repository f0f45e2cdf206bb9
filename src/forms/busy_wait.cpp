#include "forms/busy_wait.h"

#include "texts/texts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <exception>
#include <thread>

namespace virdamo::forms {

using namespace Qt::StringLiterals;

namespace {

/// Drops the user's input to every window but the busy message, and the requests to close
/// a window: while work runs, nothing the user does may start a command.
class InputBlocker final : public QObject {
public:
    explicit InputBlocker(const QPointer<QDialog>& allowed)
        : allowed_(allowed)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close: break;
        default: return false;
        }
        // The display server's input reaches the busy message's window first, and the
        // message itself only through it: both must pass.
        if (allowed_ && watched == allowed_->windowHandle()) {
            return false;
        }
        for (const QObject* o = watched; o; o = o->parent()) {
            if (o == allowed_.data()) {
                return false;
            }
        }
        event->ignore();
        return true;
    }

private:
    QPointer<QDialog> allowed_;
};

QDialog* busyMessage(QWidget* parent, const QString& title, const QString& text, bool cancellable,
                     QPushButton*& cancelButton)
{
    auto* dialog = new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog->setObjectName(u"attesa"_s);
    dialog->setWindowTitle(title);
    dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(text, dialog));
    cancelButton = new QPushButton(texts::kCancel, dialog);
    cancelButton->setObjectName(u"annulla"_s);
    cancelButton->setVisible(cancellable);
    layout->addWidget(cancelButton, 0, Qt::AlignRight);
    return dialog;
}

}  // namespace

void runWhileBusy(QWidget* parent, const QString& title, const QString& text, const std::function<void()>& work,
                  const std::function<void()>& cancel, std::chrono::milliseconds delay)
{
    if (!QCoreApplication::instance()) {
        work();
        return;
    }
    QEventLoop loop;
    QPushButton* cancelButton = nullptr;
    const QPointer<QDialog> message = busyMessage(parent, title, text, static_cast<bool>(cancel), cancelButton);
    QObject::connect(cancelButton, &QPushButton::clicked, message, [&] {
        cancelButton->setEnabled(false);
        cancel();
    });
    const InputBlocker blocker(message);
    QTimer appear;
    appear.setSingleShot(true);
    QObject::connect(&appear, &QTimer::timeout, message, [&message] { message->show(); });
    appear.start(delay);

    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    appear.stop();
    delete message.data();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace virdamo::forms
