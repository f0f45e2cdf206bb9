#include "invariants.h"
#include "qt_helpers.h"

#include "action.h"

#include "forms/form.h"
#include "ui/frm_due.h"
#include "worksheet/modulo1.h"

#include <QAbstractButton>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <tuple>

namespace virdamo::stress {

using ui::LabelArray;

namespace {

/// The number rows of a place from top to bottom, and its marks and rules.
constexpr std::array<LabelArray, 6> kNumberRows{LabelArray::Label1, LabelArray::Label2, LabelArray::Label4,
                                                LabelArray::Label5, LabelArray::Label6, LabelArray::Label8};
constexpr std::array<LabelArray, 4> kMarks{LabelArray::lblPer, LabelArray::lblUguale, LabelArray::lblRiga1,
                                           LabelArray::lblRiga2};

std::string quoted(const std::string& s)
{
    return '"' + s + '"';
}

std::string quoted(const QString& s)
{
    return quoted(s.toStdString());
}

/// n as a text row: its digits preceded by the blanks that make it width characters.
std::string field(std::int64_t n, std::size_t width)
{
    const std::string digits = std::to_string(n);
    return digits.size() >= width ? digits : std::string(width - digits.size(), ' ') + digits;
}

int digitCount(std::int64_t n)
{
    return static_cast<int>(std::to_string(n).size());
}

/// Decimal digits with no blank, sign or leading zero ("0" alone is a number).
bool plainDigits(const QString& s)
{
    if (s.isEmpty() || s.size() > 9) return false;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    }
    return s == QLatin1String("0") || s.front() != QLatin1Char('0');
}

std::string where(int i)
{
    return "operation " + std::to_string(i) + ": ";
}

std::string placeText(const ui::FrmDue& w, std::int16_t i)
{
    std::string text;
    for (const LabelArray a : kNumberRows) {
        text += std::string(ui::labelArrayName(a)) + "=" + quoted(w.place(a, i).caption()) + " ";
    }
    for (const LabelArray a : kMarks) {
        text += std::string(ui::labelArrayName(a)) + (w.place(a, i).isVisible() ? " shown " : " hidden ");
    }
    return text;
}

auto stateFields(const Modulo1& m)
{
    return std::tie(m.CifreMoltiplicando, m.CifreMoltiplicatore, m.UltimaOperazione, m.Spazi, m.Sottotitolo,
                    m.ValMoltiplicando, m.ValMoltiplicatore, m.Parziale1, m.Parziale2, m.Parziale3, m.Prodotto,
                    m.TxtMoltiplicando, m.TxtMoltiplicatore, m.TxtParziale1, m.TxtParziale2, m.TxtParziale3,
                    m.TxtProdotto, m.CifraMoltiplicando, m.CifraMoltiplicatore, m.StrCifraMoltiplicando,
                    m.StrCifraMoltiplicatore);
}

}  // namespace

void Findings::add(const char* invariant, const std::string& detail)
{
    all_.push_back({invariant, detail});
}

std::optional<Violation> Findings::first() const
{
    if (all_.empty()) return std::nullopt;
    return all_.front();
}

ScreenSnapshot snapshotScreen(const ui::FrmDue& window)
{
    ScreenSnapshot s;
    for (std::int16_t i = 0; i < ui::FrmDue::kPlaces; ++i) {
        for (const LabelArray a : ui::kLabelArrays) {
            const forms::Label& label = window.place(a, i);
            s.labels.emplace_back(label.caption(), label.isVisible());
        }
    }
    s.stampaVisible = window.cmdStampa().isVisible();
    for (std::size_t k = 0; k < s.marks.size(); ++k) {
        const auto* b = window.findChild<const QAbstractButton*>(QString::fromLatin1(kOptions[k].objectName));
        s.marks[k] = b != nullptr && b->isChecked();
    }
    return s;
}

