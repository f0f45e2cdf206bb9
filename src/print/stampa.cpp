#include "print/stampa.h"

#include "forms/busy_wait.h"
#include "forms/message_box.h"
#include "print/printer.h"
#include "print/stampa_scheda.h"

#include <QString>

#include <exception>
#include <functional>
#include <new>

namespace virdamo::print {

namespace {

const char* const kTitle = "STAMPA";

}  // namespace

QString failureReasonText(FailureReason reason, const QString& detail)
{
    const auto withDetail = [&detail](const char* line) {
        const QString text = QString::fromUtf8(line);
        return detail.isEmpty() ? text : text + QStringLiteral("\nDettagli: ") + detail;
    };
    switch (reason) {
    case FailureReason::NoDefaultPrinter: return QStringLiteral("Nessuna stampante predefinita.");
    case FailureReason::ServiceUnavailable: return QStringLiteral("Il servizio di stampa non risponde.");
    case FailureReason::NotAcceptingJobs: return QStringLiteral("La stampante non accetta lavori.");
    case FailureReason::FormatNotSupported: return QStringLiteral("La stampante non accetta documenti PDF.");
    case FailureReason::NotAuthorized:
        return QStringLiteral("Non si hanno i permessi per stampare su questa stampante.");
    case FailureReason::PrinterGone: return QString::fromUtf8("La stampante predefinita non è più disponibile.");
    case FailureReason::PrinterBusy: return QString::fromUtf8("La stampante è occupata: riprovare fra poco.");
    case FailureReason::DocumentTooLarge: return QString::fromUtf8("La scheda è troppo grande per la stampante.");
    case FailureReason::QueueFull: return QString::fromUtf8("La coda della stampante è piena: riprovare più tardi.");
    case FailureReason::PageNotDrawn: return QString::fromUtf8("Non è stato possibile preparare la pagina.");
    case FailureReason::OutOfMemory: return QStringLiteral("Memoria insufficiente per preparare la pagina.");
    case FailureReason::Unexpected: return withDetail("Errore imprevisto durante la stampa.");
    case FailureReason::Cancelled: return QString::fromUtf8("Stampa annullata.");
    case FailureReason::ServiceError: break;
    }
    return withDetail("Errore del servizio di stampa.");
}

namespace {

void reportFailure(QWidget* parent, FailureReason reason, const QString& detail)
{
    forms::MessageBox::show(parent, forms::MessageIcon::Warning, QString::fromLatin1(kTitle),
                            QString::fromUtf8("Stampa non riuscita: la scheda non è stata stampata.\n")
                                + failureReasonText(reason, detail));
}

}  // namespace

void cmdStampa_Click(const Modulo1& state, Printer& printer, QWidget* parent)
{
    // The print service is talked to off this thread, so that a slow or sick service never
    // freezes the windows; the user's input reaches no command until the job has ended.
    auto* cancellable = dynamic_cast<Cancellable*>(&printer);
    const std::function<void()> cancel =
        cancellable ? std::function<void()>([cancellable] { cancellable->cancel(); }) : std::function<void()>();
    // Nothing may escape a click: an exception leaving a Qt event handler ends the program.
    try {
        forms::runWhileBusy(
            parent, QString::fromLatin1(kTitle), QString::fromUtf8("Invio della scheda alla stampante..."),
            [&state, &printer] { StampaScheda(state, printer); }, cancel);
    } catch (const PrintFailure& failure) {
        if (failure.reason() != FailureReason::Cancelled) {  // the user knows: no message
            reportFailure(parent, failure.reason(), QString::fromStdString(failure.serviceText()));
        }
        return;
    } catch (const std::bad_alloc&) {
        reportFailure(parent, FailureReason::OutOfMemory, QString());
        return;
    } catch (const std::exception& other) {
        reportFailure(parent, FailureReason::Unexpected, QString::fromLocal8Bit(other.what()));
        return;
    } catch (...) {
        reportFailure(parent, FailureReason::Unexpected, QString());
        return;
    }
    const auto* notices = dynamic_cast<const JobNotices*>(&printer);
    if (notices && notices->lastJobNotice() == JobNotice::PrinterPaused) {
        forms::MessageBox::show(parent, forms::MessageIcon::Information, QString::fromLatin1(kTitle),
                                QString::fromUtf8("La stampante è in pausa: la scheda è in coda e sarà stampata "
                                                  "alla ripresa."));
    }
}

}  // namespace virdamo::print
