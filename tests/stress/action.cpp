#include "action.h"

#include <sstream>

namespace virdamo::stress {

namespace {

const char* windowName(Window w)
{
    return w == Window::Inizio ? "start window" : "worksheet window";
}

const char* reasonName(output::FailureReason reason)
{
    switch (reason) {
    case output::FailureReason::NoDefaultPrinter: return "no default printer";
    case output::FailureReason::ServiceUnavailable: return "service unavailable";
    case output::FailureReason::NotAcceptingJobs: return "printer not accepting jobs";
    default: break;  // the runs draw no other reason
    }
    return "service error";
}

}  // namespace

std::string describe(const Action& a)
{
    switch (a.kind) {
    case Kind::Relaunch: return "relaunch the program";
    case Kind::Entra: return "click \"E N T R A\"";
    case Kind::EsciInizio: return "click \"E S C I\"";
    case Kind::Visualizza: return "click \"VISUALIZZA\" (clock " + std::to_string(a.clock) + ")";
    case Kind::Stampa:
        switch (a.outcome) {
        case PrintOutcome::Accepted: return "click \"STAMPA\", printer accepts";
        case PrintOutcome::Paused: return "click \"STAMPA\", printer accepts and is paused";
        case PrintOutcome::Fails: break;
        }
        return "click \"STAMPA\", printer fails (" + std::string(reasonName(a.reason)) + ") at call "
            + std::to_string(a.failAt) + " mod job length";
    case Kind::EsciDue: return "click \"ESCI\"";
    case Kind::Option: {
        const OptionButtonName& o = kOptions.at(static_cast<std::size_t>(a.option));
        return "click option \"" + std::string(o.caption) + "\" (" + o.objectName + ")";
    }
    case Kind::Resize:
        return "resize " + std::string(windowName(a.window)) + " to " + std::to_string(a.width) + " x "
            + std::to_string(a.height);
    case Kind::Minimize: return "minimize " + std::string(windowName(a.window));
    case Kind::Restore: return "restore " + std::string(windowName(a.window));
    case Kind::Close: return "close " + std::string(windowName(a.window)) + " from its title bar";
    }
    return "?";
}

std::string coverageLabel(const Action& a)
{
    const std::string window = a.window == Window::Inizio ? " start" : " worksheet";
    switch (a.kind) {
    case Kind::Relaunch: return "relaunch";
    case Kind::Entra: return "E N T R A";
    case Kind::EsciInizio: return "E S C I";
    case Kind::Visualizza: return "VISUALIZZA";
    case Kind::Stampa:
        return a.outcome == PrintOutcome::Accepted ? "STAMPA accepted"
            : a.outcome == PrintOutcome::Paused    ? "STAMPA paused"
                                                   : "STAMPA fails";
    case Kind::EsciDue: return "ESCI";
    case Kind::Option: return std::string("option ") + kOptions.at(static_cast<std::size_t>(a.option)).objectName;
    case Kind::Resize:
        if (a.width == 0 && a.height == 0) return "resize 0 x 0" + window;
        if (a.width <= 24 && a.height <= 24) return "resize tiny" + window;
        if (a.width >= 4000) return "resize huge" + window;
        if (a.width >= 1600) return "resize large" + window;
        return "resize ordinary" + window;
    case Kind::Minimize: return "minimize" + window;
    case Kind::Restore: return "restore" + window;
    case Kind::Close: return "close" + window;
    }
    return "?";
}

std::vector<std::string> allCoverageLabels()
{
    std::vector<std::string> labels{"relaunch",        "E N T R A",     "E S C I",      "VISUALIZZA",
                                    "STAMPA accepted", "STAMPA paused", "STAMPA fails", "ESCI"};
    for (const OptionButtonName& o : kOptions) labels.push_back(std::string("option ") + o.objectName);
    for (const char* window : {" start", " worksheet"}) {
        for (const char* what : {"resize 0 x 0", "resize tiny", "resize ordinary", "resize large", "resize huge",
                                 "minimize", "restore", "close"}) {
            labels.push_back(what + std::string(window));
        }
    }
    return labels;
}

std::string serialize(const Action& a)
{
    std::ostringstream out;
    out << static_cast<int>(a.kind) << ' ' << static_cast<int>(a.window) << ' ' << a.option << ' ' << a.width << ' '
        << a.height << ' ' << static_cast<int>(a.outcome) << ' ' << static_cast<int>(a.reason) << ' ' << a.failAt << ' '
        << a.clock;
    return out.str();
}

std::optional<Action> parse(const std::string& line)
{
    std::istringstream in(line);
    int kind = 0;
    int window = 0;
    int outcome = 0;
    int reason = 0;
    Action a;
    if (!(in >> kind >> window >> a.option >> a.width >> a.height >> outcome >> reason >> a.failAt >> a.clock)) {
        return std::nullopt;
    }
    if (kind < 0 || kind > static_cast<int>(Kind::Close) || window < 0 || window > 1 || a.option < 0
        || a.option >= static_cast<int>(kOptions.size()) || outcome < 0 || outcome > 2 || reason < 0 || reason > 3) {
        return std::nullopt;
    }
    a.kind = static_cast<Kind>(kind);
    a.window = static_cast<Window>(window);
    a.outcome = static_cast<PrintOutcome>(outcome);
    a.reason = static_cast<output::FailureReason>(reason);
    return a;
}

}  // namespace virdamo::stress
