#pragma once

#include <functional>
#include <memory>

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

    /// Emits ended() when the last window unloads.
    [[nodiscard]] forms::Lifecycle& lifecycle() const { return *lifecycle_; }
    /// The start window's single instance.
    [[nodiscard]] forms::FormSlot& frmInizio() const { return *frmInizio_; }
    /// The worksheet window's single instance.
    [[nodiscard]] forms::FormSlot& frmDue() const { return *frmDue_; }

    /// The print, preview and file dialogs the class sheets open (the real ones unless set).
    void setOutputDialogs(OutputDialogs& dialogs) { outputDialogs_ = &dialogs; }

private:
    Modulo1& state_;
    RandomSource& random_;
    PrintSheet printSheet_;
    OutputDialogs* outputDialogs_;
    std::unique_ptr<forms::Lifecycle> lifecycle_;
    std::unique_ptr<forms::FormSlot> frmInizio_;
    std::unique_ptr<forms::FormSlot> frmDue_;
};

}  // namespace app
}  // namespace virdamo
