#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class QWidget;

namespace virdamo {

struct Modulo1;
class RandomSource;

namespace forms {
class FormSlot;
class Lifecycle;
}  // namespace forms

namespace app {

class OutputDialogs;

/// Prints the sheet in the worksheet state; parent is the worksheet window.
using PrintSheet = std::function<void(QWidget* parent)>;

/// The two windows of the program and the lifecycle that joins them: the start window
/// opens the worksheet window, each window exists at most once, and the program has
/// ended when neither is loaded.
class Application final {
public:
    /// state and random must outlive this object; printSheet (never empty) runs for every "STAMPA".
    Application(Modulo1& state, RandomSource& random, PrintSheet printSheet);
    ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Loads and shows the start window, and nothing else.
    void start();
    /// Opens the whiteboard window "Lavagna" alone on multiplicand x multiplier, with no other
    /// window: the program ends (lifecycle().ended()) when it closes. "Nuova" there draws
    /// operations of the same digit counts. Throws std::invalid_argument for an operation
    /// the board does not work out (ui::Lavagna::canWorkOut). The decimals put commas in the
    /// factors' digits, for this operation and those "Nuova" draws.
    void startOnLavagna(std::int32_t multiplicand, std::int32_t multiplier, int multiplicandDecimals = 0,
                        int multiplierDecimals = 0);

    /// Emits ended() when the last window unloads.
    [[nodiscard]] forms::Lifecycle& lifecycle() const { return *lifecycle_; }
    /// The start window's single instance.
    [[nodiscard]] forms::FormSlot& frmInizio() const { return *frmInizio_; }
    /// The worksheet window's single instance.
    [[nodiscard]] forms::FormSlot& frmDue() const { return *frmDue_; }
    /// The whiteboard window's single instance.
    [[nodiscard]] forms::FormSlot& lavagna() const { return *lavagna_; }

    /// The print, preview and file dialogs the class sheets open (the real ones unless set).
    void setOutputDialogs(OutputDialogs& dialogs) { outputDialogs_ = &dialogs; }

private:
    using OperationSource = std::function<std::pair<std::int32_t, std::int32_t>()>;

    /// Shows the whiteboard on multiplicand x multiplier, its "Nuova" drawing from another.
    void openLavagna(std::int32_t multiplicand, std::int32_t multiplier, OperationSource another,
                     int multiplicandDecimals = 0, int multiplierDecimals = 0);

    Modulo1& state_;
    RandomSource& random_;
    PrintSheet printSheet_;
    OutputDialogs* outputDialogs_;
    std::unique_ptr<forms::Lifecycle> lifecycle_;
    std::unique_ptr<forms::FormSlot> frmInizio_;
    std::unique_ptr<forms::FormSlot> frmDue_;
    std::pair<std::int32_t, std::int32_t> lavagnaOperation_;  ///< the whiteboard's first operation
    std::pair<int, int> lavagnaDecimals_;                     ///< of its multiplicand and multiplier
    OperationSource lavagnaSource_;
    std::unique_ptr<forms::FormSlot> lavagna_;
};

}  // namespace app
}  // namespace virdamo
