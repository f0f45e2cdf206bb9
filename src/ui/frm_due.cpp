#include "ui/frm_due.h"

#include "texts/texts.h"
#include "worksheet/random_source.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetricsF>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QString>

#include <utility>

namespace virdamo::ui {

using namespace Qt::StringLiterals;

using forms::ButtonDesign;
using forms::Control;
using forms::LabelDesign;
using layout::TwipRect;
using texts::FontSpec;

namespace {

const QColor kWindowBackground(255, 255, 192);
const QColor kSidePanelBackground(255, 192, 255);
const QColor kGroupBackground(255, 192, 128);
const QColor kHeadingColor(128, 0, 0);
const QColor kDarkGrey(64, 64, 64);
const QColor kLineColor(255, 192, 128);

const FontSpec kDefaultFont{u"Verdana"_s, 8.25, false, false};
const FontSpec kRowFont{u"Courier"_s, 9.75, true, true};
const FontSpec kOptionFont{u"Verdana"_s, 9.75, true, false};
const FontSpec kHeadingFont{u"Verdana"_s, 15.75, true, false};
const FontSpec kVisualizzaFont{u"Arial"_s, 9.0, true, false};

ButtonDesign option(const char* caption)
{
    return ButtonDesign{QString::fromUtf8(caption), kOptionFont, kGroupBackground, true};
}

/// An option array of the side panel: its name and, member by member, place and caption.
struct OptionArray {
    const char* name;
    std::array<TwipRect, 3> geometry;
    std::array<const char*, 3> captions;
};

const OptionArray kMultiplicandOptions{
    "Opt1", {{{15, 105, 1605, 195}, {0, 450, 1605, 195}, {0, 750, 1605, 195}}}, {"2 cifre", "3 cifre", "4 cifre"}};
const OptionArray kMultiplierOptions{
    "Option1", {{{15, 45, 1545, 240}, {0, 405, 1545, 240}, {0, 825, 1545, 240}}}, {"1 cifre", "2 cifre", "3 cifre"}};

std::array<forms::OptionButton*, 3> addOptionArray(forms::Form& window, const OptionArray& design, Control* container)
{
    std::array<forms::OptionButton*, 3> members{};
    for (std::int16_t i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        members[k] = &window.addOption(QString::fromLatin1(design.name), i, container, design.geometry[k],
                                       option(design.captions[k]));
    }
    return members;
}

constexpr float kPlaceWidth = 2085.0F;
constexpr float kPlaceHeight = 1860.0F;

/// Left and top of each operation place; they run down the columns, four to a column.
constexpr std::array<std::pair<float, float>, FrmDue::kPlaces> kPlaceOrigins{{
    {15, 510},   {60, 2460},   {60, 4440},   {60, 6435},    //
    {2175, 480}, {2175, 2460}, {2175, 4440}, {2175, 6435},  //
    {4275, 480}, {4275, 2460}, {4275, 4440}, {4275, 6435},  //
    {6375, 480}, {6375, 2460}, {6375, 4440}, {6375, 6435},  //
    {8475, 480}, {8475, 2460}, {8475, 4455}, {8490, 6435},  //
}};

struct PlaceLabel {
    LabelArray array;
    TwipRect geometry;
    const char* caption;
    Qt::Alignment alignment;
};

/// The ten labels of a place, in the order they are created, with their design geometry.
constexpr std::array<PlaceLabel, 10> kPlaceLabels{{
    {LabelArray::Label1, {600, 30, 1170, 195}, "", Qt::AlignRight},
    {LabelArray::lblPer, {1815, 30, 225, 195}, "x", Qt::AlignHCenter},
    {LabelArray::Label2, {600, 255, 1170, 195}, "", Qt::AlignRight},
    {LabelArray::lblUguale, {1785, 255, 300, 195}, "=", Qt::AlignHCenter},
    // The rules stand on the bottom of their labels, so that no face's ascent or descent
    // can push the stroke out of the label and clip it away.
    {LabelArray::lblRiga1, {825, 375, 1170, 195}, "_______", Qt::AlignRight | Qt::AlignBottom},
    {LabelArray::Label4, {600, 645, 1170, 240}, "", Qt::AlignRight},
    {LabelArray::Label5, {540, 900, 1170, 240}, "", Qt::AlignRight},
    {LabelArray::Label6, {450, 1155, 1170, 240}, "", Qt::AlignRight},
    {LabelArray::lblRiga2, {615, 1305, 1350, 270}, "_________________", Qt::AlignRight | Qt::AlignBottom},
    {LabelArray::Label8, {-510, 1575, 2235, 270}, "", Qt::AlignRight},
}};

/// Members whose geometry differs from the common design of their array.
TwipRect placeLabelGeometry(LabelArray array, std::int16_t i, TwipRect design)
{
    if (array == LabelArray::lblRiga1 && i == 19) {
        return {825, 390, 1170, 195};
    }
    if (array == LabelArray::Label8) {
        switch (i) {
        case 0:
        case 4:
        case 8:
        case 12:
        case 16: return {0, 1575, 1770, 270};
        case 1:
        case 5:
        case 17: return {120, 1575, 1695, 270};
        case 9: return {120, 1590, 1695, 270};
        case 13: return {120, 1575, 1590, 270};
        default: break;
        }
    }
    return design;
}

/// Text colour of a place label; none means the system text colour.
std::optional<QColor> placeLabelColor(LabelArray array, std::int16_t i)
{
    switch (array) {
    case LabelArray::lblPer:
    case LabelArray::lblUguale: return kDarkGrey;
    case LabelArray::Label1:
    case LabelArray::Label2: return (i == 3 || i == 7) ? std::nullopt : std::optional<QColor>(kDarkGrey);
    case LabelArray::lblRiga1: return i == 3 ? std::nullopt : std::optional<QColor>(kDarkGrey);
    case LabelArray::Label4:
        return (i == 11 || i == 15 || i == 16 || i == 19) ? std::optional<QColor>(kDarkGrey) : std::nullopt;
    default: return std::nullopt;
    }
}

std::size_t slot(LabelArray array)
{
    return static_cast<std::size_t>(array);
}

/// The number rows of a place and how many columns left of the units column each ends:
/// the partial products shift one column left per digit of the multiplier, as written by hand.
constexpr std::array<std::pair<LabelArray, int>, 6> kRowShifts{{
    {LabelArray::Label1, 0},
    {LabelArray::Label2, 0},
    {LabelArray::Label4, 0},
    {LabelArray::Label5, 1},
    {LabelArray::Label6, 2},
    {LabelArray::Label8, 0},
}};

}  // namespace

/// Connects the controller to this window: the display, the layout, and the lifecycle.
class FrmDue::Bridge final : public SheetDisplay, public WindowActions {
public:
    explicit Bridge(FrmDue& window)
        : window_(window)
    {
    }

