#pragma once

#include "forms/form.h"
#include "worksheet/steps.h"
#include "worksheet/worked_operation.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace virdamo::ui {

/// Draws another operation for the board: its multiplicand and multiplier.
using OperationSource = std::function<std::pair<std::int32_t, std::int32_t>()>;

/// The window "Lavagna": one operation on squares, as large as the class whiteboard allows,
/// worked out step by step with what each step says, back and forth; in "Prova tu" a pupil
/// types each digit the steps write, and only right ones are written.
class Lavagna final : public forms::Form {
    Q_OBJECT

public:
    /// True for the operations the board works out: multiplicand 10 to 9999, multiplier 1 to
    /// 999, each with fewer decimals than digits, at most 3 and 2.
    [[nodiscard]] static bool canWorkOut(std::int32_t multiplicand, std::int32_t multiplier,
                                         int multiplicandDecimals = 0, int multiplierDecimals = 0);

    /// Opens on multiplicand x multiplier (canWorkOut) at its first step; "Nuova" puts the
    /// operation another draws on the board, with the same decimals.
    /// conventions: how the class writes the empty places, the row of a 0 and a 9 in the cross.
    Lavagna(std::int32_t multiplicand, std::int32_t multiplier, OperationSource another,
            const Conventions& conventions = {}, int multiplicandDecimals = 0, int multiplierDecimals = 0);
    ~Lavagna() override;

    /// Puts multiplicand x multiplier (canWorkOut) on the board at its first step, for the
    /// teacher, the decimals putting commas in the factors' digits.
    void workOut(std::int32_t multiplicand, std::int32_t multiplier, int multiplicandDecimals = 0,
                 int multiplierDecimals = 0);

    /// "Nuova" takes its operations from another from now on.
    void setOperationSource(OperationSource another) { another_ = std::move(another); }

    [[nodiscard]] const WorkedOperation& operation() const { return op_; }
    [[nodiscard]] const std::vector<Step>& steps() const { return steps_; }
    /// The step on show; in "Prova tu" the one whose key is awaited, steps().size() once all are typed.
    [[nodiscard]] std::size_t step() const;
    /// What the board shows written.
    [[nodiscard]] const Written& written() const;
    /// The pupil typing the digits in "Prova tu"; none in the teacher's steps.
    [[nodiscard]] const std::optional<Attempt>& attempt() const { return attempt_; }
    /// The line over the board.
    [[nodiscard]] QString caption() const;
    /// Side of the board's squares, pixels: a digit is as high as its face makes the
    /// digits of a font of that many pixels.
    [[nodiscard]] int squarePixels() const;

    /// "Avanti": the next step, up to the last.
    void showNextStep();
    /// "Indietro": undoes the last step shown.
    void showPreviousStep();
    /// "Tutto": the operation worked out, as its solution page shows it, and the verdict of the cross.
    void showWholeOperation();
    /// "Da capo": the first step, for the teacher.
    void startOver();
    /// "Nuova": another operation at its first step, for the teacher.
    void drawAnotherOperation();
    /// "Prova tu": a pupil types the operation from its first step; pressed again, back to the
    /// teacher's steps at the last one the pupil finished.
    void togglePupilTrying();
    /// A digit key or a touch of the keypad: the pupil's key in "Prova tu".
    void typeDigit(int digit);
    /// A touch of a square of the board in "Prova tu" while the product's comma is awaited:
    /// the product's square in column c (from the units) is the key c, the comma after it;
    /// any other touch does nothing.
    void touchSquare(const Square& square);
    /// F11: full screen, and back.
    void toggleFullScreen();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Board;

    void buildCommands(QBoxLayout& column);
    QPushButton* addCommand(const QString& text, const QString& tip, void (Lavagna::*command)());
    void showTeacherStep(std::size_t step);
    void showAttempt();
    void setCaption(const QString& text);
    void fitCaption();
    void enableCommands();

    OperationSource another_;
    Conventions conventions_;
    WorkedOperation op_;
    std::vector<Step> steps_;
    QStringList captions_;  ///< what the teacher says at each step
    std::size_t step_ = 0;
    std::optional<Attempt> attempt_;
    QString captionText_;

    Board* board_ = nullptr;
    QLabel* caption_ = nullptr;
    QWidget* keypad_ = nullptr;
    QTimer* flash_ = nullptr;
    std::array<QPushButton*, 10> digits_{};
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* whole_ = nullptr;
    QPushButton* tries_ = nullptr;
    std::vector<QPushButton*> commands_;
};

}  // namespace virdamo::ui
