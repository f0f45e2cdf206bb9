#pragma once

#include "forms/form.h"
#include "ui/sheet_controller.h"
#include "worksheet/modulo1.h"
#include "worksheet/sheet_code.h"

#include <array>
#include <memory>
#include <optional>

namespace virdamo {

class RandomSource;

namespace ui {

/// The worksheet window "Visualizzazione scheda delle moltiplicazioni": the side panel with
/// the three option groups and the three commands, and the twenty operation places. The
/// commands that reach beyond the window are announced as signals.
class FrmDue final : public forms::Form {
    Q_OBJECT

public:
    static constexpr float kDesignWidth = 11910.0F;  ///< twips
    static constexpr float kDesignHeight = 8640.0F;  ///< twips
    static constexpr int kPlaces = Modulo1::kOperations;

    FrmDue(Modulo1& state, RandomSource& random);
    ~FrmDue() override;

    /// Member index of a label array in the operation places.
    [[nodiscard]] forms::Label& place(LabelArray array, std::int16_t index) const;
    [[nodiscard]] SheetController& controller() { return *controller_; }
    /// The "STAMPA" command, hidden until the first "VISUALIZZA".
    [[nodiscard]] forms::CommandButton& cmdStampa() const { return *cmdStampa_; }
    /// True when the place of operation i (0 to 19) shows an operation.
    [[nodiscard]] bool showsOperation(int i) const;
    /// The code of the sheet on show: the settings it was drawn with and its seed; none
    /// before the first "VISUALIZZA", after a digit option emptied the display, or when
    /// the window's random source cannot be replayed.
    [[nodiscard]] const std::optional<SheetCode>& shownSheet() const { return shownSheet_; }
    /// Shows the sheet of code, its settings marked in the side panel, as a command of the window.
    void showSheet(const SheetCode& code);

signals:
    /// "ESCI": the start window is to come to the front; the window then unloads itself.
    void startWindowRequested();
    /// "STAMPA": the sheet held in the worksheet state is to be printed.
    void printRequested();
    /// "CLASSE": sheets for the whole class are to be made, starting from the sheet on show.
    void classSheetsRequested();
    /// A double click on the place of operation (0 to 19) on show, or "LAVAGNA" for the first:
    /// multiplicand x multiplier, that operation of the sheet, is to be worked out on the
    /// whiteboard.
    void lavagnaRequested(std::int32_t multiplicand, std::int32_t multiplier);

protected:
    void Form_Load() override;
    void Form_Resize() override;
    /// A double click on an operation's place asks for it on the whiteboard.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Asks for operation i of the state on the whiteboard.
    void requestLavagna(int i);
    class Bridge;

    void buildPlace(std::int16_t i);
    void buildSidePanel();
    void connectEvents();
    void alignRows();
    void rememberShownSheet();

    Modulo1& state_;
    RandomSource& random_;
    std::optional<SheetCode> shownSheet_;
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<SheetController> controller_;
    std::array<std::array<forms::Label*, kPlaces>, kLabelArrays.size()> places_{};
    std::array<forms::Control*, kPlaces> frames_{};  ///< the places, "Frame3"
    std::array<forms::OptionButton*, 3> opt1_{};     ///< multiplicand digits: 2, 3, 4
    std::array<forms::OptionButton*, 3> option1_{};  ///< multiplier digits: 1, 2, 3
    forms::OptionButton* opt5_ = nullptr;            ///< "10 oper"
    forms::OptionButton* opt10_ = nullptr;           ///< "20 oper"
    forms::CommandButton* command1_ = nullptr;       ///< "VISUALIZZA"
    forms::CommandButton* cmdStampa_ = nullptr;      ///< "STAMPA"
    forms::CommandButton* command2_ = nullptr;       ///< "ESCI"
    forms::CommandButton* cmdClasse_ = nullptr;      ///< "CLASSE": sheets for the whole class
    forms::CommandButton* cmdLavagna_ = nullptr;     ///< "LAVAGNA": the first operation on the whiteboard
};

}  // namespace ui
}  // namespace virdamo
