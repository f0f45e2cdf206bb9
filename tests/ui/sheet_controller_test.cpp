#include "scripted_random_source.h"
#include "ui/sheet_controller.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace virdamo::ui {
namespace {

/// The twenty places as plain data, with the log of every call the controller made.
class FakeDisplay final : public SheetDisplay {
public:
    struct Label {
        std::string caption;
        bool visible = true;
    };

    FakeDisplay()
    {
        // As designed: marks and rules carry their captions, number rows are empty.
        for (std::int16_t i = 0; i < 20; ++i) {
            at(LabelArray::lblPer, i).caption = "x";
            at(LabelArray::lblUguale, i).caption = "=";
            at(LabelArray::lblRiga1, i).caption = "_______";
            at(LabelArray::lblRiga2, i).caption = "_________________";
        }
    }

    void setCaption(LabelArray array, std::int16_t index, const std::string& caption) override
    {
        record(array, index, "caption");
        at(array, index).caption = caption;
    }
    void setVisible(LabelArray array, std::int16_t index, bool visible) override
    {
        record(array, index, visible ? "show" : "hide");
        at(array, index).visible = visible;
    }
    void setStampaVisible(bool visible) override
    {
        calls.push_back(visible ? "show cmdStampa" : "hide cmdStampa");
        stampaVisible = visible;
    }

    Label& at(LabelArray array, std::int16_t index)
    {
        if (index < 0 || index > 19) throw std::out_of_range("no such member");
        return labels[{array, index}];
    }

    /// True when place i shows nothing: no digits, no mark, no rule.
    bool placeEmpty(std::int16_t i)
    {
        for (const LabelArray a : {LabelArray::Label1, LabelArray::Label2, LabelArray::Label4, LabelArray::Label5,
                                   LabelArray::Label6, LabelArray::Label8}) {
            if (!at(a, i).caption.empty()) return false;
        }
        for (const LabelArray a :
             {LabelArray::lblPer, LabelArray::lblUguale, LabelArray::lblRiga1, LabelArray::lblRiga2}) {
            if (at(a, i).visible) return false;
        }
        return true;
    }

    std::map<std::pair<LabelArray, std::int16_t>, Label> labels;
    std::vector<std::string> calls;
    bool stampaVisible = false;
    std::function<bool(const std::string&)> failOn;  ///< makes the matching call throw

private:
    void record(LabelArray array, std::int16_t index, const char* what)
    {
        const std::string call = std::string(what) + " " + labelArrayName(array) + "(" + std::to_string(index) + ")";
        calls.push_back(call);
        if (failOn && failOn(call)) throw std::runtime_error("display failure: " + call);
    }
};

class FakeActions final : public WindowActions {
public:
    void recordLayout() override
    {
        log.push_back("recordLayout");
        if (failRecording) throw std::runtime_error("layout failure");
    }
    void showStartWindow() override { log.push_back("showStartWindow"); }
    void unloadWindow() override { log.push_back("unloadWindow"); }

    std::vector<std::string> log;
    bool failRecording = false;
};

struct Harness {
    Modulo1 state;
    ClockRandomSource random;
    FakeDisplay display;
    FakeActions actions;
    SheetController controller{state, random, display, actions};

    Harness() { controller.Form_Load(); }