std::string describeDifference(const ScreenSnapshot& before, const ScreenSnapshot& after)
{
    std::ostringstream out;
    for (std::size_t k = 0; k < before.labels.size() && k < after.labels.size(); ++k) {
        if (before.labels[k] != after.labels[k]) {
            const auto i = k / ui::kLabelArrays.size();
            const LabelArray a = ui::kLabelArrays[k % ui::kLabelArrays.size()];
            out << ui::labelArrayName(a) << "(" << i << ") was " << quoted(before.labels[k].first)
                << (before.labels[k].second ? " shown" : " hidden") << ", is " << quoted(after.labels[k].first)
                << (after.labels[k].second ? " shown" : " hidden") << "; ";
            break;
        }
    }
    if (before.stampaVisible != after.stampaVisible) {
        out << "STAMPA " << (after.stampaVisible ? "appeared" : "disappeared") << "; ";
    }
    if (before.marks != after.marks) out << "option marks changed; ";
    return out.str();
}

std::string describe(const WindowsSnapshot& windows)
{
    std::ostringstream out;
    const auto one = [&out](const char* name, const WindowsSnapshot::One& w) {
        out << name << ": ";
        if (!w.form) {
            out << "not loaded";
            return;
        }
        out << (w.visible ? "shown" : "hidden") << (w.minimized ? ", minimized" : "") << ", " << w.geometry.width()
            << " x " << w.geometry.height() << " at " << w.geometry.x() << "," << w.geometry.y();
    };
    one("start window", windows.inizio);
    out << "; ";
    one("worksheet window", windows.due);
    return out.str();
}

bool sameState(const Modulo1& a, const Modulo1& b)
{
    return stateFields(a) == stateFields(b);
}

std::string describeDifference(const Modulo1& before, const Modulo1& after)
{
    std::ostringstream out;
    if (before.CifreMoltiplicando != after.CifreMoltiplicando)
        out << "CifreMoltiplicando " << before.CifreMoltiplicando << " -> " << after.CifreMoltiplicando << "; ";
    if (before.CifreMoltiplicatore != after.CifreMoltiplicatore)
        out << "CifreMoltiplicatore " << before.CifreMoltiplicatore << " -> " << after.CifreMoltiplicatore << "; ";
    if (before.UltimaOperazione != after.UltimaOperazione)
        out << "UltimaOperazione " << before.UltimaOperazione << " -> " << after.UltimaOperazione << "; ";
    if (before.Spazi != after.Spazi) out << "Spazi changed; ";
    const auto rows = [&out](const char* name, const Modulo1::PerOperation<std::string>& x,
                             const Modulo1::PerOperation<std::string>& y) {
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (x[i] != y[i]) {
                out << name << "(" << i << ") " << quoted(x[i]) << " -> " << quoted(y[i]) << "; ";
                return;
            }
        }
    };
    rows("TxtMoltiplicando", before.TxtMoltiplicando, after.TxtMoltiplicando);
    rows("TxtMoltiplicatore", before.TxtMoltiplicatore, after.TxtMoltiplicatore);
    rows("TxtParziale1", before.TxtParziale1, after.TxtParziale1);
    rows("TxtParziale2", before.TxtParziale2, after.TxtParziale2);
    rows("TxtParziale3", before.TxtParziale3, after.TxtParziale3);
    rows("TxtProdotto", before.TxtProdotto, after.TxtProdotto);
    if (before.ValMoltiplicando != after.ValMoltiplicando || before.ValMoltiplicatore != after.ValMoltiplicatore
        || before.Prodotto != after.Prodotto || before.Parziale1 != after.Parziale1
        || before.Parziale2 != after.Parziale2 || before.Parziale3 != after.Parziale3) {
        out << "numbers of the sheet changed; ";
    }
    const std::string text = out.str();
    return text.empty() ? "working storage changed" : text;
}

