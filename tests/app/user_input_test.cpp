// What the user's own clicks and keys do, sent through a private X server as a hand's are:
// they meet every filter on their way, which a click from code skips.

#include "answered_dialogs.h"
#include "app/application.h"
#include "app/class_preferences.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "output/cups_printer.h"
#include "print_server.h"
#include "qt_helpers.h"
#include "ui/frm_due.h"
#include "ui/lavagna.h"
#include "ui/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "x_server.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <iostream>
#include <memory>
#include <utility>

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

    test::PrivatePrintServer server_;
    Modulo1 state_;
    ClockRandomSource random_;
    forms::Lifecycle lifecycle_;
    forms::FormSlot slot_{lifecycle_, [this] {
                              auto window = std::make_unique<ui::FrmDue>(state_, random_);
                              QObject::connect(window.get(), &ui::FrmDue::printRequested, [this] {
                                  output::CupsPrinter printer(output::PrintLimits{4s, 9s});
                                  ui::cmdStampa_Click(state_, printer, slot_.form());
                              });
                              return window;
                          }};
    QStringList messages_;
};

/// How the user's hand gives the input: a click, the space bar, the key of a digit.
enum class Hand { Click, SpaceBar, DigitKey };

std::string handName(const testing::TestParamInfo<Hand>& param)
{
    switch (param.param) {
    case Hand::Click: return "Click";
    case Hand::SpaceBar: return "SpaceBar";
    case Hand::DigitKey: break;
    }
    return "DigitKey";
}

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
    const test::PrivatePrintServer::Jobs jobs = server_.jobs();
    EXPECT_EQ(jobs.pending + jobs.printing + jobs.completed, 0) << "a job was left on the server";
}

INSTANTIATE_TEST_SUITE_P(Hands, AnnullaInTheBusyMessage, testing::Values(Hand::Click, Hand::SpaceBar), handName);

/// The program's windows as the application composes them, on the display.
class OnTheWhiteboard : public testing::Test {
protected:
    void TearDown() override
    {
        for (forms::FormSlot* slot : {&shell_.lavagna(), &shell_.frmDue(), &shell_.frmInizio()}) slot->unload();
        test::deleteUnloadedWindows();
    }

    /// The whiteboard once it is loaded and has the focus; nullptr if it never does.
    ui::Lavagna* board()
    {
        if (!QTest::qWaitFor([this] { return shell_.lavagna().isLoaded(); }, 3000)) return nullptr;
        auto* lavagna = shell_.lavagna().formAs<ui::Lavagna>();
        return QTest::qWaitForWindowActive(lavagna) ? lavagna : nullptr;
    }

    /// Presses keys one after the other in the window that has the focus, running the event
    /// loop until the display server has them all and a little after, for the window to take them.
    static void type(const QStringList& keys)
    {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} + keys);
        EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 10000))
            << "xdotool never finished";
        QTest::qWait(150);
    }

    Modulo1 state_;
    ClockRandomSource random_;
    app::Application shell_{state_, random_, [](QWidget*) {}};
};

struct Opening {
    const char* name;
    int place;  ///< -1: the "LAVAGNA" command
    bool emptied;
};

class OpeningTheWhiteboard : public OnTheWhiteboard, public testing::WithParamInterface<Opening> {};

// A double click on a place that shows an operation opens that operation on the whiteboard,
// "LAVAGNA" the first one; a place emptied by a digit option opens nothing.
TEST_P(OpeningTheWhiteboard, OpensTheOperationOnShow)
{
    auto* due = dynamic_cast<ui::FrmDue*>(shell_.frmDue().show());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(due));
    ASSERT_TRUE(test::clickButton(due, QStringLiteral("Command1")));
    if (GetParam().emptied) {
        ASSERT_TRUE(test::clickButton(due, QStringLiteral("Option1(1)")));
    }
    const int place = GetParam().place;
    QWidget* target = place < 0 ? due->findChild<QAbstractButton*>(QStringLiteral("cmdLavagna"))
                                : due->findChild<QWidget*>(QStringLiteral("Frame3(%1)").arg(place));
    test::input::click(*target, place < 0 ? 1 : 2);
    if (GetParam().emptied) {
        QTest::qWait(1000);
        EXPECT_FALSE(shell_.lavagna().isLoaded());
        return;
    }
    const ui::Lavagna* lavagna = board();
    ASSERT_NE(lavagna, nullptr);
    const auto k = static_cast<std::size_t>(std::max(place, 0));
    EXPECT_EQ(std::pair(lavagna->operation().multiplicand, lavagna->operation().multiplier),
              std::pair(state_.ValMoltiplicando[k], state_.ValMoltiplicatore[k]));
    // Numbers of four digits or more with the thousands point, as Italian writes them.
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(lavagna->caption(),
              QStringLiteral("Moltiplichiamo %1 × %2")
                  .arg(italian.toString(state_.ValMoltiplicando[k]), italian.toString(state_.ValMoltiplicatore[k])));
}

