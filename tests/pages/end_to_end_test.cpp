// The worksheet window, headless, printing through a print scheduler of the test's own.

#include "answered_dialogs.h"
#include "app/class_sheets_dialog.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "output/class_set_pdf.h"
#include "output/cups_printer.h"
#include "pdf_words.h"
#include "print_server.h"
#include "qt_helpers.h"
#include "sheet_on_page.h"
#include "ui/frm_due.h"
#include "ui/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <array>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace virdamo::output {

using namespace virdamo::pages;
using namespace virdamo::ui;
namespace {

using namespace std::chrono_literals;
using forms::MessageIcon;
using test::PrivatePrintServer;
using ui::LabelArray;

/// The printable area of A4 on the queue's PDF driver starts 18 points from the left and
/// 36 points from the top of the sheet.
constexpr double kOriginX = 18.0;
constexpr double kOriginY = 36.0;
constexpr auto kJobTimeout = 60s;

const QString kFailed = QString::fromUtf8("Stampa non riuscita: la scheda non è stata stampata.\n");

struct Message {
    MessageIcon icon;
    QString title;
    QString text;
};

/// What the twenty operation places show.
using Screen = std::array<std::array<QString, ui::kLabelArrays.size()>, ui::FrmDue::kPlaces>;

class PrintThroughPrivateServer : public testing::Test {
protected:
    void SetUp() override
    {
        server_.useFromThisProcess();
        ASSERT_NO_THROW(server_.start());
        forms::MessageBox::setHandler([this](MessageIcon icon, const QString& title, const QString& text) {
            messages_.push_back({icon, title, text});
        });
        slot_.show();
        ASSERT_NE(window(), nullptr);
    }

    void TearDown() override
    {
        forms::MessageBox::setHandler({});
        slot_.unload();
    }

    ui::FrmDue* window() const { return slot_.formAs<ui::FrmDue>(); }

    void click(const char* name, std::int16_t index = forms::kNoIndex)
    {
        const QString shown =
            index == forms::kNoIndex ? QString::fromLatin1(name) : QStringLiteral("%1(%2)").arg(name).arg(index);
        ASSERT_TRUE(virdamo::test::clickButton(window(), shown)) << shown.toStdString();
    }

    [[nodiscard]] Screen screen() const
    {
        Screen shown;
        for (std::int16_t i = 0; i < ui::FrmDue::kPlaces; ++i) {
            for (std::size_t a = 0; a < ui::kLabelArrays.size(); ++a) {
                shown[static_cast<std::size_t>(i)][a] = window()->place(ui::kLabelArrays[a], i).caption();
            }
        }
        return shown;
    }

    [[nodiscard]] QString shown(const Screen& s, int i, LabelArray array) const
    {
        return s[static_cast<std::size_t>(i)][static_cast<std::size_t>(array)];
    }

    /// Everything printing may read of the worksheet state.
    struct StateRows {
        std::int16_t multiplierDigits, lastOperation;
        Modulo1::PerOperation<std::string> moltiplicando, moltiplicatore, parziale1, parziale2, parziale3, prodotto;
        bool operator==(const StateRows&) const = default;
    };
    [[nodiscard]] StateRows stateRows() const
    {
        return {state_.CifreMoltiplicatore, state_.UltimaOperazione, state_.TxtMoltiplicando, state_.TxtMoltiplicatore,
                state_.TxtParziale1,        state_.TxtParziale2,     state_.TxtParziale3,     state_.TxtProdotto};
    }

    /// The window is still there, loaded and shown, with the same sheet on screen and in the state.
    void expectSheetKept(const Screen& screenBefore, const StateRows& rowsBefore)
    {
        EXPECT_TRUE(slot_.isLoaded());
        EXPECT_EQ(lifecycle_.loadedCount(), 1);
        ASSERT_NE(window(), nullptr);
        EXPECT_TRUE(window()->isVisible());
        EXPECT_TRUE(window()->cmdStampa().isVisible());
        EXPECT_TRUE(screen() == screenBefore) << "the sheet on screen changed";
        EXPECT_TRUE(stateRows() == rowsBefore) << "the worksheet state changed";
    }