void checkTextRows(const Modulo1& m, Findings& f)
{
    int filled = 0;
    for (int i = 0; i < Modulo1::kElements; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::array<const std::string*, 6> rows{&m.TxtMoltiplicando[k], &m.TxtMoltiplicatore[k],
                                                     &m.TxtParziale1[k],     &m.TxtParziale2[k],
                                                     &m.TxtParziale3[k],     &m.TxtProdotto[k]};
        bool any = false;
        for (const std::string* row : rows) any = any || !row->empty();
        if (!any) continue;
        if (i > Modulo1::kLastIndex) {
            f.add("rows-beyond-19", where(i) + "a text row of an element no sheet uses is filled");
            continue;
        }
        if (i != filled) {
            f.add("rows-filled-operations", where(i) + "filled, but operation " + std::to_string(filled) + " is not");
        }
        ++filled;

        const std::int64_t a = m.ValMoltiplicando[k];
        const std::int64_t b = m.ValMoltiplicatore[k];
        if (a < 10 || a > 9999 || b < 1 || b > 999) {
            f.add("factor-range", where(i) + std::to_string(a) + " x " + std::to_string(b));
            continue;
        }
        const int db = digitCount(b);
        const std::array<std::string, 6> expected{
            field(a, 11),
            field(b, 11),
            db >= 2 ? field(m.Parziale1[k], 11) : std::string(),
            db >= 2 ? field(m.Parziale2[k], 10) : std::string(),
            db == 3 ? field(m.Parziale3[k], 9) : std::string(),
            field(m.Prodotto[k], 11),
        };
        const char* const names[] = {"TxtMoltiplicando", "TxtMoltiplicatore", "TxtParziale1",
                                     "TxtParziale2",     "TxtParziale3",      "TxtProdotto"};
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (*rows[r] != expected[r]) {
                f.add("row-text",
                      where(i) + names[r] + " is " + quoted(*rows[r]) + ", its number written in its field is "
                          + quoted(expected[r]));
            }
        }
        if (m.Prodotto[k] != a * b) {
            f.add("product",
                  where(i) + std::to_string(a) + " x " + std::to_string(b) + " = " + std::to_string(m.Prodotto[k]));
        }
        const bool partialsRight = db == 1
            || (m.Parziale1[k] == a * (b % 10) && m.Parziale2[k] == a * (b / 10 % 10)
                && (db == 2 || m.Parziale3[k] == a * (b / 100)));
        if (!partialsRight) {
            f.add("partial-product",
                  where(i) + std::to_string(a) + " x " + std::to_string(b) + " has partials "
                      + std::to_string(m.Parziale1[k]) + ", " + std::to_string(m.Parziale2[k]) + ", "
                      + std::to_string(m.Parziale3[k]));
        }
    }
    if (filled != 0 && filled != 10 && filled != 20) {
        f.add("rows-filled-operations", std::to_string(filled) + " operations filled, not 0, 10 or 20");
    }
}

void checkSettings(const Modulo1& m, const ui::FrmDue& w, Findings& f)
{
    const int cm = m.CifreMoltiplicando;
    const int cr = m.CifreMoltiplicatore;
    const int last = m.UltimaOperazione;
    if (cm < 2 || cm > 4 || cr < 1 || cr > 3 || (last != 9 && last != 19)) {
        f.add("settings-range",
              "settings " + std::to_string(cm) + ", " + std::to_string(cr) + ", " + std::to_string(last));
        return;
    }
    if (m.Spazi != std::string(Modulo1::kSpaziLength, ' ')) f.add("settings-range", "Spazi is " + quoted(m.Spazi));

    struct Group {
        std::size_t first;
        std::size_t count;
        std::size_t markedForSetting;
    };
    const std::array<Group, 3> groups{{{0, 3, static_cast<std::size_t>(cm - 2)},
                                       {3, 3, static_cast<std::size_t>(cr - 1)},
                                       {6, 2, last == 9 ? 0U : 1U}}};
    const ScreenSnapshot screen = snapshotScreen(w);
    for (const Group& g : groups) {
        int marked = 0;
        for (std::size_t k = 0; k < g.count; ++k) marked += screen.marks[g.first + k] ? 1 : 0;
        if (marked != 1 || !screen.marks[g.first + g.markedForSetting]) {
            f.add("marks-match-settings",
                  "settings " + std::to_string(cm) + ", " + std::to_string(cr) + ", " + std::to_string(last)
                      + " but option " + kOptions[g.first + g.markedForSetting].objectName + " is not the one marked");
        }
    }
}