    void setCaption(LabelArray array, std::int16_t index, const std::string& caption) override
    {
        window_.place(array, index).setCaption(QString::fromStdString(caption));
        if (array == LabelArray::Label1) {
            // A place shows an operation while it shows its multiplicand.
            window_.frames_[static_cast<std::size_t>(index)]->widget()->setToolTip(
                caption.empty() ? QString() : texts::kLavagnaPlaceTip);
        }
    }
    void setVisible(LabelArray array, std::int16_t index, bool visible) override
    {
        window_.place(array, index).setVisible(visible);
    }
    void setStampaVisible(bool visible) override
    {
        // The class sheets and the whiteboard start from the sheet on show, so they come and
        // go with "STAMPA".
        window_.cmdStampa_->setVisible(visible);
        window_.cmdClasse_->setVisible(visible);
        window_.cmdLavagna_->setVisible(visible);
    }

    void recordLayout() override { window_.recordControlRatios(); }
    void showStartWindow() override { emit window_.startWindowRequested(); }
    void unloadWindow() override { window_.unload(); }

private:
    FrmDue& window_;
};

FrmDue::FrmDue(Modulo1& state, RandomSource& random)
    : Form(forms::FormDesign{u"Visualizzazione scheda delle moltiplicazioni"_s, kDesignWidth, kDesignHeight,
                             kWindowBackground, kDefaultFont})
    , state_(state)
    , random_(random)
    , bridge_(std::make_unique<Bridge>(*this))
    , controller_(std::make_unique<SheetController>(state, random, *bridge_, *bridge_))
{
    addLabel(u"Label4"_s, 22, nullptr, {15, 0, 11955, 480},
             LabelDesign{u"STAMPA SCHEDE DELLE MOLTIPLICAZIONI"_s, kHeadingFont, Qt::AlignHCenter, kHeadingColor,
                         std::nullopt});
    for (std::int16_t i = 0; i < kPlaces; ++i) {
        buildPlace(i);
    }
    buildSidePanel();
    connectEvents();
}

FrmDue::~FrmDue() = default;

void FrmDue::buildPlace(std::int16_t i)
{
    const auto [left, top] = kPlaceOrigins[static_cast<std::size_t>(i)];
    Control* frame = &addFrame(u"Frame3"_s, i, nullptr, {left, top, kPlaceWidth, kPlaceHeight}, kWindowBackground);
    frames_[static_cast<std::size_t>(i)] = frame;
    // Its labels let the mouse through: a double click anywhere on the place reaches it.
    frame->widget()->installEventFilter(this);
    for (const PlaceLabel& design : kPlaceLabels) {
        LabelDesign look{QString::fromLatin1(design.caption), kRowFont, design.alignment,
                         placeLabelColor(design.array, i), std::nullopt};
        if (design.array == LabelArray::lblRiga2) {
            look.font.reset();  // the long rule uses the window's default font
        }
        places_[slot(design.array)][static_cast<std::size_t>(i)] =
            &addLabel(QString::fromLatin1(labelArrayName(design.array)), i, frame,
                      placeLabelGeometry(design.array, i, design.geometry), look);
    }
}

void FrmDue::buildSidePanel()
{
    Control* panel = &addFrame(u"Frame1"_s, forms::kNoIndex, nullptr, {10650, 420, 1245, 8205}, kSidePanelBackground);
    Control* multiplicand = &addFrame(u"Frame2"_s, forms::kNoIndex, panel, {45, 195, 1095, 1065}, kGroupBackground);
    opt1_ = addOptionArray(*this, kMultiplicandOptions, multiplicand);
    Control* multiplier = &addFrame(u"Frame4"_s, forms::kNoIndex, panel, {45, 1455, 1140, 1080}, kGroupBackground);
    option1_ = addOptionArray(*this, kMultiplierOptions, multiplier);

    Control* operations = &addFrame(u"Frame5"_s, forms::kNoIndex, panel, {45, 2760, 1140, 930}, kGroupBackground);
    opt5_ = &addOption(u"Opt5"_s, forms::kNoIndex, operations, {15, 90, 2010, 255}, option("10 oper"));
    opt10_ = &addOption(u"Opt10"_s, forms::kNoIndex, operations, {15, 360, 2040, 330}, option("20 oper"));

    command1_ = &addCommandButton(u"Command1"_s, forms::kNoIndex, panel, {30, 3960, 1215, 765},
                                  ButtonDesign{u"VISUALIZZA"_s, kVisualizzaFont, kGroupBackground, true});
    cmdStampa_ = &addCommandButton(u"cmdStampa"_s, forms::kNoIndex, panel, {15, 4905, 1215, 765},
                                   ButtonDesign{u"STAMPA"_s, kOptionFont, kGroupBackground, false});
    command2_ = &addCommandButton(u"Command2"_s, forms::kNoIndex, panel, {15, 5805, 1215, 765},
                                  ButtonDesign{u"ESCI"_s, kOptionFont, kGroupBackground, true});
    cmdClasse_ = &addCommandButton(u"cmdClasse"_s, forms::kNoIndex, panel, {15, 6705, 1215, 765},
                                   ButtonDesign{u"CLASSE"_s, kOptionFont, kGroupBackground, false});
    cmdLavagna_ = &addCommandButton(u"cmdLavagna"_s, forms::kNoIndex, panel, {15, 7605, 1215, 555},
                                    ButtonDesign{u"LAVAGNA"_s, kOptionFont, kGroupBackground, false});
    cmdLavagna_->widget()->setToolTip(texts::kLavagnaCommandTip);

    // Drawn on the window under the side panel; the layout never moves it.
    addLine(u"Line5"_s, forms::kNoIndex, nullptr,
            forms::LineDesign{QPointF(11865, 525), QPointF(11850, 6105), kLineColor, 3});

    // The marks agree with the settings that the load puts in force.
    opt1_[0]->setChecked(true);
    option1_[0]->setChecked(true);
    opt10_->setChecked(true);

    setTabOrder({command1_, command2_, cmdClasse_, cmdLavagna_, opt1_[0], opt1_[1], opt1_[2], opt10_, opt5_, cmdStampa_,
                 option1_[0], option1_[1], option1_[2]});
    // The window opens with the focus on "VISUALIZZA", the first stop of that order.
    command1_->widget()->setFocus();
}

void FrmDue::connectEvents()
{
    for (std::int16_t i = 0; i <= 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        opt1_[k]->onClick([this, i] {
            controller_->Opt1_Click(i);
            shownSheet_.reset();
        });
        option1_[k]->onClick([this, i] {
            controller_->Option1_Click(i);
            shownSheet_.reset();
        });
    }
    opt5_->onClick([this] { controller_->Opt5_Click(); });
    opt10_->onClick([this] { controller_->Opt10_Click(); });
    command1_->onClick([this] {
        controller_->Command1_Click();
        rememberShownSheet();
    });
    command2_->onClick([this] { controller_->Command2_Click(); });
    cmdStampa_->onClick([this] { emit printRequested(); });
    cmdClasse_->onClick([this] { emit classSheetsRequested(); });
    cmdLavagna_->onClick([this] {
        if (showsOperation(0)) requestLavagna(0);
    });

    // Escape leaves the window as "ESCI" does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, command2_->button(), &QAbstractButton::click);
}

forms::Label& FrmDue::place(LabelArray array, std::int16_t index) const
{
    if (index < 0 || index >= kPlaces) {
        throw std::out_of_range("operation place index out of range");
    }
    return *places_[slot(array)][static_cast<std::size_t>(index)];
}

void FrmDue::showSheet(const SheetCode& code)
{
    runCommand([&] {
        opt1_.at(static_cast<std::size_t>(code.multiplicandDigits - 2))->setChecked(true);
        option1_.at(static_cast<std::size_t>(code.multiplierDigits - 1))->setChecked(true);
        (code.operations() == 10 ? opt5_ : opt10_)->setChecked(true);
        controller_->showSheet(code);
        shownSheet_ = code;
    });
}

void FrmDue::requestLavagna(int i)
{
    const auto k = static_cast<std::size_t>(i);
    emit lavagnaRequested(state_.ValMoltiplicando[k], state_.ValMoltiplicatore[k]);
}

bool FrmDue::showsOperation(int i) const
{
    return !place(LabelArray::Label1, static_cast<std::int16_t>(i)).caption().isEmpty();
}

bool FrmDue::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < kPlaces; ++i) {
            if (frames_[static_cast<std::size_t>(i)]->widget() == watched && showsOperation(i)) {
                requestLavagna(i);
                return true;
            }
        }
    }
    return Form::eventFilter(watched, event);
}

void FrmDue::rememberShownSheet()
{
    // The settings are read after the generation, which does not change them.
    const std::optional<std::uint64_t> seed = random_.seed();
    shownSheet_ = seed ? codeOfSheet(state_, *seed) : std::nullopt;
}

void FrmDue::Form_Load()
{
    controller_->Form_Load();
}

void FrmDue::Form_Resize()
{
    applyControlRatios();
    alignRows();
}

void FrmDue::alignRows()
{
    // The boxes scale with the window, the face does not: the rows are put digit under
    // digit again after every resize, the units on the right edge of the first row under
    // the rule and each partial product one character advance further left than the last.
    const QLabel* sample = place(LabelArray::Label4, 0).label();
    const qreal advance = QFontMetricsF(sample->font(), sample).horizontalAdvance(QLatin1Char('0'));
    for (std::int16_t i = 0; i < kPlaces; ++i) {
        const QRect units = place(LabelArray::Label4, i).pixelBox();
        const qreal column = units.x() + units.width();
        for (const auto& [array, shift] : kRowShifts) {
            place(array, i).anchorTextRight(column - shift * advance);
        }
    }
}

}  // namespace virdamo::ui