    void fillTextRows(const std::string& text)
    {
        for (auto* row : {&state.TxtMoltiplicando, &state.TxtMoltiplicatore, &state.TxtParziale1, &state.TxtParziale2,
                          &state.TxtParziale3, &state.TxtProdotto}) {
            row->fill(text);
        }
    }
};

TEST(SheetController, LoadRecordsTheLayoutFirstThenResetsDisplayAndSettings)
{
    Harness h;
    ASSERT_FALSE(h.actions.log.empty());
    EXPECT_EQ(h.actions.log.front(), "recordLayout");
    EXPECT_EQ(h.state.CifreMoltiplicando, 2);
    EXPECT_EQ(h.state.CifreMoltiplicatore, 1);
    EXPECT_EQ(h.state.UltimaOperazione, 19);
    EXPECT_EQ(h.state.Spazi, std::string(20, ' '));
    for (std::int16_t i = 0; i < 20; ++i) {
        EXPECT_TRUE(h.display.placeEmpty(i)) << "place " << i;
        EXPECT_EQ(h.display.at(LabelArray::lblPer, i).caption, "x") << "marks are hidden, not cleared";
    }
    EXPECT_FALSE(h.display.stampaVisible);
    EXPECT_EQ(std::count(h.display.calls.begin(), h.display.calls.end(), "hide cmdStampa"), 0)
        << "the load leaves STAMPA as the design made it";
}

TEST(SheetController, LoadSkipsFailingStatementsAndStillSetsTheSettings)
{
    Modulo1 state;
    state.TxtProdotto[5] = "kept";
    ClockRandomSource random;
    FakeDisplay display;
    display.failOn = [](const std::string& call) { return call == "hide lblRiga2(3)" || call == "caption Label1(0)"; };
    FakeActions actions;
    actions.failRecording = true;
    SheetController controller(state, random, display, actions);
    EXPECT_NO_THROW(controller.Form_Load());
    EXPECT_EQ(state.CifreMoltiplicando, 2);
    EXPECT_EQ(state.CifreMoltiplicatore, 1);
    EXPECT_EQ(state.UltimaOperazione, 19);
    EXPECT_EQ(state.Spazi.size(), 20U);
    EXPECT_FALSE(display.at(LabelArray::lblPer, 3).visible) << "the statement after the failing one ran";
    EXPECT_FALSE(display.at(LabelArray::lblUguale, 19).visible);
    EXPECT_EQ(state.TxtProdotto[5], "kept") << "the load never touches the text rows";
}

TEST(SheetController, DigitOptionsEmptyTheSheetAndSetOneCount)
{
    const struct {
        const char* name;
        void (SheetController::*click)(std::int16_t);
        std::int16_t index;
        int multiplicandDigits, multiplierDigits;
    } cases[] = {
        {"2 cifre multiplicand", &SheetController::Opt1_Click, 0, 2, 3},
        {"3 cifre multiplicand", &SheetController::Opt1_Click, 1, 3, 3},
        {"4 cifre multiplicand", &SheetController::Opt1_Click, 2, 4, 3},
        {"1 cifre multiplier", &SheetController::Option1_Click, 0, 4, 1},
        {"2 cifre multiplier", &SheetController::Option1_Click, 1, 4, 2},
        {"3 cifre multiplier", &SheetController::Option1_Click, 2, 4, 3},
        {"unknown multiplicand member", &SheetController::Opt1_Click, 3, 4, 3},
        {"unknown multiplier member", &SheetController::Option1_Click, -1, 4, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.state.CifreMoltiplicando = 4;
        h.state.CifreMoltiplicatore = 3;
        h.state.UltimaOperazione = 9;
        h.controller.Command1_Click();
        h.state.TxtProdotto[20] = "untouched";
        h.state.TxtMoltiplicando[21] = "untouched";

        (h.controller.*c.click)(c.index);

        EXPECT_EQ(h.state.CifreMoltiplicando, c.multiplicandDigits);
        EXPECT_EQ(h.state.CifreMoltiplicatore, c.multiplierDigits);
        EXPECT_EQ(h.state.UltimaOperazione, 9);
        EXPECT_TRUE(h.display.stampaVisible) << "STAMPA stays as it was";
        for (std::int16_t i = 0; i < 20; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_TRUE(h.display.placeEmpty(i)) << "place " << i;
            EXPECT_EQ(h.state.TxtMoltiplicando[k] + h.state.TxtMoltiplicatore[k] + h.state.TxtParziale1[k]
                          + h.state.TxtParziale2[k] + h.state.TxtParziale3[k] + h.state.TxtProdotto[k],
                      "")
                << "rows of operation " << i;
        }
        EXPECT_EQ(h.state.TxtProdotto[20], "untouched");
        EXPECT_EQ(h.state.TxtMoltiplicando[21], "untouched");
    }
}

TEST(SheetController, EveryDigitClickEmptiesEvenWhenTheCountIsUnchanged)
{
    Harness h;
    h.controller.Command1_Click();
    ASSERT_FALSE(h.display.placeEmpty(0));
    h.controller.Opt1_Click(0);  // 2 digits, already in force
    EXPECT_TRUE(h.display.placeEmpty(0));
    EXPECT_EQ(h.state.TxtProdotto[0], "");

    h.controller.Command1_Click();
    h.controller.Option1_Click(0);  // 1 digit, already in force
    EXPECT_TRUE(h.display.placeEmpty(19));
}

TEST(SheetController, OperationCountOptionsChangeOnlyTheCount)
{
    Harness h;
    h.controller.Command1_Click();
    const auto rows = h.state.TxtProdotto;
    const auto captions = h.display.labels;
    const std::size_t callsBefore = h.display.calls.size();

    h.controller.Opt5_Click();
    EXPECT_EQ(h.state.UltimaOperazione, 9);
    h.controller.Opt10_Click();
    EXPECT_EQ(h.state.UltimaOperazione, 19);
    h.controller.Opt5_Click();
    EXPECT_EQ(h.state.UltimaOperazione, 9);

    EXPECT_EQ(h.display.calls.size(), callsBefore) << "the display is not touched";
    EXPECT_EQ(h.state.TxtProdotto, rows);
    EXPECT_FALSE(h.display.placeEmpty(19)) << "a 20-operation sheet stays on show after \"10 oper\"";

    h.controller.Command1_Click();
    for (std::int16_t i = 10; i < 20; ++i) EXPECT_TRUE(h.display.placeEmpty(i)) << "place " << i;
    h.controller.Opt10_Click();
    for (std::int16_t i = 10; i < 20; ++i) EXPECT_TRUE(h.display.placeEmpty(i)) << "until the next VISUALIZZA";
}

/// Checks that place i shows operation i of the state as the multiplier length asks.
void expectPlaceShowsOperation(FakeDisplay& d, const Modulo1& m, std::int16_t i)
{
    SCOPED_TRACE(testing::Message() << "place " << i << ", " << m.CifreMoltiplicatore << "-digit multiplier");
    const auto k = static_cast<std::size_t>(i);
    const auto digits = [](std::int32_t v) { return std::to_string(v); };
    EXPECT_EQ(d.at(LabelArray::Label1, i).caption, digits(m.ValMoltiplicando[k]));
    EXPECT_EQ(d.at(LabelArray::Label2, i).caption, digits(m.ValMoltiplicatore[k]));
    EXPECT_TRUE(d.at(LabelArray::lblPer, i).visible);
    EXPECT_TRUE(d.at(LabelArray::lblUguale, i).visible);
    EXPECT_TRUE(d.at(LabelArray::lblRiga1, i).visible);
    const bool partials = m.CifreMoltiplicatore > 1;
    EXPECT_EQ(d.at(LabelArray::lblRiga2, i).visible, partials);
    EXPECT_EQ(d.at(LabelArray::Label4, i).caption, digits(partials ? m.Parziale1[k] : m.Prodotto[k]));
    EXPECT_EQ(d.at(LabelArray::Label5, i).caption, partials ? digits(m.Parziale2[k]) : "");
    EXPECT_EQ(d.at(LabelArray::Label6, i).caption, m.CifreMoltiplicatore == 3 ? digits(m.Parziale3[k]) : "");
    EXPECT_EQ(d.at(LabelArray::Label8, i).caption, partials ? digits(m.Prodotto[k]) : "");
}

TEST(SheetController, VisualizzaShowsTheGeneratedSheetByMultiplierLength)
{
    for (const int cifreB : {1, 2, 3}) {
        for (const int last : {9, 19}) {
            Harness h;
            h.controller.Opt1_Click(2);
            h.controller.Option1_Click(static_cast<std::int16_t>(cifreB - 1));
            if (last == 9) h.controller.Opt5_Click();
            h.controller.Command1_Click();
            EXPECT_TRUE(h.display.stampaVisible);
            for (std::int16_t i = 0; i < 20; ++i) {
                if (i <= last) {
                    expectPlaceShowsOperation(h.display, h.state, i);
                } else {
                    EXPECT_TRUE(h.display.placeEmpty(i)) << "place " << i;
                }
            }
        }
    }
}

TEST(SheetController, VisualizzaRebuildsEveryPlaceFromScratch)
{
    // A 3-digit sheet of 20 followed by a 1-digit sheet of 10: nothing of the first may remain.
    Harness h;
    h.controller.Option1_Click(2);
    h.controller.Command1_Click();
    h.state.CifreMoltiplicatore = 1;  // as if chosen without the reset, to catch stale partial rows
    h.controller.Opt5_Click();
    h.controller.Command1_Click();
    for (std::int16_t i = 0; i < 20; ++i) {
        if (i <= 9) {
            expectPlaceShowsOperation(h.display, h.state, i);
        } else {
            EXPECT_TRUE(h.display.placeEmpty(i)) << "place " << i;
        }
    }
}

TEST(SheetController, ZeroPartialProductShowsAsTheSingleDigitZero)
{
    Modulo1 state;
    auto random = ScriptedRandomSource::fromDigits({2, 3, 0, 5, 1, 0, 4});  // 2305 x 104
    FakeDisplay display;
    FakeActions actions;
    SheetController controller(state, random, display, actions);
    controller.Form_Load();
    controller.Opt1_Click(2);
    controller.Option1_Click(2);
    controller.Command1_Click();
    EXPECT_EQ(display.at(LabelArray::Label4, 0).caption, "9220");
    EXPECT_EQ(display.at(LabelArray::Label5, 0).caption, "0");
    EXPECT_EQ(display.at(LabelArray::Label6, 0).caption, "2305");
    EXPECT_EQ(display.at(LabelArray::Label8, 0).caption, "239720");
}

TEST(SheetController, EsciShowsTheStartWindowThenUnloads)
{
    Harness h;
    h.controller.Option1_Click(2);
    h.actions.log.clear();
    h.controller.Command2_Click();
    EXPECT_EQ(h.actions.log, (std::vector<std::string>{"showStartWindow", "unloadWindow"}));
    EXPECT_EQ(h.state.CifreMoltiplicatore, 3) << "the settings keep their values until the next load";
    h.controller.Form_Load();
    EXPECT_EQ(h.state.CifreMoltiplicatore, 1);
}

}  // namespace
}  // namespace virdamo::ui
