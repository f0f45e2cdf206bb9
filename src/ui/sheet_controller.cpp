#include "ui/sheet_controller.h"

#include "worksheet/sheet_code.h"

#include "layout/load_step.h"
#include "worksheet/genera_scheda.h"
#include "worksheet/modulo1.h"

#include <string>

namespace virdamo::ui {

using layout::skippingFailure;

namespace {

constexpr std::int16_t kLastPlace = 19;

std::string digitsOf(std::int32_t value)
{
    return std::to_string(value);
}

}  // namespace

const char* labelArrayName(LabelArray array)
{
    switch (array) {
    case LabelArray::Label1: return "Label1";
    case LabelArray::Label2: return "Label2";
    case LabelArray::Label4: return "Label4";
    case LabelArray::Label5: return "Label5";
    case LabelArray::Label6: return "Label6";
    case LabelArray::Label8: return "Label8";
    case LabelArray::lblPer: return "lblPer";
    case LabelArray::lblUguale: return "lblUguale";
    case LabelArray::lblRiga1: return "lblRiga1";
    case LabelArray::lblRiga2: return "lblRiga2";
    }
    return "";
}

SheetController::SheetController(Modulo1& state, RandomSource& random, SheetDisplay& display, WindowActions& actions)
    : state_(state)
    , random_(random)
    , display_(display)
    , actions_(actions)
{
}

void SheetController::Form_Load()
{
    skippingFailure([&] { actions_.recordLayout(); });
    for (std::int16_t i = 0; i <= kLastPlace; ++i) {
        skippingFailure([&] { display_.setCaption(LabelArray::Label1, i, ""); });
        skippingFailure([&] { display_.setVisible(LabelArray::lblRiga1, i, false); });
        skippingFailure([&] { display_.setVisible(LabelArray::lblRiga2, i, false); });
        skippingFailure([&] { display_.setVisible(LabelArray::lblPer, i, false); });
        skippingFailure([&] { display_.setVisible(LabelArray::lblUguale, i, false); });
    }
    state_.UltimaOperazione = 19;
    state_.CifreMoltiplicando = 2;
    state_.CifreMoltiplicatore = 1;
    state_.Spazi = std::string(Modulo1::kSpaziLength, ' ');
}

void SheetController::emptyPlace(std::int16_t i)
{
    display_.setCaption(LabelArray::Label1, i, "");
    display_.setVisible(LabelArray::lblRiga1, i, false);
    display_.setVisible(LabelArray::lblRiga2, i, false);
    display_.setVisible(LabelArray::lblPer, i, false);
    display_.setVisible(LabelArray::lblUguale, i, false);
    display_.setCaption(LabelArray::Label2, i, "");
    display_.setCaption(LabelArray::Label4, i, "");
    display_.setCaption(LabelArray::Label5, i, "");
    display_.setCaption(LabelArray::Label6, i, "");
    display_.setCaption(LabelArray::Label8, i, "");
}

void SheetController::emptySheet()
{
    for (std::int16_t i = 0; i <= kLastPlace; ++i) {
        emptyPlace(i);
    }
    state_.clearTextRows();
}

void SheetController::Opt1_Click(std::int16_t Index)
{
    emptySheet();
    if (Index >= 0 && Index <= 2) {
        state_.CifreMoltiplicando = static_cast<std::int16_t>(Index + 2);
    }
}

void SheetController::Option1_Click(std::int16_t Index)
{
    emptySheet();
    if (Index >= 0 && Index <= 2) {
        state_.CifreMoltiplicatore = static_cast<std::int16_t>(Index + 1);
    }
}

void SheetController::Opt5_Click()
{
    state_.UltimaOperazione = 9;
}

void SheetController::Opt10_Click()
{
    state_.UltimaOperazione = 19;
}

void SheetController::Command2_Click()
{
    actions_.showStartWindow();
    actions_.unloadWindow();
}

void SheetController::Command1_Click()
{
    beginSheet();
    GeneraScheda(state_, random_);
    MostraScheda();
}

void SheetController::showSheet(const SheetCode& code)
{
    beginSheet();
    makeSheet(code, state_);
    MostraScheda();
}

void SheetController::beginSheet()
{
    display_.setStampaVisible(true);
    for (std::int16_t i = 0; i <= kLastPlace; ++i) {
        emptyPlace(i);
    }
}

void SheetController::MostraScheda()
{
    for (std::int16_t i = 0; i <= state_.UltimaOperazione && i <= kLastPlace; ++i) {
        const auto k = static_cast<std::size_t>(i);
        display_.setCaption(LabelArray::Label1, i, digitsOf(state_.ValMoltiplicando[k]));
        display_.setCaption(LabelArray::Label2, i, digitsOf(state_.ValMoltiplicatore[k]));
        display_.setVisible(LabelArray::lblPer, i, true);
        display_.setVisible(LabelArray::lblUguale, i, true);
        const int cifre = state_.CifreMoltiplicatore;
        if (cifre == 1) {
            display_.setCaption(LabelArray::Label4, i, digitsOf(state_.Prodotto[k]));
            display_.setVisible(LabelArray::lblRiga1, i, true);
        } else if (cifre == 2 || cifre == 3) {
            display_.setCaption(LabelArray::Label4, i, digitsOf(state_.Parziale1[k]));
            display_.setCaption(LabelArray::Label5, i, digitsOf(state_.Parziale2[k]));
            if (cifre == 3) {
                display_.setCaption(LabelArray::Label6, i, digitsOf(state_.Parziale3[k]));
            }
            display_.setCaption(LabelArray::Label8, i, digitsOf(state_.Prodotto[k]));
            display_.setVisible(LabelArray::lblRiga1, i, true);
            display_.setVisible(LabelArray::lblRiga2, i, true);
        }
    }
}

}  // namespace virdamo::ui