void checkScreen(const ui::FrmDue& w, const Modulo1& m, std::optional<int> sheetLast, Findings& f)
{
    for (std::int16_t i = 0; i < ui::FrmDue::kPlaces; ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::array<QString, 6> c;
        for (std::size_t r = 0; r < c.size(); ++r) c[r] = w.place(kNumberRows[r], i).caption();
        std::array<bool, 4> shown{};
        for (std::size_t r = 0; r < shown.size(); ++r) shown[r] = w.place(kMarks[r], i).isVisible();

        if (!sheetLast || i > *sheetLast) {
            bool empty = true;
            for (const QString& s : c) empty = empty && s.isEmpty();
            for (const bool s : shown) empty = empty && !s;
            if (!empty) {
                f.add("place-empty", where(i) + "should show nothing, shows " + placeText(w, i));
            }
            continue;
        }

        const int cifre = m.CifreMoltiplicatore;
        const std::array<bool, 6> filled{true, true, true, cifre >= 2, cifre == 3, cifre >= 2};
        const std::array<bool, 4> marks{true, true, true, cifre >= 2};
        bool shape = marks == shown;
        for (std::size_t r = 0; r < c.size(); ++r) {
            shape = shape && (filled[r] ? plainDigits(c[r]) : c[r].isEmpty());
        }
        if (!shape) {
            f.add("place-shows-operation",
                  where(i) + "with " + std::to_string(cifre) + "-digit multipliers shows " + placeText(w, i));
            continue;
        }

        std::array<std::int64_t, 6> n{};
        for (std::size_t r = 0; r < c.size(); ++r) n[r] = c[r].isEmpty() ? -1 : c[r].toLongLong();
        const std::int64_t a = n[0];
        const std::int64_t b = n[1];
        std::array<std::int64_t, 6> right{a, b, a * b, -1, -1, -1};
        if (cifre >= 2) right = {a, b, a * (b % 10), a * (b / 10 % 10), cifre == 3 ? a * (b / 100) : -1, a * b};
        if (n != right || digitCount(a) != m.CifreMoltiplicando || digitCount(b) != cifre) {
            f.add("place-arithmetic",
                  where(i) + "with " + std::to_string(m.CifreMoltiplicando) + "- and " + std::to_string(cifre)
                      + "-digit factors shows " + placeText(w, i));
            continue;
        }
        const bool agrees = a == m.ValMoltiplicando[k] && b == m.ValMoltiplicatore[k] && a * b == m.Prodotto[k]
            && m.TxtMoltiplicando[k] == field(a, 11) && m.TxtMoltiplicatore[k] == field(b, 11)
            && m.TxtProdotto[k] == field(a * b, 11);
        if (!agrees) {
            f.add("place-agrees-with-state",
                  where(i) + "shows " + placeText(w, i) + "but the state holds " + quoted(m.TxtMoltiplicando[k]) + " x "
                      + quoted(m.TxtMoltiplicatore[k]) + " = " + quoted(m.TxtProdotto[k]));
        }
    }
}

void checkPage(const std::vector<PrintedText>& page, const Modulo1& m, Findings& f)
{
    struct Line {
        float offset;
        const Modulo1::PerOperation<std::string>* row;  ///< none for a rule
        const char* text;                               ///< the sign after the row, or the rule
    };
    const std::vector<Line> lines1{{0, &m.TxtMoltiplicando, " x "},
                                   {300, &m.TxtMoltiplicatore, " = "},
                                   {400, nullptr, "       ______"},
                                   {700, &m.TxtProdotto, ""}};
    const std::vector<Line> lines2{{0, &m.TxtMoltiplicando, " x "}, {300, &m.TxtMoltiplicatore, " = "},
                                   {400, nullptr, "       ______"}, {700, &m.TxtParziale1, ""},
                                   {1000, &m.TxtParziale2, ""},     {1100, nullptr, "   __________"},
                                   {1400, &m.TxtProdotto, ""}};
    const std::vector<Line> lines3{{0, &m.TxtMoltiplicando, " x "},  {300, &m.TxtMoltiplicatore, " = "},
                                   {400, nullptr, "       ______"},  {700, &m.TxtParziale1, ""},
                                   {1000, &m.TxtParziale2, ""},      {1300, &m.TxtParziale3, ""},
                                   {1400, nullptr, "_____________"}, {1700, &m.TxtProdotto, ""}};
    const std::array<std::array<float, 5>, 3> rowTops{
        {{1200, 2700, 4200, 5700, 7200}, {1200, 3800, 6400, 9000, 11600}, {1200, 4000, 6800, 9600, 12400}}};
    const int cifre = m.CifreMoltiplicatore;
    const std::vector<Line>& lines = cifre == 1 ? lines1 : cifre == 2 ? lines2 : lines3;
    const std::string font = "Courier New";

    std::vector<PrintedText> expected{{1000, 500, font, 16, "SCHEDA VIRDAMO"}};
    if (!m.Sottotitolo.empty()) expected.push_back({1000, 1500, font, 12, m.Sottotitolo});
    for (int i = 0; i <= m.UltimaOperazione; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float column = 500.0F + 2000.0F * static_cast<float>(i % 4);
        const float top = rowTops[static_cast<std::size_t>(cifre - 1)][k / 4];
        for (const Line& line : lines) {
            const std::string text = (line.row ? (*line.row)[k] : std::string()) + line.text;
            if (!text.empty()) expected.push_back({column, top + line.offset, font, 12, text});
        }
    }

    const auto show = [](const PrintedText& t) {
        std::ostringstream out;
        out << quoted(t.text) << " at " << t.x << "," << t.y << " in " << t.font << " " << t.points;
        return out.str();
    };
    for (std::size_t k = 0; k < expected.size() || k < page.size(); ++k) {
        if (k >= page.size()) {
            f.add("printed-page", "the page ends before " + show(expected[k]));
            return;
        }
        if (k >= expected.size()) {
            f.add("printed-page", "the page goes on with " + show(page[k]));
            return;
        }
        if (page[k] != expected[k]) {
            f.add("printed-page",
                  "text " + std::to_string(k) + " of the page is " + show(page[k]) + ", expected " + show(expected[k]));
            return;
        }
    }
}

