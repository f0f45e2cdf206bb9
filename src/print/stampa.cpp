#include "print/stampa.h"

#include "forms/message_box.h"
#include "print/printer.h"
#include "print/stampa_scheda.h"

#include <QString>

#include <exception>

namespace virdamo::print {

namespace {

const char* const kTitle = "STAMPA";

QString reasonLine(FailureReason reason, const QString& serviceText)
{
    switch (reason) {
    case FailureReason::NoDefaultPrinter: return QStringLiteral("Nessuna stampante predefinita.");
    case FailureReason::ServiceUnavailable: return QStringLiteral("Il servizio di stampa non risponde.");
    case FailureReason::NotAcceptingJobs: return QStringLiteral("La stampante non accetta lavori.");
    case FailureReason::ServiceError: break;
    }
    return QStringLiteral("Errore del servizio di stampa: ") + serviceText;
}

void reportFailure(QWidget* parent, FailureReason reason, const QString& serviceText)
{
    forms::MessageBox::show(parent, forms::MessageIcon::Warning, QString::fromLatin1(kTitle),
                            QString::fromUtf8("Stampa non riuscita: la scheda non è stata stampata.\n")
                                + reasonLine(reason, serviceText));
}

}  // namespace

void cmdStampa_Click(const Modulo1& state, Printer& printer, QWidget* parent)
{
    // Nothing may escape a click: an exception leaving a Qt event handler ends the program.
    try {
        StampaScheda(state, printer);
    } catch (const PrintFailure& failure) {
        reportFailure(parent, failure.reason(), QString::fromStdString(failure.serviceText()));
        return;
    } catch (const std::exception& other) {
        reportFailure(parent, FailureReason::ServiceError, QString::fromLocal8Bit(other.what()));
        return;
    } catch (...) {
        reportFailure(parent, FailureReason::ServiceError, QString());
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