INSTANTIATE_TEST_SUITE_P(Hands, OpeningTheWhiteboard,
                         testing::Values(Opening{"DoubleClickOnTheFirstPlace", 0, false},
                                         Opening{"DoubleClickOnTheEighthPlace", 7, false},
                                         Opening{"DoubleClickOnTheLastPlace", 19, false}, Opening{"Lavagna", -1, false},
                                         Opening{"DoubleClickOnAnEmptiedPlace", 0, true}),
                         [](const testing::TestParamInfo<Opening>& param) { return std::string(param.param.name); });

struct Keys {
    std::int32_t a, b;
    QStringList keys;
    std::size_t step;
    const char* caption;
};

void PrintTo(const Keys& c, std::ostream* os)
{
    *os << c.a << " x " << c.b << ": " << c.keys.join(QLatin1Char(' ')).toStdString();
}

class KeysOnTheWhiteboard : public OnTheWhiteboard, public testing::WithParamInterface<Keys> {};

// Each key takes one step forward or back, or to either end, and the board writes what
// that step has written, no more and no less.
TEST_P(KeysOnTheWhiteboard, StepAndSayWhatTheStepDoes)
{
    const Keys& c = GetParam();
    shell_.startOnLavagna(c.a, c.b);
    const ui::Lavagna* lavagna = board();
    ASSERT_NE(lavagna, nullptr);
    type(c.keys);
    EXPECT_EQ(lavagna->caption(), QString::fromUtf8(c.caption));
    ASSERT_EQ(lavagna->step(), c.step);
    EXPECT_EQ(lavagna->written(), lavagna->steps()[c.step].written);
}

const QString kRight = QStringLiteral("Right");

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysOnTheWhiteboard,
    testing::Values(
        Keys{2305, 104, {kRight}, 1, "Ora moltiplico per le unità: 4; 5 × 4 = 20, scrivo 0 e riporto 2"},
        Keys{2305, 104, {kRight, "space", "Return"}, 3, "3 × 4 = 12: scrivo 2 e riporto 1"},
        Keys{2305, 104, {kRight, kRight, kRight, kRight}, 4, "2 × 4 + 1 = 9: scrivo 9"},
        Keys{2305,
             104,
             {kRight, kRight, kRight, kRight, kRight},
             5,
             "Ora moltiplico per le decine: 0; 2.305 × 0 = 0, scrivo 0"},
        Keys{
            2305, 104, {kRight, kRight, "Left"}, 1, "Ora moltiplico per le unità: 4; 5 × 4 = 20, scrivo 0 e riporto 2"},
        Keys{2305, 104, {"Left"}, 0, "Moltiplichiamo 2.305 × 104"},
        Keys{2305, 104, {"Page_Down"}, 1, "Ora moltiplico per le unità: 4; 5 × 4 = 20, scrivo 0 e riporto 2"},
        Keys{2305,
             104,
             {"Page_Down", "Page_Down", "Page_Up"},
             1,
             "Ora moltiplico per le unità: 4; 5 × 4 = 20, scrivo 0 e riporto 2"},
        Keys{2305, 104, {"Page_Up"}, 0, "Moltiplichiamo 2.305 × 104"},
        Keys{2305, 104, {"p", "Page_Down", "Page_Down", "p"}, 0, "Moltiplichiamo 2.305 × 104"},
        Keys{2305, 104, {"End"}, 21, "5 = 5: la prova è giusta"},
        Keys{2305, 104, {"End", kRight}, 21, "5 = 5: la prova è giusta"},
        Keys{2305, 104, {"End", "BackSpace", "Left", "Left", "Left", "Left"}, 16, "Il prodotto è 239.720"},
        Keys{2305, 104, {"End", "Home"}, 0, "Moltiplichiamo 2.305 × 104"},
        Keys{135,
             47,
             {kRight, kRight, kRight, kRight, kRight, kRight, kRight, kRight, kRight},
             9,
             "9 + 4 = 13: scrivo 3 e riporto 1"},
        Keys{47, 6, {"End", "Left", "Left", "Left"}, 5, "Moltiplicatore, 6, una cifra sola: scrivo 6"}));