QString failureMessage(output::FailureReason reason)
{
    QString line;
    switch (reason) {
    case output::FailureReason::NoDefaultPrinter: line = QStringLiteral("Nessuna stampante predefinita."); break;
    case output::FailureReason::ServiceUnavailable: line = QStringLiteral("Il servizio di stampa non risponde."); break;
    case output::FailureReason::NotAcceptingJobs: line = QStringLiteral("La stampante non accetta lavori."); break;
    default:  // the runs draw no other reason
        line = QStringLiteral("Errore del servizio di stampa.");
        break;
    }
    return QString::fromUtf8("Stampa non riuscita: la scheda non è stata stampata.\n") + line;
}

QString pausedMessage()
{
    return QString::fromUtf8("La stampante è in pausa: la scheda è in coda e sarà stampata alla ripresa.");
}

std::vector<QRectF> controlFractions(forms::Form& form)
{
    const double w = form.innerWidth();
    const double h = form.innerHeight();
    std::vector<QRectF> fractions;
    for (int i = 0; i < form.controlCount(); ++i) {
        const layout::TwipRect g = form.control(i).geometry();
        fractions.emplace_back(g.left / w, g.top / h, g.width / w, g.height / h);
    }
    return fractions;
}

void checkLayout(forms::Form& form, const std::vector<QRectF>& fractions, Findings& f)
{
    if (fractions.size() != static_cast<std::size_t>(form.controlCount())) {
        f.add("layout",
              "the window holds " + std::to_string(form.controlCount()) + " controls, it loaded with "
                  + std::to_string(fractions.size()));
        return;
    }
    // Edges are rounded to whole pixels, so a control may be a pixel off its exact place.
    // A number row may draw beyond its box (so its digits stand under the others), never
    // inside it.
    const double w = form.width();
    const double h = form.height();
    for (int i = 0; i < form.controlCount(); ++i) {
        const forms::Control& control = form.control(i);
        const QWidget* widget = control.widget();
        if (!widget) continue;  // a line, drawn at its design coordinates
        const QRectF& r = fractions[static_cast<std::size_t>(i)];
        const QRect g = control.pixelBox();
        const bool placed = std::abs(g.x() - r.x() * w) <= 1.5 && std::abs(g.y() - r.y() * h) <= 1.5
            && std::abs(g.right() + 1 - r.right() * w) <= 1.5 && std::abs(g.bottom() + 1 - r.bottom() * h) <= 1.5
            && (g.isEmpty() || widget->geometry().contains(g));
        if (!placed) {
            std::ostringstream out;
            out << control.displayName().toStdString() << " of " << form.windowTitle().toStdString() << " at " << g.x()
                << "," << g.y() << " " << g.width() << " x " << g.height() << " in a " << w << " x " << h
                << " window, its place is " << r.x() * w << "," << r.y() * h << " " << r.width() * w << " x "
                << r.height() * h;
            f.add("layout", out.str());
            return;
        }
    }
}

}  // namespace virdamo::stress
