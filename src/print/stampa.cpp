#include "print/stampa.h"

#include "forms/busy_wait.h"
#include "forms/message_box.h"
#include "forms/texts.h"
#include "print/output_failure.h"
#include "print/printer.h"
#include "print/stampa_scheda.h"

#include <functional>

namespace virdamo::print {

void cmdStampa_Click(const Modulo1& state, Printer& printer, QWidget* parent)
{
    // The print service is talked to off this thread, so that a slow or sick service never
    // freezes the windows; the user's input reaches no command until the job has ended.
    auto* cancellable = dynamic_cast<Cancellable*>(&printer);
    const std::function<void()> cancel =
        cancellable ? std::function<void()>([cancellable] { cancellable->cancel(); }) : std::function<void()>();
    if (const std::optional<OutputFailure> failure = failureOf([&] {
            forms::runWhileBusy(
                parent, texts::kStampaTitle, texts::kSendingSheet, [&state, &printer] { StampaScheda(state, printer); },
                cancel);
        })) {
        tellFailure(parent, texts::kStampaTitle, texts::kSheetNotPrinted, *failure);
        return;
    }
    const auto* notices = dynamic_cast<const JobNotices*>(&printer);
    if (notices && notices->lastJobNotice() == JobNotice::PrinterPaused) {
        forms::MessageBox::show(parent, forms::MessageIcon::Information, texts::kStampaTitle, texts::kPrinterPaused);
    }
}

}  // namespace virdamo::print
