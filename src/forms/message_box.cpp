#include "forms/message_box.h"

#include <QMessageBox>

#include <utility>

namespace virdamo::forms {

namespace {

MessageBox::Handler& installedHandler()
{
    static MessageBox::Handler handler;
    return handler;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBox::show(QWidget* parent, MessageIcon icon, const QString& title, const QString& text)
{
    if (const Handler& handler = installedHandler()) {
        handler(icon, title, text);
        return;
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

void MessageBox::setHandler(Handler handler)
{
    installedHandler() = std::move(handler);
}

}  // namespace virdamo::forms