    /// The page the queue wrote for the last completed job matches the sheet on screen.
    void expectPrintedAsOnScreen(const Screen& s)
    {
        ASSERT_TRUE(std::filesystem::exists(server_.outputFile())) << server_.errorLog();
        const auto pages = test::readPdfFile(QString::fromStdString(server_.outputFile().string()));
        ASSERT_EQ(pages.size(), 1U);
        EXPECT_NEAR(pages[0].width, 595.0, 1.0);  // A4, as the queue is set
        EXPECT_NEAR(pages[0].height, 842.0, 1.0);
        const auto printed = test::expectSheetOnPage(pages[0], state_, kOriginX, kOriginY);
        ASSERT_EQ(printed.size(), static_cast<std::size_t>(state_.UltimaOperazione + 1));
        for (int i = 0; i < static_cast<int>(printed.size()); ++i) {
            SCOPED_TRACE(testing::Message() << "operation " << i);
            const test::PrintedOperation& op = printed[static_cast<std::size_t>(i)];
            EXPECT_FALSE(op.moltiplicando.isEmpty());
            EXPECT_EQ(op.moltiplicando, shown(s, i, LabelArray::Label1));
            EXPECT_EQ(op.moltiplicatore, shown(s, i, LabelArray::Label2));
            if (state_.CifreMoltiplicatore == 1) {
                EXPECT_EQ(op.prodotto, shown(s, i, LabelArray::Label4));
            } else {
                EXPECT_EQ(op.parziale1, shown(s, i, LabelArray::Label4));
                EXPECT_EQ(op.parziale2, shown(s, i, LabelArray::Label5));
                EXPECT_EQ(op.parziale3, state_.CifreMoltiplicatore == 3 ? shown(s, i, LabelArray::Label6) : QString());
                EXPECT_EQ(op.prodotto, shown(s, i, LabelArray::Label8));
            }
        }
    }

    /// Presses "STAMPA" again after a failure and expects the sheet to come out.
    void expectRetryPrints(int completedBefore)
    {
        const Screen s = screen();
        messages_.clear();
        click("cmdStampa");
        EXPECT_TRUE(messages_.empty()) << messages_.front().text.toStdString();
        ASSERT_TRUE(server_.waitForCompletedJobs(completedBefore + 1, kJobTimeout)) << server_.errorLog();
        expectPrintedAsOnScreen(s);
    }

    void expectOneFailure(const char* reasonLine)
    {
        ASSERT_EQ(messages_.size(), 1U);
        EXPECT_EQ(messages_[0].icon, MessageIcon::Warning);
        EXPECT_EQ(messages_[0].title, QStringLiteral("STAMPA"));
        EXPECT_EQ(messages_[0].text.toStdString(), (kFailed + QString::fromUtf8(reasonLine)).toStdString());
    }

