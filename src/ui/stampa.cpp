#include "ui/stampa.h"

#include "forms/busy_wait.h"
#include "forms/message_box.h"
#include "output/output_failure.h"
#include "pages/printer.h"
#include "pages/stampa_scheda.h"
#include "texts/texts.h"
#include "ui/failure_message.h"

#include <functional>

namespace virdamo::ui {

void cmdStampa_Click(const Modulo1& state, pages::Printer& printer, QWidget* parent)
{
    // The print service is talked to off this thread, so that a slow or sick service never
    // freezes the windows; the user's input reaches no command until the job has ended.
    auto* cancellable = dynamic_cast<pages::Cancellable*>(&printer);
    const std::function<void()> cancel =
        cancellable ? std::function<void()>([cancellable] { cancellable->cancel(); }) : std::function<void()>();
    if (const std::optional<output::OutputFailure> failure = output::failureOf([&] {
            forms::runWhileBusy(
                parent, texts::kStampaTitle, texts::kSendingSheet,
                [&state, &printer] { pages::StampaScheda(state, printer); }, cancel);
        })) {
        tellFailure(parent, texts::kStampaTitle, texts::kSheetNotPrinted, *failure);
        return;
    }
    const auto* notices = dynamic_cast<const pages::JobNotices*>(&printer);
    if (notices && notices->lastJobNotice() == pages::JobNotice::PrinterPaused) {
        forms::MessageBox::show(parent, forms::MessageIcon::Information, texts::kStampaTitle, texts::kPrinterPaused);
    }
}

}  // namespace virdamo::ui
