#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace virdamo {

struct Modulo1;
class RandomSource;
struct SheetCode;

namespace ui {

/// The ten label arrays of the twenty operation places; member i belongs to operation i.
enum class LabelArray { Label1, Label2, Label4, Label5, Label6, Label8, lblPer, lblUguale, lblRiga1, lblRiga2 };

inline constexpr std::array<LabelArray, 10> kLabelArrays{
    LabelArray::Label1, LabelArray::Label2, LabelArray::Label4,    LabelArray::Label5,   LabelArray::Label6,
    LabelArray::Label8, LabelArray::lblPer, LabelArray::lblUguale, LabelArray::lblRiga1, LabelArray::lblRiga2};

/// The control name of a label array ("Label1", "lblPer", ...).
[[nodiscard]] const char* labelArrayName(LabelArray array);

/// What the worksheet window shows, as the controller drives it.
class SheetDisplay {
public:
    virtual ~SheetDisplay() = default;

    virtual void setCaption(LabelArray array, std::int16_t index, const std::string& caption) = 0;
    virtual void setVisible(LabelArray array, std::int16_t index, bool visible) = 0;
    /// Shows or hides the "STAMPA" command.
    virtual void setStampaVisible(bool visible) = 0;
};

/// What the controller asks of the window and of the application around it.
class WindowActions {
public:
    virtual ~WindowActions() = default;

    /// Records the proportional layout of the window's controls.
    virtual void recordLayout() = 0;
    /// Shows the start window in front, loading it first if needed.
    virtual void showStartWindow() = 0;
    /// Unloads the worksheet window.
    virtual void unloadWindow() = 0;
};

/// The settings, reset and display logic of the worksheet window, one operation per event.
/// It needs no window: it works on the worksheet state and on the two interfaces above.
class SheetController {
public:
    SheetController(Modulo1& state, RandomSource& random, SheetDisplay& display, WindowActions& actions);

    /// Load: records the layout, then empties the display and sets the settings to 2, 1,
    /// 19 and 20 blanks; from the recording on, a failing statement is skipped.
    void Form_Load();
    /// Multiplicand group: empties the sheet and sets 2, 3 or 4 digits for index 0, 1, 2.
    void Opt1_Click(std::int16_t Index);
    /// Multiplier group: empties the sheet and sets 1, 2 or 3 digits for index 0, 1, 2.
    void Option1_Click(std::int16_t Index);
    /// "10 oper": the next sheet has operations 0 to 9.
    void Opt5_Click();
    /// "20 oper": the next sheet has operations 0 to 19.
    void Opt10_Click();
    /// "ESCI": shows the start window and unloads the worksheet window.
    void Command2_Click();
    /// "VISUALIZZA": shows "STAMPA", empties the places, generates a sheet and shows it.
    void Command1_Click();
    /// Shows the sheet of code as "VISUALIZZA" shows a new one, its settings in force.
    void showSheet(const SheetCode& code);

private:
    void emptySheet();
    /// "STAMPA" shown and every place emptied: what comes before a new sheet is drawn.
    void beginSheet();
    void emptyPlace(std::int16_t i);
    void MostraScheda();

    Modulo1& state_;
    RandomSource& random_;
    SheetDisplay& display_;
    WindowActions& actions_;
};

}  // namespace ui
}  // namespace virdamo
