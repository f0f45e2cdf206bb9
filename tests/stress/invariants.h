#pragma once

#include "forms/message_box.h"
#include "pages/printer.h"

#include <QRect>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace virdamo {
struct Modulo1;
namespace forms {
class Form;
}
namespace ui {
class FrmDue;
}
}  // namespace virdamo

namespace virdamo::stress {

/// A broken invariant: its name tells one fault from another when a failing run is
/// shrunk; the detail says what was seen.
struct Violation {
    std::string invariant;
    std::string detail;
};

/// Collects the broken invariants of one check.
class Findings {
public:
    void add(const char* invariant, const std::string& detail);
    [[nodiscard]] std::optional<Violation> first() const;

private:
    std::vector<Violation> all_;
};

/// A message box, as the handler installed by the test received it.
struct Message {
    forms::MessageIcon icon;
    QString title;
    QString text;
};

/// A visible text on a printed page, with the position and font it was printed in.
struct PrintedText {
    float x = 0.0F;
    float y = 0.0F;
    std::string font;
    float points = 0.0F;
    std::string text;

    bool operator==(const PrintedText&) const = default;
};

/// One press of "STAMPA" as the test printer saw it.
struct PrintJob {
    const QWidget* parent = nullptr;
    std::optional<output::FailureReason> threw;  ///< the printer failed the job
    std::string serviceText;
    bool paused = false;
    int endDocuments = 0;
    std::vector<std::vector<PrintedText>> pages;  ///< pages released by the end of the document
};

/// Everything the worksheet window shows that the logic sets: captions and visibility of
/// the place labels, "STAMPA" and the option marks.
struct ScreenSnapshot {
    std::vector<std::pair<QString, bool>> labels;
    bool stampaVisible = false;
    std::array<bool, 8> marks{};

    bool operator==(const ScreenSnapshot&) const = default;
};

/// What the window manager shows of the two windows.
struct WindowsSnapshot {
    struct One {
        const QWidget* form = nullptr;
        bool visible = false;
        bool minimized = false;
        QRect geometry;

        bool operator==(const One&) const = default;
    };
    One inizio;
    One due;

    bool operator==(const WindowsSnapshot&) const = default;
};

[[nodiscard]] ScreenSnapshot snapshotScreen(const ui::FrmDue& window);
[[nodiscard]] std::string describeDifference(const ScreenSnapshot& before, const ScreenSnapshot& after);
[[nodiscard]] std::string describe(const WindowsSnapshot& windows);

/// Everything of the worksheet state, for comparing two states.
[[nodiscard]] bool sameState(const Modulo1& a, const Modulo1& b);
[[nodiscard]] std::string describeDifference(const Modulo1& before, const Modulo1& after);

/// Every text row of the state is empty or has its field width and spells its number, the
/// numbers of a filled operation are worked out right, and the filled operations are 0 to
/// 9 or 0 to 19.
void checkTextRows(const Modulo1& m, Findings& findings);

/// Settings within their ranges, and exactly one option of each group marked: the one
/// that matches the setting.
void checkSettings(const Modulo1& m, const ui::FrmDue& window, Findings& findings);

/// The places show nothing, or (sheetLast given) operations 0 to sheetLast of the state
/// worked out right, in plain digits, and nothing above them.
void checkScreen(const ui::FrmDue& window, const Modulo1& m, std::optional<int> sheetLast, Findings& findings);

/// The page an accepted job printed: the heading, and every row of operations 0 to
/// UltimaOperazione at its column and line in the layout of the multiplier length.
void checkPage(const std::vector<PrintedText>& page, const Modulo1& m, Findings& findings);

/// The text of the message box that reports a failed job.
[[nodiscard]] QString failureMessage(output::FailureReason reason);
/// The text of the message box that tells a job waits on a paused printer.
[[nodiscard]] QString pausedMessage();

/// Every moved control of a shown window lies at the fractions of the inner size that it
/// had when the window loaded.
void checkLayout(forms::Form& form, const std::vector<QRectF>& fractions, Findings& findings);
/// Every control's left, top, width and height as fractions of the window's inner size.
[[nodiscard]] std::vector<QRectF> controlFractions(forms::Form& form);

}  // namespace virdamo::stress