class PupilTries : public OnTheWhiteboard, public testing::WithParamInterface<Hand> {};

// In "Prova tu" a wrong digit is counted and not written, a right one is written; the count
// closes the attempt, and leaving it goes back to the teacher's steps.
TEST_P(PupilTries, OnlyRightDigitsAreWrittenAndWrongOnesCounted)
{
    shell_.startOnLavagna(47, 6);
    ui::Lavagna* lavagna = board();
    ASSERT_NE(lavagna, nullptr);
    type({QStringLiteral("p")});
    ASSERT_TRUE(lavagna->attempt());
    const auto typed = [&] {
        const Written& w = lavagna->written();
        return static_cast<std::size_t>(lavagna->attempt()->misses()) + w.digits.size() + w.carries.size()
            + w.prova.size();
    };
    const auto press = [&](int digit) {
        const std::size_t before = typed();
        if (GetParam() == Hand::DigitKey) {
            test::input::key(QString::number(digit));
        } else {
            test::input::click(*lavagna->findChild<QAbstractButton*>(QStringLiteral("cifra%1").arg(digit)));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return typed() > before; }, 3000)) << digit;
    };
    const std::vector<Step>& steps = lavagna->steps();
    press(9);
    EXPECT_EQ(lavagna->attempt()->misses(), 1);
    EXPECT_EQ(lavagna->written(), steps[0].written) << "a wrong digit is never written";
    EXPECT_EQ(lavagna->caption(), QStringLiteral("Riprova: 7 × 6 = ?"));
    press(2);
    EXPECT_EQ(lavagna->written().digits.back(), (WrittenDigit{{WorkedRow::Product, 0}, 0, 2}));
    press(4);
    EXPECT_EQ(lavagna->written(), steps[1].written);
    for (const int digit : {8, 2, 2, 6, 3, 3}) press(digit);
    EXPECT_EQ(lavagna->written(), steps.back().written);
    EXPECT_EQ(lavagna->caption(), QStringLiteral("Ottimo lavoro! 7 cifre giuste su 8 al primo tentativo"));

    type({QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("2"), QStringLiteral("p")});
    EXPECT_FALSE(lavagna->attempt());
    EXPECT_EQ(lavagna->caption(), QStringLiteral("Moltiplichiamo 47 × 6")) << "back at the last step finished";
}

// A click touches the keypad on the screen.
INSTANTIATE_TEST_SUITE_P(Hands, PupilTries, testing::Values(Hand::DigitKey, Hand::Click), handName);

// A decimal operation asks for the comma's place as a step of its own: the count of the
// product's decimals, typed; a wrong count is a miss, and the caption says what to count.
TEST_F(OnTheWhiteboard, TheProductsCommaIsAStepOfItsOwn)
{
    shell_.startOnLavagna(47, 6, 1, 0);  // 4,7 x 6 = 28,2
    ui::Lavagna* lavagna = board();
    ASSERT_NE(lavagna, nullptr);
    type({QStringLiteral("p")});
    ASSERT_TRUE(lavagna->attempt());
    for (const Step& step : lavagna->steps()) {
        for (const ExpectedKey& key : step.keys) {
            if (std::holds_alternative<DecimalPoint>(key.cell)) {
                EXPECT_EQ(key.digit, 1);
                EXPECT_FALSE(lavagna->written().productComma);
                type({QStringLiteral("2")});
                EXPECT_EQ(lavagna->attempt()->misses(), 1) << "two decimals where there is one";
                EXPECT_EQ(lavagna->caption(),
                          QStringLiteral("Riprova: quante cifre ci sono dopo la virgola nei due numeri?"));
            }
            type({QString::number(key.digit)});
        }
    }
    EXPECT_TRUE(lavagna->written().productComma);
    EXPECT_EQ(lavagna->written(), lavagna->steps().back().written);
}

