#pragma once

#include "action.h"
#include "invariants.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

class QAbstractButton;
class QWidget;

namespace virdamo {
struct Modulo1;
class ClockRandomSource;
namespace app {
class Application;
}
namespace forms {
class Form;
}
}  // namespace virdamo

namespace virdamo::stress {

/// The program as one user sees it: started like the real one (same windows, same
/// lifecycle, a test printer in place of the print service), driven through mouse
/// clicks on visible controls and window-manager operations, and checked against what
/// the user must see after every action.
class Session {
public:
    Session();
    ~Session();

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// Whether a user could do this now: its window loaded, shown and not minimized, its
    /// control visible and with a point to click that is not clipped away.
    [[nodiscard]] bool applicable(const Action& action) const;
    /// One of the actions a user could do now, drawn from rng.
    [[nodiscard]] Action randomAction(std::mt19937_64& rng) const;
    /// Does an applicable action, lets the event loop run as it would before the user's
    /// next action, then checks every invariant. Returns the first broken one.
    std::optional<Violation> perform(const Action& action);

private:
    /// What the user has done to the worksheet window in its current load.
    struct Model {
        bool ended = false;
        bool dueLoaded = false;
        bool visualizzaThisLoad = false;
        std::optional<int> sheetLast;  ///< the sheet on screen has operations 0 to this
    };

    void launch();
    void printSheet(QWidget* parent);
    [[nodiscard]] forms::Form* form(Window w) const;
    [[nodiscard]] QAbstractButton* button(Window w, const char* objectName) const;
    [[nodiscard]] QAbstractButton* buttonFor(const Action& action) const;
    [[nodiscard]] WindowsSnapshot windows() const;
    void click(QAbstractButton* button, Findings& findings);
    void expectAfter(const Action& action, const Modulo1& before, const std::optional<ScreenSnapshot>& screenBefore,
                     const WindowsSnapshot& windowsBefore, Findings& findings);
    void checkLifecycle(Findings& findings) const;
    void checkPrint(const Action& action, const Modulo1& before, Findings& findings);

    std::uint64_t clock_ = 0;
    std::unique_ptr<Modulo1> state_;
    std::unique_ptr<ClockRandomSource> random_;
    std::unique_ptr<app::Application> app_;
    int endedSignals_ = 0;
    Model model_;
    /// Each window's controls as fractions of its inner size when it loaded.
    std::array<std::vector<QRectF>, 2> fractions_;

    // What the current action produced besides the windows.
    std::optional<Action> pendingPrint_;
    std::vector<PrintJob> jobs_;
    std::vector<Message> messages_;
    QStringList warnings_;
};

}  // namespace virdamo::stress
