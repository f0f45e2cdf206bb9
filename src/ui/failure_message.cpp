#include "ui/failure_message.h"

#include "forms/message_box.h"

namespace virdamo::ui {

void tellFailure(QWidget* parent, const QString& title, const QString& lead, const output::OutputFailure& failure)
{
    if (failure.reason() == output::FailureReason::Cancelled) {
        return;
    }
    forms::MessageBox::show(parent, forms::MessageIcon::Warning, title, lead + u'\n' + output::reasonText(failure));
}

}  // namespace virdamo::ui
