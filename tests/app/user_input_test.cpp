// What the user's own clicks and keys do, sent through a private X server as a hand's are:
// they meet every filter on their way, which a click from code skips.

#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "print/cups_printer.h"
#include "print/stampa.h"
#include "print_server.h"
#include "qt_helpers.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "x_server.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <iostream>
#include <memory>

namespace virdamo {
namespace {

using namespace std::chrono_literals;

/// The worksheet window on the display, printing through a print server of the test's own.
class OnTheDisplay : public testing::Test {
protected:
    void SetUp() override
    {
        server_.useFromThisProcess();
        ASSERT_NO_THROW(server_.start());
        server_.addQueue(true);
        forms::MessageBox::setHandler(
            [this](forms::MessageIcon, const QString&, const QString& text) { messages_ << text; });
        ASSERT_NE(slot_.show(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
    }
    void TearDown() override
    {
        server_.thaw();
        forms::MessageBox::setHandler({});
        slot_.unload();
        test::deleteUnloadedWindows();
    }

    [[nodiscard]] ui::FrmDue* window() const { return slot_.formAs<ui::FrmDue>(); }

    print::test::PrivatePrintServer server_;
    Modulo1 state_;
    ClockRandomSource random_;
    forms::Lifecycle lifecycle_;
    forms::FormSlot slot_{lifecycle_, [this] {
                              auto window = std::make_unique<ui::FrmDue>(state_, random_);
                              QObject::connect(window.get(), &ui::FrmDue::printRequested, [this] {
                                  print::CupsPrinter printer(print::PrintLimits{4s, 9s});
                                  print::cmdStampa_Click(state_, printer, slot_.form());
                              });
                              return window;
                          }};
    QStringList messages_;
};

enum class Hand { Click, SpaceBar };

class AnnullaInTheBusyMessage : public OnTheDisplay, public testing::WithParamInterface<Hand> {};

TEST_P(AnnullaInTheBusyMessage, EndsTheWaitWithinASecondAndSaysNothing)
{
    ASSERT_TRUE(test::clickButton(window(), QStringLiteral("Command1")));
    server_.freeze();
    QElapsedTimer sent;
    bool busyShown = false;
    QTimer::singleShot(900, [&] {
        QWidget* busy = QApplication::activeModalWidget();
        busyShown = busy && busy->objectName() == QStringLiteral("attesa") && busy->isVisible();
        if (!busyShown) {
            return;
        }
        if (GetParam() == Hand::Click) {
            test::input::click(*busy->findChild<QAbstractButton*>(QStringLiteral("annulla")));
        } else {
            test::input::key(QStringLiteral("space"));
        }
        sent.start();
    });
    ASSERT_TRUE(test::clickButton(window(), QStringLiteral("cmdStampa")));  // returns when the wait has ended
    ASSERT_TRUE(busyShown) << "no busy message to cancel";
    const qint64 took = sent.elapsed();
    std::cout << "[ measure  ] from the input to the end of the wait: " << took << " ms\n";
    EXPECT_LT(took, 1000);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
    server_.thaw();
    QTest::qWait(300);
    const print::test::PrivatePrintServer::Jobs jobs = server_.jobs();
    EXPECT_EQ(jobs.pending + jobs.printing + jobs.completed, 0) << "a job was left on the server";
}

INSTANTIATE_TEST_SUITE_P(Hands, AnnullaInTheBusyMessage, testing::Values(Hand::Click, Hand::SpaceBar),
                         [](const testing::TestParamInfo<Hand>& param) {
                             return std::string(param.param == Hand::Click ? "Click" : "SpaceBar");
                         });

}  // namespace
}  // namespace virdamo
