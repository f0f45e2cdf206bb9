#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "output/class_set_pdf.h"
#include "output/cups_printer.h"
#include "output/pdf_page.h"
#include "pages/class_document.h"
#include "pages/stampa_scheda.h"
#include "print_server.h"
#include "ui/frm_due.h"
#include "ui/stampa.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/sheet_code.h"

#include <benchmark/benchmark.h>
#include <cups/cups.h>

#include <QAbstractButton>
#include <QApplication>

#include <memory>
#include <string>

namespace {

using namespace virdamo;

/// The largest page: twenty operations of 4-digit by 3-digit factors.
Modulo1 largestSheet()
{
    Modulo1 m;
    m.CifreMoltiplicando = 4;
    m.CifreMoltiplicatore = 3;
    m.UltimaOperazione = 19;
    m.Spazi = std::string(20, ' ');
    ClockRandomSource random;
    GeneraScheda(m, random);
    return m;
}

/// Rendering one page to PDF in memory, as the real printer does at the end of each job.
void BM_RenderPage(benchmark::State& state)
{
    const Modulo1 m = largestSheet();
    pages::PageCapture capture;
    pages::StampaScheda(m, capture);
    const output::Paper a4{QSizeF(209.9, 297.04), QMarginsF(6.35, 12.7, 6.35, 12.7)};
    for (auto _ : state) {
        QByteArray pdf = output::renderPdf(capture.pages().front(), a4);
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(BM_RenderPage)->Unit(benchmark::kMillisecond);

/// A class set of 40 different 4 x 3 sheets, pupils' and solution pages: the 80-page PDF
/// document in memory, from the code to the last byte.
void BM_ClassSetPdf(benchmark::State& state)
{
    const pages::ClassSet set{SheetCode{4, 3, 19, 0x123456789AULL},
                              static_cast<int>(state.range(0)),
                              pages::PageKinds::Both,
                              pages::PageOptions::bare(),
                              {}};
    for (auto _ : state) {
        QByteArray pdf = output::classSetPdf(set, output::pdfPaper());
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(BM_ClassSetPdf)->Arg(40)->Arg(1)->Unit(benchmark::kMillisecond);

/// The same class set on 4 mm squares with carries rows and the prova del nove: the most a
/// class set on squares draws. Arguments: the multiplier's digits, the factors' decimals
/// and the page options: 0 those alone; 1 also every other page option (column labels and
/// tints, the tavola pitagorica, a title and an instruction); 2 also one pupil in four on
/// the supported version's 10 mm pages. The size of the document is reported as "bytes".
void BM_SquaredClassSetPdf(benchmark::State& state)
{
    SheetCode first{4, static_cast<int>(state.range(0)), 19, 0x123456789AULL};
    first.multiplicandDecimals = static_cast<int>(state.range(1));
    first.multiplierDecimals = static_cast<int>(state.range(2));
    pages::ClassSet set{
        first, pages::ClassSet::kMaxSheets, pages::PageKinds::Both, pages::PageOptions{4.0, true, true, true}, {}};
    if (state.range(3) >= 1) {
        set.options.columnLabels = true;
        set.options.columnColours = true;
        set.options.timesTable = true;
        set.options.title = QStringLiteral("Le moltiplicazioni in colonna");
        set.options.instruction = QStringLiteral("Esegui in colonna e fai la prova del nove.");
        for (int k = 1; k <= pages::ClassSet::kMaxSheets; ++k) {
            set.names.push_back(QStringLiteral("Alunno %1").arg(k));
            set.supported.push_back(state.range(3) == 2 && k % 4 == 0);
        }
    }
    QByteArray pdf;
    for (auto _ : state) {
        pdf = output::classSetPdf(set, output::pdfPaper());
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["bytes"] = static_cast<double>(pdf.size());
}
BENCHMARK(BM_SquaredClassSetPdf)
    ->Args({3, 0, 0, 0})
    ->Args({3, 0, 0, 1})
    ->Args({3, 0, 0, 2})
    ->Args({2, 2, 1, 0})
    ->Unit(benchmark::kMillisecond);

/// A press of "STAMPA" in the worksheet window until the print scheduler has accepted the
/// job: destination lookup, rendering, submission. The benchmark starts a scheduler of its
/// own whose queue holds every job, so no filter runs while it measures.
void BM_StampaUntilAccepted(benchmark::State& state)
{
    test::PrivatePrintServer server;
    server.useFromThisProcess();
    server.start();
    server.addQueue(true);
    server.run("lpadmin", {"-p", test::PrivatePrintServer::kQueue, "-o", "job-hold-until-default=indefinite"});

    Modulo1 sheet;
    ClockRandomSource random;
    forms::Lifecycle lifecycle;
    forms::FormSlot slot(lifecycle, [&] {
        auto window = std::make_unique<ui::FrmDue>(sheet, random);
        QObject::connect(window.get(), &ui::FrmDue::printRequested, [&] {
            output::CupsPrinter printer;
            ui::cmdStampa_Click(sheet, printer, slot.form());
        });
        return window;
    });
    QString failure;
    forms::MessageBox::setHandler([&](forms::MessageIcon, const QString&, const QString& text) { failure = text; });
    auto* frm = dynamic_cast<ui::FrmDue*>(slot.show());
    auto button = [&](const char* name) { return frm->findChild<QAbstractButton*>(QString::fromLatin1(name)); };
    button("Opt1(2)")->click();
    button("Option1(2)")->click();
    button("Command1")->click();  // VISUALIZZA
    QAbstractButton* stampa = button("cmdStampa");

    for (auto _ : state) {
        stampa->click();
        state.PauseTiming();
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toStdString().c_str());
            break;
        }
        // Keeps the queue short: the scheduler caps the jobs it keeps.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, test::PrivatePrintServer::kQueue, CUPS_JOBID_ALL, 1);
        state.ResumeTiming();
    }
    forms::MessageBox::setHandler({});
    slot.unload();
}
BENCHMARK(BM_StampaUntilAccepted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
