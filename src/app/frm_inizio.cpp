#include "app/frm_inizio.h"

#include "app/version.h"
#include "layout/load_step.h"

namespace virdamo::app {

using namespace Qt::StringLiterals;

using forms::ButtonDesign;
using forms::Control;
using forms::kNoIndex;
using forms::LabelDesign;
using forms::ShapeDesign;
using layout::skippingFailure;
using texts::FontSpec;

namespace {

const QColor kWindowBackground(255, 224, 192);
const QColor kButtonFace(255, 192, 128);
const QColor kPanelLight(128, 255, 255);
const QColor kPanelShadow(0, 192, 192);
const QColor kBlue(0, 0, 192);
const QColor kDarkRed(192, 0, 0);
const QColor kRed(255, 0, 0);

const FontSpec kDefaultFont{u"Verdana"_s, 8.25, false, false};
const FontSpec kTitleFont{u"Arial"_s, 24.0, true, false};
const FontSpec kSubtitleFont{u"Arial"_s, 12.0, true, false};
const FontSpec kDescriptionFont{u"Verdana"_s, 18.0, true, false};
const FontSpec kCommandFont{u"Verdana"_s, 15.75, true, false};
const FontSpec kCreditFont{u"Arial"_s, 14.25, true, false};

}  // namespace

FrmInizio::FrmInizio()
    : Form(forms::FormDesign{u"Stampa virdamo"_s, kDesignWidth, kDesignHeight, kWindowBackground, kDefaultFont})
{
    buildBanner();
    buildBody();
}

FrmInizio::~FrmInizio() = default;

void FrmInizio::buildBanner()
{
    banner_ = &addFrame(u"Frame1"_s, kNoIndex, nullptr, {0, 0, 11805, 2460}, kWindowBackground);

    Control* title = &addLabel(u"Label11"_s, kNoIndex, banner_, {375, 480, 6960, 1050},
                               LabelDesign{u"VIRDAMO"_s, kTitleFont, Qt::AlignHCenter, kBlue, kPanelLight});
    Control* subtitle = &addLabel(u"Label10"_s, kNoIndex, banner_, {375, 1575, 6945, 360},
                                  LabelDesign{u"STAMPA SCHEDE CARTACEE CON NUMERI INTERI"_s, kSubtitleFont,
                                              Qt::AlignHCenter, kBlue, std::nullopt});
    label6_ = &addLabel(u"Label6"_s, kNoIndex, banner_, {8310, 540, 2880, 1140},
                        LabelDesign{u"as"_s, kSubtitleFont, Qt::AlignLeft, kRed, std::nullopt});

    Control& shape2 = addShape(u"Shape2"_s, kNoIndex, banner_, {45, 315, 7920, 1875}, ShapeDesign{kPanelLight, 1});
    Control& shape1 = addShape(u"Shape1"_s, kNoIndex, banner_, {90, 315, 7980, 1920}, ShapeDesign{kPanelShadow, 2});
    Control& shape3 = addShape(u"Shape3"_s, kNoIndex, banner_, {8145, 375, 3120, 1875}, ShapeDesign{kPanelLight, 1});
    Control& shape5 = addShape(u"Shape5"_s, kNoIndex, banner_, {8175, 345, 3180, 1935}, ShapeDesign{kBlue, 1});

    // Each lower shape shows only as an edge beside its upper one (a shadow on the left,
    // a dark frame on the right), and the texts lie on top of the panels.
    for (Control* control : {&shape1, &shape5, &shape2, &shape3, title, subtitle, static_cast<Control*>(label6_)}) {
        control->bringToFront();
    }
}

void FrmInizio::buildBody()
{
    label2_ = &addLabel(u"Label2"_s, kNoIndex, nullptr, {630, 2565, 10875, 675},
                        LabelDesign{u"Label1"_s, kDescriptionFont, Qt::AlignLeft, kDarkRed, std::nullopt});
    label3_ = &addLabel(u"Label3"_s, kNoIndex, nullptr, {660, 3345, 10875, 720},
                        LabelDesign{u"Label1"_s, kDescriptionFont, Qt::AlignLeft, kDarkRed, std::nullopt});

    auto& enter = addCommandButton(u"Command1"_s, kNoIndex, nullptr, {4665, 5340, 3900, 735},
                                   ButtonDesign{u"E N T R A"_s, kCommandFont, kButtonFace, true});
    auto& leave = addCommandButton(u"Command2"_s, kNoIndex, nullptr, {4665, 6135, 3900, 735},
                                   ButtonDesign{u"E S C I"_s, kCommandFont, kButtonFace, true});

    // Runs 90 twips past the inner width, so the strip is cut at the right edge.
    addLabel(u"Label5"_s, kNoIndex, nullptr, {0, 7620, 12000, 345},
             LabelDesign{u"Il nuovo software di Brenzio"_s, kCreditFont, Qt::AlignHCenter, kDarkRed, kButtonFace});

    // Left over from the design and hidden under the banner; nothing sets them.
    addLabel(u"Label9"_s, kNoIndex, nullptr, {10185, 240, 1290, 510},
             LabelDesign{u"Ver 1.1"_s, std::nullopt, Qt::AlignLeft, std::nullopt, std::nullopt});
    addLabel(u"Label1"_s, kNoIndex, nullptr, {75, 1980, 10875, 525},
             LabelDesign{u"Label1"_s, kDescriptionFont, Qt::AlignLeft, kDarkRed, std::nullopt});
    banner_->bringToFront();

    enter.onClick([this] { Command1_Click(); });
    leave.onClick([this] { Command2_Click(); });
    setTabOrder({&enter, &leave});
    enter.widget()->setFocus();
}

void FrmInizio::Form_Load()
{
    label6_->setCaption(u"Ver. "_s + QString::fromLatin1(kVersion));
    recordControlRatios();
    // From the recording to the end of the load, a failing statement is skipped.
    skippingFailure([&] { firstDescription_ = u"Programma per la stampa di schede cartacee"_s; });
    skippingFailure([&] { secondDescription_ = u"Moltiplicazioni con numeri interi già eseguite ."_s; });
    skippingFailure([&] { label2_->setCaption(firstDescription_); });
    skippingFailure([&] { label3_->setCaption(secondDescription_); });
}

void FrmInizio::Form_Resize()
{
    applyControlRatios();
}

void FrmInizio::Form_Unload()
{
    emit worksheetWindowUnloadRequested();
}

void FrmInizio::Command1_Click()
{
    emit worksheetWindowRequested();
}

void FrmInizio::Command2_Click()
{
    emit worksheetWindowUnloadRequested();
    unload();
}

}  // namespace virdamo::app