// In the class dialog a click on a pupil's tick box marks her for the supported version, and
// "Salva l'elenco" writes the names file back with the mark; "Salva per il computer..."
// saves the page for the browser.
TEST(ClassDialogByHand, MarksAPupilSavesTheListAndThePageForTheBrowser)
{
    const QTemporaryDir dir;
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const QString names = dir.filePath(QStringLiteral("nomi.txt"));
    QFile list(names);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Anna\nLuca\n");
    list.close();
    app::ClassPreferences remembered;
    remembered.names = {{QStringLiteral("Anna"), QStringLiteral("Luca")}, {}, names};
    remembered.save();
    test::AnsweredDialogs answers;
    answers.saveAs = dir.filePath(QStringLiteral("schede.html"));
    {
        app::ClassSheetsDialog dialog(SheetCode{3, 2, 9, 7}, answers, nullptr);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("nomi"));
        QTreeWidgetItem* luca = tree->topLevelItem(1);
        // The tick box stands at the start of the second column.
        const QPoint box(tree->header()->sectionViewportPosition(1) + 10, tree->visualItemRect(luca).center().y());
        test::input::click(*tree->viewport(), 1, box);
        EXPECT_TRUE(QTest::qWaitFor([&] { return luca->checkState(1) == Qt::Checked; }, 3000));
        test::input::click(*dialog.findChild<QAbstractButton*>(QStringLiteral("salvaNomi")));
        const auto saved = [&names] {
            QFile file(names);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return saved() == "Anna\nLuca *\n"; }, 3000)) << saved().toStdString();
        test::input::click(*dialog.findChild<QAbstractButton*>(QStringLiteral("salvaHtml")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(answers.saveAs); }, 5000));
        EXPECT_EQ(dialog.classSet()->supported, std::vector<bool>({false, true}));
    }
    qputenv("XDG_CONFIG_HOME", home);
}

// A class that dashes the empty places types the dash as a key of its own, after the units'
// row: the minus key writes it, a digit there is wrong.
TEST_F(OnTheWhiteboard, TheDashOfAnEmptyPlaceIsTypedAsTheClassWritesIt)
{
    const QTemporaryDir config;
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    app::ClassPreferences dashes;
    dashes.options.conventions.emptyPlaces = EmptyPlaces::Dash;
    dashes.save();
    shell_.startOnLavagna(2305, 104);
    ui::Lavagna* lavagna = board();
    qputenv("XDG_CONFIG_HOME", home);
    ASSERT_NE(lavagna, nullptr);
    type({QStringLiteral("p"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2"),
          QStringLiteral("1"), QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("minus")});
    ASSERT_TRUE(lavagna->attempt());
    EXPECT_EQ(lavagna->attempt()->misses(), 1) << "a 0 where the dash goes";
    EXPECT_EQ(lavagna->written().digits.back(), (WrittenDigit{{WorkedRow::Partial, 1}, 0, kDash}));
    EXPECT_EQ(lavagna->written(), lavagna->steps()[5].written) << "the dash is the whole step";
}

// Alone, the whiteboard opens maximised; F11 goes full screen and back, N puts another
// operation of the same digits on it, and Escape closes it and ends the program.
TEST_F(OnTheWhiteboard, AloneItIsTheWholeProgram)
{
    EXPECT_THROW(shell_.startOnLavagna(9, 5), std::invalid_argument);
    const QSignalSpy ended(&shell_.lifecycle(), &forms::Lifecycle::ended);
    shell_.startOnLavagna(47, 6);
    const ui::Lavagna* lavagna = board();
    ASSERT_NE(lavagna, nullptr);
    EXPECT_TRUE(lavagna->isMaximized());
    type({QStringLiteral("F11")});
    EXPECT_TRUE(lavagna->isFullScreen());
    type({QStringLiteral("F11")});
    EXPECT_FALSE(lavagna->isFullScreen());
    EXPECT_TRUE(lavagna->isMaximized());

    type({kRight, QStringLiteral("n")});
    const WorkedOperation& op = lavagna->operation();
    EXPECT_NE(std::pair(op.multiplicand, op.multiplier), std::pair(47, 6));
    EXPECT_EQ(std::pair(op.multiplicandDigits, op.multiplierDigits), std::pair(2, 1));
    EXPECT_EQ(lavagna->step(), 0U);

    type({QStringLiteral("Escape")});
    EXPECT_FALSE(shell_.lavagna().isLoaded());
    EXPECT_EQ(ended.count(), 1);
}

}  // namespace
}  // namespace virdamo
