#pragma once

#include "forms/form.h"

namespace virdamo::app {

/// The start window "Stampa virdamo": the banner, the two description lines, the credit
/// strip and the two commands that open the worksheet window and end the program. What
/// reaches beyond the window is announced as signals.
class FrmInizio final : public forms::Form {
    Q_OBJECT

public:
    static constexpr float kDesignWidth = 11910.0F;  ///< twips
    static constexpr float kDesignHeight = 8640.0F;  ///< twips

    FrmInizio();
    ~FrmInizio() override;

signals:
    /// "E N T R A": the worksheet window is to be loaded if needed and shown in front.
    void worksheetWindowRequested();
    /// "E S C I" or the start window's unload: the worksheet window is to be unloaded if loaded.
    void worksheetWindowUnloadRequested();

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

    forms::Control* banner_ = nullptr;  ///< Frame1
    forms::Label* label6_ = nullptr;    ///< the version
    forms::Label* label2_ = nullptr;    ///< first description line
    forms::Label* label3_ = nullptr;    ///< second description line
    // The description texts, kept by the window and copied into Label2 and Label3.
    QString firstDescription_;
    QString secondDescription_;
};

}  // namespace virdamo::app
