#pragma once

#include "forms/form.h"
#include "ui/sheet_controller.h"

#include <array>
#include <functional>
#include <memory>

namespace virdamo {

struct Modulo1;
class RandomSource;

namespace ui {

/// What the worksheet window needs from the application around it.
struct FrmDueHooks {
    std::function<void()> showStartWindow;  ///< "ESCI": bring the start window to the front
    std::function<void()> cmdStampa_Click;  ///< "STAMPA": print the sheet in the worksheet state
};

/// The worksheet window "Visualizzazione scheda delle moltiplicazioni": the side panel with
/// the three option groups and the three commands, and the twenty operation places.
class FrmDue final : public forms::Form {
    Q_OBJECT

public:
    static constexpr float kDesignWidth = 11910.0F;  ///< twips
    static constexpr float kDesignHeight = 8640.0F;  ///< twips
    static constexpr int kPlaces = 20;

    FrmDue(Modulo1& state, RandomSource& random, FrmDueHooks hooks);
    ~FrmDue() override;

    /// Member index of a label array in the operation places.
    [[nodiscard]] forms::Label& place(LabelArray array, std::int16_t index) const;
    [[nodiscard]] SheetController& controller() { return *controller_; }

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    class Bridge;

    void buildPlace(std::int16_t i);
    void buildSidePanel();
    void connectEvents();

    FrmDueHooks hooks_;
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<SheetController> controller_;
    std::array<std::array<forms::Label*, kPlaces>, kLabelArrays.size()> places_{};
};

}  // namespace ui
}  // namespace virdamo
