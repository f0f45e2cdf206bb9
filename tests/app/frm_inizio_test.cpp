// The start window on the offscreen platform: what is shown at its first display, how it
// looks at its design size, how it keeps its proportions, and how the keyboard moves.

#include "app/application.h"
#include "app/frm_inizio.h"
#include "forms/form_slot.h"
#include "layout/twips.h"
#include "qt_helpers.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <map>
#include <memory>

namespace virdamo::app {
namespace {

using layout::TwipRect;

class FrmInizioTest : public testing::Test {
protected:
    void SetUp() override
    {
        slot_ = std::make_unique<forms::FormSlot>(lifecycle_, [this] {
            auto window = std::make_unique<FrmInizio>();
            QObject::connect(window.get(), &FrmInizio::worksheetWindowRequested, [this] { ++worksheetShows_; });
            QObject::connect(window.get(), &FrmInizio::worksheetWindowUnloadRequested, [this] { ++worksheetUnloads_; });
            return window;
        });
    }

    void TearDown() override
    {
        slot_->unload();
        virdamo::test::deleteUnloadedWindows();
    }

    FrmInizio& shown()
    {
        auto* window = static_cast<FrmInizio*>(slot_->show());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return *window;
    }

    forms::Lifecycle lifecycle_;
    std::unique_ptr<forms::FormSlot> slot_;
    int worksheetShows_ = 0;
    int worksheetUnloads_ = 0;
};

QString caption(forms::Form& window, const char* label)
{
    return virdamo::test::control<forms::Label>(window, QString::fromLatin1(label)).caption();
}

/// Records the captions of the start window's texts when it is first shown.
class FirstShowRecorder final : public QObject {
public:
    std::map<std::string, QString> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<FrmInizio*>(watched);
        if (window && event->type() == QEvent::Show && seen.empty()) {
            seen["window"] = window->windowTitle();
            for (const char* name : {"Label6", "Label2", "Label3", "Label11", "Label10", "Label5"}) {
                seen[name] = caption(*window, name);
            }
        }
        return false;
    }
};

TEST(FrmInizioStart, TextsAreInPlaceBeforeTheFirstDisplay)
{
    FirstShowRecorder recorder;
    qApp->installEventFilter(&recorder);
    Modulo1 state;
    ClockRandomSource random;
    {
        Application application(state, random, {});
        application.start();
        qApp->removeEventFilter(&recorder);
    }
    virdamo::test::deleteUnloadedWindows();

    const std::map<std::string, QString> expected{
        {"window", QStringLiteral("Stampa virdamo")},
        {"Label6", QStringLiteral("Ver. 1.0.0")},
        {"Label2", QStringLiteral("Programma per la stampa di schede cartacee")},
        {"Label3", QStringLiteral("Moltiplicazioni con numeri interi già eseguite .")},
        {"Label11", QStringLiteral("VIRDAMO")},
        {"Label10", QStringLiteral("STAMPA SCHEDE CARTACEE CON NUMERI INTERI")},
        {"Label5", QStringLiteral("Il nuovo software di Brenzio")},
    };
    EXPECT_EQ(recorder.seen, expected);
}

// --- Look at design size -------------------------------------------------------------

struct Probe {
    const char* what;
    float left;  ///< twips, in the window
    float top;
    QColor expected;
};

void PrintTo(const Probe& probe, std::ostream* os)
{
    *os << probe.what;
}

class DesignLook : public FrmInizioTest, public testing::WithParamInterface<Probe> {};

TEST_P(DesignLook, ShowsTheDesignColourAtPoint)
{
    FrmInizio& window = shown();
    ASSERT_EQ(window.size(),
              QSize(layout::twipsToPixels(FrmInizio::kDesignWidth, window.dpiX()),
                    layout::twipsToPixels(FrmInizio::kDesignHeight, window.dpiY())));
    const QImage image = window.grab().toImage();
    const Probe& probe = GetParam();
    const QPoint at(std::min(layout::twipsToPixels(probe.left, window.dpiX()), image.width() - 1),
                    layout::twipsToPixels(probe.top, window.dpiY()));
    EXPECT_EQ(image.pixelColor(at), probe.expected) << "at " << at.x() << "," << at.y();
}

INSTANTIATE_TEST_SUITE_P(StartWindow, DesignLook,
                         testing::Values(Probe{"WindowBackground", 300, 4500, QColor(255, 224, 192)},
                                         Probe{"LeftPanel", 200, 1200, QColor(128, 255, 255)},
                                         Probe{"LeftPanelShadowOnTheRight", 8018, 1200, QColor(0, 192, 192)},
                                         Probe{"LeftPanelShadowBelow", 4000, 2192, QColor(0, 192, 192)},
                                         Probe{"RightPanel", 9500, 1950, QColor(128, 255, 255)},
                                         Probe{"RightPanelDarkFrame", 11310, 1300, QColor(0, 0, 192)},
                                         Probe{"BannerStopsShortOfTheRightEdge", 11860, 1000, QColor(255, 224, 192)},
                                         Probe{"CreditStripAtTheRightEdge", 12000, 7790, QColor(255, 192, 128)},
                                         Probe{"CreditStripAtTheLeftEdge", 0, 7790, QColor(255, 192, 128)}),
                         [](const testing::TestParamInfo<Probe>& param) { return std::string(param.param.what); });

/// Pixels of colour within rect (twips, in the window) of the rendered window.
int countColour(const FrmInizio& window, const QImage& image, TwipRect rect, const QColor& colour)
{
    const int x0 = layout::twipsToPixels(rect.left, window.dpiX());
    const int y0 = layout::twipsToPixels(rect.top, window.dpiY());
    const int x1 = std::min(layout::twipsToPixels(rect.left + rect.width, window.dpiX()), image.width());
    const int y1 = std::min(layout::twipsToPixels(rect.top + rect.height, window.dpiY()), image.height());
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(FrmInizioTest, BannerTextsLieAboveThePanelsAndTheBannerCoversTheOldLabels)
{
    FrmInizio& window = shown();
    const QImage image = window.grab().toImage();

    EXPECT_GT(countColour(window, image, {375, 480, 6960, 1050}, QColor(0, 0, 192)), 50) << "title hidden";
    EXPECT_GT(countColour(window, image, {375, 1575, 6945, 360}, QColor(0, 0, 192)), 50) << "subtitle hidden";
    EXPECT_GT(countColour(window, image, {8310, 540, 2880, 1140}, QColor(255, 0, 0)), 20) << "version hidden";

    // "Ver 1.1" would show in the banner's margin above the right panel, "Label1" in red
    // across the left panel; the banner is drawn over both.
    const TwipRect aboveRightPanel{10185, 240, 1100, 90};
    const int margin = countColour(window, image, aboveRightPanel, QColor(255, 224, 192));
    EXPECT_EQ(margin, layout::twipsToPixels(1100, window.dpiX()) * layout::twipsToPixels(90, window.dpiY()));
    EXPECT_EQ(countColour(window, image, {75, 1980, 7000, 480}, QColor(192, 0, 0)), 0);
}

// --- Proportional layout -------------------------------------------------------------

struct Stretch {
    const char* name;
    double widthFactor;
    double heightFactor;
};

void PrintTo(const Stretch& stretch, std::ostream* os)
{
    *os << stretch.name;
}

class Resizing : public FrmInizioTest, public testing::WithParamInterface<Stretch> {};

TEST_P(Resizing, KeepsProportionsAndFontSizesAndRestoresTheDesign)
{
    FrmInizio& window = shown();
    struct Before {
        TwipRect twips;
        QRect pixels;
        double pointSize;
    };
    std::vector<Before> design;
    for (int i = 0; i < window.controlCount(); ++i) {
        const forms::Control& c = window.control(i);
        design.push_back({c.geometry(), c.widget()->geometry(), c.widget()->font().pointSizeF()});
    }
    const QSize designSize = window.size();
    const Stretch& stretch = GetParam();

    window.resize(static_cast<int>(designSize.width() * stretch.widthFactor),
                  static_cast<int>(designSize.height() * stretch.heightFactor));
    const double fx = static_cast<double>(window.width()) / designSize.width();
    const double fy = static_cast<double>(window.height()) / designSize.height();
    for (int i = 0; i < window.controlCount(); ++i) {
        const forms::Control& c = window.control(i);
        const QRect& was = design[static_cast<std::size_t>(i)].pixels;
        const QRect now = c.widget()->geometry();
        const std::string name = c.displayName().toStdString();
        EXPECT_NEAR(now.left(), was.left() * fx, 1.0) << name;
        EXPECT_NEAR(now.top(), was.top() * fy, 1.0) << name;
        EXPECT_NEAR(now.width(), was.width() * fx, 1.5) << name;
        EXPECT_NEAR(now.height(), was.height() * fy, 1.5) << name;
        EXPECT_EQ(c.widget()->font().pointSizeF(), design[static_cast<std::size_t>(i)].pointSize) << name;
    }

    window.resize(designSize);
    for (int i = 0; i < window.controlCount(); ++i) {
        const forms::Control& c = window.control(i);
        const Before& was = design[static_cast<std::size_t>(i)];
        const std::string name = c.displayName().toStdString();
        EXPECT_EQ(c.widget()->geometry(), was.pixels) << name;
        EXPECT_NEAR(c.geometry().left, was.twips.left, 0.01) << name;
        EXPECT_NEAR(c.geometry().top, was.twips.top, 0.01) << name;
        EXPECT_NEAR(c.geometry().width, was.twips.width, 0.01) << name;
        EXPECT_NEAR(c.geometry().height, was.twips.height, 0.01) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(StartWindow, Resizing,
                         testing::Values(Stretch{"TwiceAsWide", 2.0, 1.0}, Stretch{"TwiceAsHigh", 1.0, 2.0},
                                         Stretch{"Half", 0.5, 0.5}, Stretch{"WideAndLow", 1.7, 0.6},
                                         Stretch{"Tiny", 0.05, 0.05}),
                         [](const testing::TestParamInfo<Stretch>& param) { return std::string(param.param.name); });

// --- Keyboard ------------------------------------------------------------------------

TEST_F(FrmInizioTest, OnlyTheTwoCommandsTakeTheFocusEntraFirst)
{
    FrmInizio& window = shown();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* enter = virdamo::test::control<forms::CommandButton>(window, QStringLiteral("Command1")).widget();
    QWidget* leave = virdamo::test::control<forms::CommandButton>(window, QStringLiteral("Command2")).widget();

    EXPECT_EQ(QApplication::focusWidget(), enter);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), leave);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), enter);
}

