#include "forms/message_box.h"
#include "recording_printer.h"
#include "scripted_random_source.h"
#include "ui/stampa.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace virdamo::ui {

using namespace virdamo::pages;
using namespace virdamo::output;
namespace {

using forms::MessageIcon;
using test::Op;
using test::RecordingPrinter;

struct Message {
    MessageIcon icon;
    QString title;
    QString text;
};

/// Answers every message box of the test by writing it down.
class MessageLog {
public:
    MessageLog()
    {
        forms::MessageBox::setHandler([this](MessageIcon icon, const QString& title, const QString& text) {
            messages.push_back({icon, title, text});
        });
    }
    ~MessageLog() { forms::MessageBox::setHandler({}); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<Message> messages;
};

Modulo1 sheet(int multiplierDigits, int ultima)
{
    Modulo1 m;
    m.CifreMoltiplicando = 3;
    m.CifreMoltiplicatore = static_cast<std::int16_t>(multiplierDigits);
    m.UltimaOperazione = static_cast<std::int16_t>(ultima);
    m.Spazi = std::string(20, ' ');
    auto random = ScriptedRandomSource::fromDigits({4, 0, 7, 3, 9, 8, 1, 5});
    GeneraScheda(m, random);
    return m;
}

/// Everything printing may read of the state, to show that a press leaves it as it was.
auto snapshot(const Modulo1& m)
{
    return std::tuple(m.CifreMoltiplicando, m.CifreMoltiplicatore, m.UltimaOperazione, m.Spazi, m.Sottotitolo,
                      m.TxtMoltiplicando, m.TxtMoltiplicatore, m.TxtParziale1, m.TxtParziale2, m.TxtParziale3,
                      m.TxtProdotto, m.Prodotto);
}

const QString kFailed = QString::fromUtf8("Stampa non riuscita: la scheda non è stata stampata.\n");

struct FailureCase {
    FailureReason reason;
    const char* serviceText;
    const char* reasonLine;  // UTF-8
    int code = 0;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.reasonLine;
}

std::string reasonName(const testing::TestParamInfo<FailureCase>& info)
{
    static const char* const names[] = {"NoDefaultPrinter",   "ServiceUnavailable", "NotAcceptingJobs", "ServiceError",
                                        "FormatNotSupported", "NotAuthorized",      "PrinterGone",      "PrinterBusy",
                                        "TooLarge",           "QueueFull",          "PageNotDrawn",     "OutOfMemory",
                                        "Unexpected"};
    return std::string(names[static_cast<int>(info.param.reason)]) + (*info.param.serviceText ? "" : "Untold");
}

class FailureAtEveryStep : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureAtEveryStep, ReportsTheReasonKeepsTheSheetAndRetries)
{
    const FailureCase& c = GetParam();
    const Modulo1 m = sheet(2, 9);
    const auto before = snapshot(m);

    RecordingPrinter reference;
    cmdStampa_Click(m, reference, nullptr);
    const std::size_t steps = reference.ops.size();

    for (std::size_t step = 0; step < steps; ++step) {
        SCOPED_TRACE(testing::Message() << "failing operation " << step);
        MessageLog log;
        RecordingPrinter printer;
        printer.failAt = static_cast<int>(step);
        printer.failReason = c.reason;
        printer.failText = c.serviceText;
        printer.failCode = c.code;

        ASSERT_NO_THROW(cmdStampa_Click(m, printer, nullptr));
        ASSERT_EQ(log.messages.size(), 1U);
        EXPECT_EQ(log.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(log.messages[0].title, QStringLiteral("STAMPA"));
        EXPECT_EQ(log.messages[0].text, kFailed + QString::fromUtf8(c.reasonLine));
        // The job stops at the failure: nothing after it, not even an end of document.
        EXPECT_EQ(printer.ops.size(), step);
        EXPECT_EQ(snapshot(m), before);

        cmdStampa_Click(m, printer, nullptr);  // pressing again
        EXPECT_EQ(log.messages.size(), 1U);
        const std::vector<Op> retried(printer.ops.begin() + static_cast<long>(step), printer.ops.end());
        EXPECT_EQ(retried, reference.ops);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FailureAtEveryStep,
    testing::Values(FailureCase{FailureReason::NoDefaultPrinter, "No default destination.",
                                "Nessuna stampante predefinita."},
                    FailureCase{FailureReason::ServiceUnavailable, "No such file or directory",
                                "Il servizio di stampa non risponde."},
                    FailureCase{FailureReason::NotAcceptingJobs, "", "La stampante non accetta lavori."},
                    // Every answer is told in Italian, never in the service's own English;
                    // an unknown one gives its code as a detail.
                    FailureCase{FailureReason::FormatNotSupported, "Unsupported document-format \"application/pdf\".",
                                "La stampante non accetta documenti PDF."},
                    FailureCase{FailureReason::PageNotDrawn, "QPainter::begin failed on the PDF writer",
                                "Non è stato possibile preparare la pagina."},
                    FailureCase{FailureReason::ServiceError, "Printer state reasons unknown.",
                                "Errore del servizio di stampa.\nDettagli: codice 1280.", 0x0500},
                    FailureCase{FailureReason::ServiceError, "", "Errore del servizio di stampa."}),
    reasonName);

TEST(CmdStampaClick, MessagesByOutcome)
{
    /// A printer whose end of document fails with something other than a print failure.
    class BrokenPrinter final : public Printer {
    public:
        void setFontName(const std::string&) override {}
        void setFontSize(float) override {}
        void setHorizontalPosition(float) override {}
        void setVerticalPosition(float) override {}
        void printLine(const std::string&) override {}
        void endDocument() override { throw std::runtime_error("disk full"); }
    };

    const Modulo1 m = sheet(3, 19);
    {
        SCOPED_TRACE("accepted job");
        MessageLog log;
        RecordingPrinter printer;
        cmdStampa_Click(m, printer, nullptr);
        EXPECT_TRUE(log.messages.empty());
        EXPECT_EQ(printer.ops.back(), test::end());
    }
    {
        SCOPED_TRACE("job queued on a paused printer");
        MessageLog log;
        RecordingPrinter printer;
        printer.notice = JobNotice::PrinterPaused;
        cmdStampa_Click(m, printer, nullptr);
        ASSERT_EQ(log.messages.size(), 1U);
        EXPECT_EQ(log.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(log.messages[0].title, QStringLiteral("STAMPA"));
        EXPECT_EQ(log.messages[0].text,
                  QString::fromUtf8("La stampante è in pausa: la scheda è in coda e sarà stampata alla ripresa."));
    }
    {
        SCOPED_TRACE("failure that is not the print service's");
        MessageLog log;
        BrokenPrinter printer;
        ASSERT_NO_THROW(cmdStampa_Click(m, printer, nullptr));
        ASSERT_EQ(log.messages.size(), 1U);
        EXPECT_EQ(log.messages[0].text, kFailed + QStringLiteral("Errore imprevisto."));
    }
}

}  // namespace
}  // namespace virdamo::ui