    PrivatePrintServer server_;
    Modulo1 state_;
    ClockRandomSource random_;
    forms::Lifecycle lifecycle_;
    forms::FormSlot slot_{lifecycle_, [this] {
                              auto window = std::make_unique<ui::FrmDue>(state_, random_);
                              QObject::connect(window.get(), &ui::FrmDue::printRequested, [this] {
                                  CupsPrinter printer(limits_);
                                  cmdStampa_Click(state_, printer, slot_.form());
                              });
                              return window;
                          }};
    std::vector<Message> messages_;
    PrintLimits limits_;
};

struct Settings {
    const char* name;
    std::int16_t multiplicandOption;  // Opt1: 2, 3, 4 digits
    std::int16_t multiplierOption;    // Option1: 1, 2, 3 digits
    bool tenOperations;
};

void PrintTo(const Settings& settings, std::ostream* os)
{
    *os << settings.name;
}

std::string settingsName(const testing::TestParamInfo<Settings>& param)
{
    return param.param.name;
}

class PrintEveryLayout : public PrintThroughPrivateServer, public testing::WithParamInterface<Settings> {};

TEST_P(PrintEveryLayout, SheetOnScreenComesOutOfTheDefaultPrinter)
{
    server_.addQueue(true);
    const Settings& settings = GetParam();
    click("Opt1", settings.multiplicandOption);
    click("Option1", settings.multiplierOption);
    click(settings.tenOperations ? "Opt5" : "Opt10");
    click("Command1");  // VISUALIZZA
    const Screen s = screen();

    click("cmdStampa");
    EXPECT_TRUE(messages_.empty()) << messages_.front().text.toStdString();
    ASSERT_TRUE(server_.waitForCompletedJobs(1, kJobTimeout)) << server_.errorLog();
    EXPECT_EQ(server_.jobs().completed, 1);
    expectPrintedAsOnScreen(s);
}

INSTANTIATE_TEST_SUITE_P(Settings, PrintEveryLayout,
                         testing::Values(Settings{"TwoByOneTwenty", 0, 0, false},
                                         Settings{"ThreeByTwoTwenty", 1, 1, false},
                                         Settings{"FourByThreeTen", 2, 2, true}),
                         settingsName);

TEST_F(PrintThroughPrivateServer, QueueRejectingJobsIsReportedAndTheSheetKept)
{
    server_.addQueue(true);
    click("Option1", 1);
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();
    server_.run("cupsreject", {PrivatePrintServer::kQueue});

    click("cmdStampa");
    expectOneFailure("La stampante non accetta lavori.");
    expectSheetKept(s, rows);
    const PrivatePrintServer::Jobs jobs = server_.jobs();
    EXPECT_EQ(jobs.pending + jobs.printing + jobs.completed + jobs.failed, 0) << "a job was left in the queue";

    server_.run("cupsaccept", {PrivatePrintServer::kQueue});
    expectRetryPrints(0);
}

TEST_F(PrintThroughPrivateServer, StoppedSchedulerIsReportedAndTheSheetKept)
{
    server_.addQueue(true);
    click("Option1", 2);
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();
    server_.stop();

    click("cmdStampa");
    expectOneFailure("Il servizio di stampa non risponde.");
    expectSheetKept(s, rows);

    server_.start();
    expectRetryPrints(0);
}

TEST_F(PrintThroughPrivateServer, NoDefaultDestinationIsReportedAndTheSheetKept)
{
    server_.addQueue(false);
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();

    click("cmdStampa");
    expectOneFailure("Nessuna stampante predefinita.");
    expectSheetKept(s, rows);
    EXPECT_EQ(server_.jobs().completed + server_.jobs().pending, 0);

    server_.run("lpadmin", {"-d", PrivatePrintServer::kQueue});
    expectRetryPrints(0);
}

TEST_F(PrintThroughPrivateServer, DocumentRefusedLeavesNoJob)
{
    server_.addQueue(true);
    // The request fits without its PDF document, not with it.
    server_.stop();
    server_.configure("MaxRequestSize 2k");
    server_.start();
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();

    click("cmdStampa");
    expectOneFailure("Il documento è troppo grande per la stampante.");
    expectSheetKept(s, rows);
    const PrivatePrintServer::Jobs jobs = server_.jobs();
    EXPECT_EQ(jobs.pending + jobs.printing + jobs.completed + jobs.failed, 0) << "a job reached the queue";
}

TEST_F(PrintThroughPrivateServer, LandscapeQueuePrintsThePagePortrait)
{
    server_.addQueue(true);
    server_.run("lpadmin", {"-p", PrivatePrintServer::kQueue, "-o", "orientation-requested-default=4"});
    click("Command1");
    click("cmdStampa");
    EXPECT_TRUE(messages_.empty());
    ASSERT_TRUE(server_.waitForCompletedJobs(1, kJobTimeout)) << server_.errorLog();
    EXPECT_EQ(server_.newestJobAttribute("orientation-requested"), 3) << "IPP portrait";
}

enum class Sickness { Frozen, FrozenAndCancelled, Silent, ClosesAtOnce };

/// The commands that reach the print service: "STAMPA", and the class dialog's "Stampa..."
/// and "Anteprima...".
enum class Command { Stampa, DialogPrint, DialogPreview };

class SickService : public PrintThroughPrivateServer,
                    public testing::WithParamInterface<std::tuple<Sickness, Command>> {};

TEST_P(SickService, NeverFreezesTheWindowsAndSaysTheServiceDoesNotAnswer)
{
    // Named copies, not a structured binding: the timer below captures them.
    const Sickness sickness = std::get<0>(GetParam());
    const Command command = std::get<1>(GetParam());
    server_.addQueue(true);
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();
    limits_ = PrintLimits{std::chrono::milliseconds(1500), std::chrono::milliseconds(4000)};
    virdamo::test::AnsweredDialogs answers;
    answers.choice = app::PrintChoice{QString::fromLatin1(PrivatePrintServer::kQueue), {}, pdfPaper()};
    auto* dialog = new app::ClassSheetsDialog(window()->shownSheet(), answers, window(), limits_);
    dialog->show();
    std::optional<test::LoopbackListener> listener;
    switch (sickness) {
    case Sickness::Frozen:
    case Sickness::FrozenAndCancelled: server_.freeze(); break;
    case Sickness::Silent: listener.emplace(test::LoopbackListener::Manner::Silent); break;
    case Sickness::ClosesAtOnce: listener.emplace(test::LoopbackListener::Manner::ClosesAtOnce); break;
    }
    if (listener) {
        ::setenv("CUPS_SERVER", listener->address().c_str(), 1);
    }
    // While the command waits, the event loop runs: timers fire, the busy message appears;
    // but the user's clicks reach no command, then or afterwards.
    bool pressing = true;
    bool timerFired = false;
    QString busyText;
    QTimer::singleShot(700, [&] {
        timerFired = pressing;
        QTest::mouseClick(virdamo::test::findControl(*window(), QStringLiteral("Command1"))->widget(), Qt::LeftButton);
        if (auto* busy = QApplication::activeModalWidget(); busy && busy->objectName() == QStringLiteral("attesa")) {
            busyText = busy->findChild<QLabel*>()->text();
            if (sickness == Sickness::FrozenAndCancelled) {
                busy->findChild<QAbstractButton*>(QStringLiteral("annulla"))->click();
            }
        }
    });
    QElapsedTimer pressed;
    pressed.start();
    switch (command) {
    case Command::Stampa: click("cmdStampa"); break;
    case Command::DialogPrint: ASSERT_TRUE(virdamo::test::clickButton(dialog, QStringLiteral("stampa"))); break;
    case Command::DialogPreview: ASSERT_TRUE(virdamo::test::clickButton(dialog, QStringLiteral("anteprima"))); break;
    }
    pressing = false;
    const qint64 took = pressed.elapsed();
    std::cout << "[ measure  ] the command took " << took << " ms\n";
    server_.thaw();
    server_.useFromThisProcess();
    delete dialog;

    if (command == Command::DialogPreview) {
        EXPECT_LT(took, 1000) << "a preview needs no printer";
        EXPECT_EQ(answers.previews, 1);
        EXPECT_TRUE(messages_.empty());
        return;
    }
    EXPECT_EQ(answers.printDialogs, 0) << "the print dialog opened on a service that does not answer";
    // "Stampa..." waits for the service at most 2 s before its print dialog; "STAMPA" as long
    // as the limits of a job.
    EXPECT_LT(took, command == Command::DialogPrint ? 2500 : 4500) << "the whole command is bounded";
    if (sickness == Sickness::FrozenAndCancelled) {
        EXPECT_TRUE(messages_.empty()) << "a cancelled command says nothing";
        EXPECT_LT(took, 1200) << "cancelled at once";
    } else if (command == Command::Stampa) {
        expectOneFailure("Il servizio di stampa non risponde.");
    } else {
        ASSERT_EQ(messages_.size(), 1U);
        EXPECT_EQ(messages_[0].text,
                  QString::fromUtf8("Stampa non riuscita: le schede non sono state stampate.\n"
                                    "Il servizio di stampa non risponde."));
    }
    if (sickness != Sickness::ClosesAtOnce) {
        EXPECT_TRUE(timerFired) << "the windows were frozen during the command";
        EXPECT_EQ(busyText,
                  command == Command::Stampa ? QStringLiteral("Invio della scheda alla stampante...")
                                             : QStringLiteral("Ricerca delle stampanti..."));
    }
    expectSheetKept(s, rows);
    QTest::qWait(300);  // what a frozen scheduler still had to read
    const PrivatePrintServer::Jobs jobs = server_.jobs();
    EXPECT_EQ(jobs.pending + jobs.printing + jobs.completed, 0) << "a job was left on the server";
}

std::string sicknessName(const testing::TestParamInfo<std::tuple<Sickness, Command>>& info)
{
    static const char* const sicknesses[] = {"Frozen", "FrozenAndCancelled", "Silent", "ClosesAtOnce"};
    static const char* const commands[] = {"Stampa", "DialogPrint", "DialogPreview"};
    return std::string(commands[static_cast<int>(std::get<1>(info.param))])
        + sicknesses[static_cast<int>(std::get<0>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Print, SickService,
                         testing::Combine(testing::Values(Sickness::Frozen, Sickness::FrozenAndCancelled,
                                                          Sickness::Silent, Sickness::ClosesAtOnce),
                                          testing::Values(Command::Stampa, Command::DialogPrint,
                                                          Command::DialogPreview)),
                         sicknessName);

TEST_F(PrintThroughPrivateServer, ClassDialogPrintsThePagesAskedForOnTheChosenPrinter)
{
    server_.addQueue(false);  // not the default: the choice decides
    click("Command1");
    virdamo::test::AnsweredDialogs answers;
    const Paper letter{QSizeF(215.9, 279.4), QMarginsF(6.35, 6.35, 6.35, 6.35)};
    answers.choice = app::PrintChoice{QString::fromLatin1(PrivatePrintServer::kQueue), {}, letter};
    answers.choice->options.pageRanges = {{1, 2}, {5, 5}};
    app::ClassSheetsDialog dialog(window()->shownSheet(), answers, window(), limits_);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    dialog.findChild<QSpinBox*>(QStringLiteral("numeroSchede"))->setValue(3);

    ASSERT_TRUE(virdamo::test::clickButton(&dialog, QStringLiteral("stampa")));
    EXPECT_TRUE(messages_.empty()) << messages_.front().text.toStdString();
    EXPECT_EQ(answers.printDialogs, 1);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("esito"))->text(),
              QStringLiteral("Schede inviate alla stampante %1.").arg(PrivatePrintServer::kQueue));
    ASSERT_TRUE(server_.waitForCompletedJobs(1, kJobTimeout)) << server_.errorLog();
    const auto pages = test::readPdfFile(QString::fromStdString(server_.outputFile().string()));
    EXPECT_EQ(pages.size(), 3U) << "pages 1, 2 and 5 of 6";

    // The preview shows the chosen printer's paper from now on.
    ASSERT_TRUE(virdamo::test::clickButton(&dialog, QStringLiteral("anteprima")));
    ASSERT_TRUE(answers.previewPaper);
    EXPECT_EQ(answers.previewPaper->size, letter.size);
}

TEST_F(PrintThroughPrivateServer, ClassDialogSaysThereIsNoPrinterBeforeThePrintDialog)
{
    click("Command1");
    virdamo::test::AnsweredDialogs answers;
    app::ClassSheetsDialog dialog(window()->shownSheet(), answers, window(), limits_);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    ASSERT_TRUE(virdamo::test::clickButton(&dialog, QStringLiteral("stampa")));
    EXPECT_EQ(answers.printDialogs, 0);
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0].text,
              QString::fromUtf8("Stampa non riuscita: le schede non sono state stampate.\n"
                                "Non c'è nessuna stampante: aggiungerne una nelle impostazioni "
                                "del sistema."));
}

TEST_F(PrintThroughPrivateServer, PausedPrinterQueuesTheJobAndSaysSo)
{
    server_.addQueue(true);
    click("Opt1", 2);
    click("Option1", 1);
    click("Command1");
    const Screen s = screen();
    const auto rows = stateRows();
    server_.run("cupsdisable", {PrivatePrintServer::kQueue});

    click("cmdStampa");
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages_[0].title, QStringLiteral("STAMPA"));
    EXPECT_EQ(messages_[0].text,
              QString::fromUtf8("La stampante è in pausa: la scheda è in coda e sarà stampata alla ripresa."));
    expectSheetKept(s, rows);
    EXPECT_EQ(server_.jobs().pending, 1);
    EXPECT_FALSE(std::filesystem::exists(server_.outputFile()));

    server_.run("cupsenable", {PrivatePrintServer::kQueue});
    ASSERT_TRUE(server_.waitForCompletedJobs(1, kJobTimeout)) << server_.errorLog();
    expectPrintedAsOnScreen(s);
}

}  // namespace
}  // namespace virdamo::output
