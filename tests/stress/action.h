#pragma once

#include "pages/printer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace virdamo::stress {

enum class Window { Inizio, Due };

/// One thing a user does to the program.
enum class Kind {
    Relaunch,    ///< starts the program again after it ended
    Entra,       ///< "E N T R A"
    EsciInizio,  ///< "E S C I"
    Visualizza,  ///< "VISUALIZZA"
    Stampa,      ///< "STAMPA", with the printer's outcome
    EsciDue,     ///< "ESCI"
    Option,      ///< one of the eight options of the worksheet window
    Resize,
    Minimize,
    Restore,
    Close,  ///< the close box of the window's title bar
};

/// What the printer does with the job of one "STAMPA".
enum class PrintOutcome { Accepted, Paused, Fails };

struct OptionButtonName {
    const char* objectName;
    const char* caption;
};

/// The eight options in the order the action model numbers them.
inline constexpr std::array<OptionButtonName, 8> kOptions{{{"Opt1(0)", "2 cifre"},
                                                           {"Opt1(1)", "3 cifre"},
                                                           {"Opt1(2)", "4 cifre"},
                                                           {"Option1(0)", "1 cifre"},
                                                           {"Option1(1)", "2 cifre"},
                                                           {"Option1(2)", "3 cifre"},
                                                           {"Opt5", "10 oper"},
                                                           {"Opt10", "20 oper"}}};

struct Action {
    Kind kind = Kind::Relaunch;
    Window window = Window::Inizio;  ///< Resize, Minimize, Restore, Close
    int option = 0;                  ///< index into kOptions
    int width = 0;                   ///< Resize, pixels
    int height = 0;                  ///< Resize, pixels
    PrintOutcome outcome = PrintOutcome::Accepted;
    output::FailureReason reason = output::FailureReason::ServiceError;
    std::uint32_t failAt = 0;  ///< reduced modulo the job's printer calls: the failing one
    /// What the clock reads during the action, so that a sheet drawn by it is the same in
    /// every replay, whatever came before.
    std::uint64_t clock = 0;
};

/// One line a person can follow: the button or window and what happens to it.
[[nodiscard]] std::string describe(const Action& action);

/// The class of an action that a run counts to show what it exercised ("resize 0 x 0",
/// "STAMPA fails", "option Opt1(2)", ...).
[[nodiscard]] std::string coverageLabel(const Action& action);
/// Every class coverageLabel can give.
[[nodiscard]] std::vector<std::string> allCoverageLabels();

/// One line of a script that replays the action exactly, and back.
[[nodiscard]] std::string serialize(const Action& action);
[[nodiscard]] std::optional<Action> parse(const std::string& line);

}  // namespace virdamo::stress