TEST_F(FrmInizioTest, ReturnPressesOnlyTheFocusedCommandAndThereAreNoAccessKeys)
{
    FrmInizio& window = shown();
    for (const char* name : {"Command1", "Command2"}) {
        auto* button = qobject_cast<QPushButton*>(
            virdamo::test::control<forms::CommandButton>(window, QString::fromLatin1(name)).widget());
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isDefault()) << name;
        EXPECT_FALSE(button->text().contains(QLatin1Char('&'))) << name;
        EXPECT_TRUE(button->shortcut().isEmpty()) << name;
    }
    // Keys the window itself receives reach no command: nothing is opened or closed.
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(slot_->isLoaded());
    EXPECT_EQ(worksheetShows_, 0);
    EXPECT_EQ(worksheetUnloads_, 0);
    // On a focused command, Return and keypad Enter press it as Space does.
    QTest::keyClick(virdamo::test::control<forms::CommandButton>(window, QStringLiteral("Command1")).widget(),
                    Qt::Key_Return);
    EXPECT_EQ(worksheetShows_, 1);
    QTest::keyClick(virdamo::test::control<forms::CommandButton>(window, QStringLiteral("Command2")).widget(),
                    Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(slot_->isLoaded());
}

}  // namespace
}  // namespace virdamo::app
