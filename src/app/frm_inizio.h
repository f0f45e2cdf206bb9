#pragma once

#include "forms/form.h"

#include <functional>

namespace virdamo::app {

/// What the start window asks of the application around it.
struct FrmInizioHooks {
    /// "E N T R A": loads the worksheet window if it is not loaded and shows it in front.
    std::function<void()> showWorksheetWindow;
    /// Unloads the worksheet window if it is loaded.
    std::function<void()> unloadWorksheetWindow;
};

/// The start window "Stampa virdamo": the banner, the two description lines, the credit
/// strip and the two commands that open the worksheet window and end the program.
class FrmInizio final : public forms::Form {
    Q_OBJECT

public:
    static constexpr float kDesignWidth = 11910.0F;  ///< twips
    static constexpr float kDesignHeight = 8640.0F;  ///< twips

    explicit FrmInizio(FrmInizioHooks hooks);
    ~FrmInizio() override;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    /// Takes the worksheet window with it: the start window never stays behind alone.
    void Form_Unload() override;

private:
    void buildBanner();
    void buildBody();

    void Command1_Click();
    void Command2_Click();

    FrmInizioHooks hooks_;
    // The description texts, kept by the window and copied into Label2 and Label3.
    QString firstDescription_;
    QString secondDescription_;
};

}  // namespace virdamo::app
