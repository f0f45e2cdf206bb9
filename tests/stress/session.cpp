#include "session.h"
#include "qt_helpers.h"

#include "app/application.h"
#include "forms/form.h"
#include "forms/form_slot.h"
#include "forms/message_box.h"
#include "ui/frm_due.h"
#include "ui/stampa.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include <cassert>
#include <utility>

namespace virdamo::stress {

namespace {

QStringList* qtWarnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void collectQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // The offscreen platform lacks a few window-manager operations (raise, size hints) and
    // says so; that is the test bed's limit, not the program's.
    const bool platformLimit = text.startsWith(QLatin1String("This plugin does not support"));
    if (qtWarnings && type != QtDebugMsg && type != QtInfoMsg && !platformLimit) qtWarnings->append(text);
    if (previousHandler && !platformLimit) previousHandler(type, context, text);
}

std::string serviceTextFor(output::FailureReason reason)
{
    switch (reason) {
    case output::FailureReason::NoDefaultPrinter: return "No default destination.";
    case output::FailureReason::ServiceUnavailable: return "Connection refused";
    case output::FailureReason::NotAcceptingJobs: return "";
    default: break;  // the runs draw no other reason
    }
    return "client-error-document-format-not-supported";
}

/// The printer of one press of "STAMPA": it keeps the page that the end of the document
/// releases, or fails the job at one of its calls the way the print service does (the job
/// is abandoned, nothing of it is printed).
class TestPrinter final : public pages::Printer, public pages::JobNotices {
public:
    TestPrinter(PrintJob& job, std::optional<int> failAt, output::FailureReason reason)
        : job_(job)
        , failAt_(failAt)
        , reason_(reason)
    {
    }

    void setFontName(const std::string& name) override
    {
        call();
        font_ = name;
    }
    void setFontSize(float points) override
    {
        call();
        points_ = points;
    }
    void setHorizontalPosition(float twips) override
    {
        call();
        x_ = twips;
    }
    void setVerticalPosition(float twips) override
    {
        call();
        y_ = twips;
    }
    void printLine(const std::string& text) override
    {
        call();
        if (!text.empty()) page_.push_back({x_, y_, font_, points_, text});
    }
    void endDocument() override
    {
        call();
        ++job_.endDocuments;
        job_.pages.push_back(std::exchange(page_, {}));
    }
    [[nodiscard]] pages::JobNotice lastJobNotice() const override
    {
        return job_.paused && !job_.pages.empty() ? pages::JobNotice::PrinterPaused : pages::JobNotice::None;
    }

private:
    void call()
    {
        if (failAt_ && calls_++ == *failAt_) {
            page_.clear();
            job_.threw = reason_;
            job_.serviceText = serviceTextFor(reason_);
            throw output::OutputFailure(reason_, job_.serviceText);
        }
    }

    PrintJob& job_;
    std::optional<int> failAt_;
    output::FailureReason reason_;
    int calls_ = 0;
    std::string font_;
    float points_ = 0.0F;
    float x_ = -1.0F;
    float y_ = -1.0F;
    std::vector<PrintedText> page_;
};

/// A point of the button that takes a click and that is not clipped away by a container:
/// where a user would click, if anywhere.
std::optional<QPoint> clickPoint(const QAbstractButton* b)
{
    if (!b || !b->isVisible() || !b->window()->isVisible() || b->window()->isMinimized()) return std::nullopt;
    QStyleOptionButton option;
    option.initFrom(b);
    const bool radio = qobject_cast<const QRadioButton*>(b) != nullptr;
    QRect hit =
        b->style()->subElementRect(radio ? QStyle::SE_RadioButtonClickRect : QStyle::SE_PushButtonBevel, &option, b);
    hit &= b->rect();
    const QWidget* window = b->window();
    QRect visible(b->mapTo(window, hit.topLeft()), hit.size());
    for (const QWidget* p = b->parentWidget(); p && p != window; p = p->parentWidget()) {
        visible &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    }
    visible &= window->rect();
    if (visible.isEmpty()) return std::nullopt;
    return b->mapFrom(window, visible.center());
}

bool shownInFront(const QWidget* w)
{
    return w && w->isVisible() && !w->isMinimized();
}

/// Shown, not minimized, and the window the platform gives the user's input to. Qt keeps
/// a window without area off the screen altogether (no window manager lets a user make
/// one), so such a window cannot take the input.
bool activeInFront(const QWidget* w)
{
    return shownInFront(w)
        && (w->size().isEmpty() || (w->windowHandle() && QGuiApplication::focusWindow() == w->windowHandle()));
}

Action make(Kind kind, Window window = Window::Inizio)
{
    Action a;
    a.kind = kind;
    a.window = window;
    return a;
}

template <typename Int>
Int uniform(std::mt19937_64& rng, Int low, Int high)
{
    return std::uniform_int_distribution<Int>(low, high)(rng);
}

QSize randomSize(std::mt19937_64& rng)
{
    const int pick = uniform(rng, 0, 19);
    if (pick < 2) return {0, 0};
    if (pick < 6) return {uniform(rng, 0, 24), uniform(rng, 0, 24)};
    if (pick < 12) return {uniform(rng, 100, 1600), uniform(rng, 80, 1200)};
    if (pick < 14) return {794, 576};  // the design size at 96 dpi
    if (pick < 18) return {uniform(rng, 1600, 4000), uniform(rng, 1200, 3000)};
    return {uniform(rng, 4000, 8000), uniform(rng, 3000, 6000)};
}

}  // namespace

Session::Session()
{
    QApplication::setQuitOnLastWindowClosed(false);  // as the program does
    forms::MessageBox::setHandler([this](forms::MessageIcon icon, const QString& title, const QString& text) {
        messages_.push_back({icon, title, text});
    });
    qtWarnings = &warnings_;
    previousHandler = qInstallMessageHandler(collectQtMessage);
    launch();
    QCoreApplication::processEvents();
}

Session::~Session()
{
    app_.reset();
    virdamo::test::deleteUnloadedWindows();
    qInstallMessageHandler(previousHandler);
    qtWarnings = nullptr;
    forms::MessageBox::setHandler({});
}

void Session::launch()
{
    state_ = std::make_unique<Modulo1>();
    random_ = std::make_unique<ClockRandomSource>([this] { return clock_; });
    app_ = std::make_unique<app::Application>(*state_, *random_, [this](QWidget* parent) { printSheet(parent); });
    endedSignals_ = 0;
    QObject::connect(&app_->lifecycle(), &forms::Lifecycle::ended, &app_->lifecycle(), [this] { ++endedSignals_; });
    model_ = Model{};
    app_->start();
    if (forms::Form* inizio = form(Window::Inizio)) fractions_[0] = controlFractions(*inizio);
}

void Session::printSheet(QWidget* parent)
{
    PrintJob& job = jobs_.emplace_back();
    job.parent = parent;
    const Action plan = pendingPrint_.value_or(make(Kind::Stampa));
    job.paused = plan.outcome == PrintOutcome::Paused;
    std::optional<int> failAt;
    if (plan.outcome == PrintOutcome::Fails) {
        // The calls of a job (font, heading, body, end), so that the failure lands inside
        // it; a job that made fewer would be accepted, and checked as accepted.
        const int lines = state_->CifreMoltiplicatore == 1 ? 4 : state_->CifreMoltiplicatore == 2 ? 7 : 8;
        const int calls = 11 + 3 * lines * (std::clamp<int>(state_->UltimaOperazione, 0, 19) + 1);
        failAt = static_cast<int>(plan.failAt % static_cast<std::uint32_t>(calls));
    }
    TestPrinter printer(job, failAt, plan.reason);
    ui::cmdStampa_Click(*state_, printer, parent);
}

forms::Form* Session::form(Window w) const
{
    if (!app_) return nullptr;
    return w == Window::Inizio ? app_->frmInizio().form() : app_->frmDue().form();
}

QAbstractButton* Session::button(Window w, const char* objectName) const
{
    forms::Form* f = form(w);
    return f ? f->findChild<QAbstractButton*>(QString::fromLatin1(objectName)) : nullptr;
}

QAbstractButton* Session::buttonFor(const Action& a) const
{
    switch (a.kind) {
    case Kind::Entra: return button(Window::Inizio, "Command1");
    case Kind::EsciInizio: return button(Window::Inizio, "Command2");
    case Kind::Visualizza: return button(Window::Due, "Command1");
    case Kind::Stampa: return button(Window::Due, "cmdStampa");
    case Kind::EsciDue: return button(Window::Due, "Command2");
    case Kind::Option: return button(Window::Due, kOptions.at(static_cast<std::size_t>(a.option)).objectName);
    default: return nullptr;
    }
}

WindowsSnapshot Session::windows() const
{
    const auto one = [this](Window w) {
        WindowsSnapshot::One s;
        if (const forms::Form* f = form(w)) {
            s = {f, f->isVisible(), f->isMinimized(), f->geometry()};
        }
        return s;
    };
    return {one(Window::Inizio), one(Window::Due)};
}

bool Session::applicable(const Action& a) const
{
    const bool ended = !app_ || app_->lifecycle().loadedCount() == 0;
    if (a.kind == Kind::Relaunch) return ended;
    if (ended) return false;
    const forms::Form* f = form(a.window);
    switch (a.kind) {
    case Kind::Resize:
    case Kind::Minimize: return shownInFront(f);
    case Kind::Restore: return f && f->isVisible() && f->isMinimized();
    case Kind::Close: return f && f->isVisible();
    default: return clickPoint(buttonFor(a)).has_value();
    }
}

Action Session::randomAction(std::mt19937_64& rng) const
{
    struct Candidate {
        Action action;
        int weight;
    };
    std::vector<Candidate> candidates;
    const auto offer = [&](Action a, int weight) {
        a.clock = rng();
        if (applicable(a)) candidates.push_back({a, weight});
    };

    offer(make(Kind::Relaunch), 1);
    offer(make(Kind::Entra), 12);
    // Ending the program is one click away most of the time; held back, sessions run long
    // enough to reach the deeper states of the worksheet window.
    const bool mayEnd = uniform(rng, 0, 3) == 0;
    if (mayEnd) offer(make(Kind::EsciInizio), 1);
    offer(make(Kind::Visualizza), 12);
    offer(make(Kind::EsciDue), 2);
    Action stampa = make(Kind::Stampa);
    const int outcome = uniform(rng, 0, 9);
    stampa.outcome = outcome < 5 ? PrintOutcome::Accepted : outcome < 6 ? PrintOutcome::Paused : PrintOutcome::Fails;
    stampa.reason = static_cast<output::FailureReason>(uniform(rng, 0, 3));
    stampa.failAt = static_cast<std::uint32_t>(rng());
    offer(stampa, 10);
    for (int k = 0; k < static_cast<int>(kOptions.size()); ++k) {
        Action option = make(Kind::Option);
        option.option = k;
        offer(option, 3);
    }
    for (const Window w : {Window::Inizio, Window::Due}) {
        Action resize = make(Kind::Resize, w);
        const QSize size = randomSize(rng);
        resize.width = size.width();
        resize.height = size.height();
        offer(resize, w == Window::Inizio ? 3 : 5);
        offer(make(Kind::Minimize, w), 1);
        offer(make(Kind::Restore, w), 4);
        if (w == Window::Due || mayEnd) offer(make(Kind::Close, w), w == Window::Inizio ? 1 : 2);
    }

    assert(!candidates.empty());
    int total = 0;
    for (const Candidate& c : candidates) total += c.weight;
    int pick = uniform(rng, 0, total - 1);
    for (const Candidate& c : candidates) {
        if (pick < c.weight) return c.action;
        pick -= c.weight;
    }
    return candidates.back().action;
}

void Session::click(QAbstractButton* b, Findings& findings)
{
    const std::optional<QPoint> at = clickPoint(b);
    if (!at) {
        findings.add("click-reaches-button", "nothing to click");
        return;
    }
    const std::string name = b->objectName().toStdString();
    bool clicked = false;
    const QPointer<QAbstractButton> guard(b);
    const QMetaObject::Connection c = QObject::connect(b, &QAbstractButton::clicked, [&clicked] { clicked = true; });
    QTest::mouseClick(b, Qt::LeftButton, {}, *at);
    if (guard) QObject::disconnect(c);
    if (!clicked) {
        findings.add("click-reaches-button",
                     name + " did not take a click at " + std::to_string(at->x()) + "," + std::to_string(at->y()));
    }
}

std::optional<Violation> Session::perform(const Action& a)
{
    Findings findings;
    const Modulo1 before = state_ ? *state_ : Modulo1{};
    std::optional<ScreenSnapshot> screenBefore;
    if (const auto* due = app_ ? app_->frmDue().formAs<ui::FrmDue>() : nullptr) screenBefore = snapshotScreen(*due);
    const WindowsSnapshot windowsBefore = windows();
    jobs_.clear();
    messages_.clear();
    warnings_.clear();
    clock_ = a.clock;

    switch (a.kind) {
    case Kind::Relaunch:
        app_.reset();
        virdamo::test::deleteUnloadedWindows();
        launch();
        break;
    case Kind::Stampa:
        pendingPrint_ = a;
        click(buttonFor(a), findings);
        pendingPrint_.reset();
        break;
    case Kind::Resize: form(a.window)->resize(a.width, a.height); break;
    case Kind::Minimize: form(a.window)->showMinimized(); break;
    case Kind::Restore: form(a.window)->showNormal(); break;
    case Kind::Close: {
        // What the platform delivers for the close box: a close event to the native window.
        QCloseEvent event;
        QCoreApplication::sendEvent(form(a.window)->windowHandle(), &event);
        break;
    }
    default: click(buttonFor(a), findings); break;
    }
    // Before the user's next action the event loop has run and deleted what was left to it.
    QCoreApplication::processEvents();
    virdamo::test::deleteUnloadedWindows();

    expectAfter(a, before, screenBefore, windowsBefore, findings);
    return findings.first();
}

void Session::expectAfter(const Action& a, const Modulo1& before, const std::optional<ScreenSnapshot>& screenBefore,
                          const WindowsSnapshot& windowsBefore, Findings& f)
{
    // What the action must do to the state and the windows; the state of a new sheet is
    // checked by the rules every sheet keeps instead.
    std::optional<Modulo1> expected = before;
    bool screenKept = false;
    bool windowsKept = false;
    bool loaded = false;
    switch (a.kind) {
    case Kind::Relaunch: expected = Modulo1{}; break;
    case Kind::Entra:
        if (model_.dueLoaded) {
            screenKept = true;
        } else {
            loaded = true;
            model_.dueLoaded = true;
            model_.visualizzaThisLoad = false;
            model_.sheetLast.reset();
            expected->CifreMoltiplicando = 2;
            expected->CifreMoltiplicatore = 1;
            expected->UltimaOperazione = 19;
            expected->Spazi = std::string(Modulo1::kSpaziLength, ' ');
        }
        break;
    case Kind::EsciInizio: model_.ended = true; break;
    case Kind::Close:
        if (a.window == Window::Inizio) {
            model_.ended = true;
        } else {
            model_.dueLoaded = false;
        }
        break;
    case Kind::EsciDue: model_.dueLoaded = false; break;
    case Kind::Visualizza:
        model_.visualizzaThisLoad = true;
        model_.sheetLast = before.UltimaOperazione;
        expected.reset();
        windowsKept = true;
        if (state_->CifreMoltiplicando != before.CifreMoltiplicando
            || state_->CifreMoltiplicatore != before.CifreMoltiplicatore
            || state_->UltimaOperazione != before.UltimaOperazione || state_->Spazi != before.Spazi) {
            f.add("state-change", "VISUALIZZA changed the settings");
        }
        break;
    case Kind::Option:
        windowsKept = true;
        if (a.option < 3) {
            expected->CifreMoltiplicando = static_cast<std::int16_t>(a.option + 2);
        } else if (a.option < 6) {
            expected->CifreMoltiplicatore = static_cast<std::int16_t>(a.option - 2);
        } else {
            expected->UltimaOperazione = a.option == 6 ? 9 : 19;
            screenKept = true;
            break;
        }
        expected->clearTextRows();
        model_.sheetLast.reset();
        break;
    case Kind::Stampa:
        screenKept = true;
        windowsKept = true;
        break;
    case Kind::Resize:
    case Kind::Minimize:
    case Kind::Restore: screenKept = true; break;
    }
    if (model_.ended) model_.dueLoaded = false;

    checkLifecycle(f);
    checkPrint(a, before, f);
    if (!warnings_.isEmpty()) f.add("qt-warning", warnings_.join(QStringLiteral(" | ")).toStdString());
    if (model_.ended) return;

    if (expected && !sameState(*expected, *state_)) {
        f.add("state-change",
              "the state differs from what the action leaves: " + describeDifference(*expected, *state_));
    }
    checkTextRows(*state_, f);

    if (auto* due = app_->frmDue().formAs<ui::FrmDue>()) {
        checkSettings(*state_, *due, f);
        checkScreen(*due, *state_, model_.sheetLast, f);
        if (due->cmdStampa().isVisible() != model_.visualizzaThisLoad) {
            f.add("stampa-visible",
                  model_.visualizzaThisLoad ? "STAMPA hidden after VISUALIZZA in this load"
                                            : "STAMPA shown with no VISUALIZZA in this load");
        }
        if (screenKept && screenBefore) {
            ScreenSnapshot now = snapshotScreen(*due);
            if (a.kind == Kind::Option) now.marks = screenBefore->marks;  // the click marks the option
            if (now != *screenBefore) f.add("screen-change", describeDifference(*screenBefore, now));
        }
        if (loaded) fractions_[1] = controlFractions(*due);
    }
    if (windowsKept && windows() != windowsBefore) {
        f.add("windows-change", "was " + describe(windowsBefore) + ", is " + describe(windows()));
    }
    if (a.kind == Kind::Entra && !activeInFront(form(Window::Due))) {
        f.add("window-in-front", "after E N T R A: " + describe(windows()));
    }
    if (a.kind == Kind::EsciDue && !activeInFront(form(Window::Inizio))) {
        f.add("window-in-front", "after ESCI: " + describe(windows()));
    }
    for (const Window w : {Window::Inizio, Window::Due}) {
        forms::Form* shown = form(w);
        if (shownInFront(shown)) checkLayout(*shown, fractions_[w == Window::Inizio ? 0 : 1], f);
    }
}

void Session::checkLifecycle(Findings& f) const
{
    const bool inizio = app_->frmInizio().isLoaded();
    const bool due = app_->frmDue().isLoaded();
    const int loaded = app_->lifecycle().loadedCount();
    if (model_.ended) {
        if (inizio || due || loaded != 0) f.add("ended-cleanly", "a window is still loaded after the end");
        if (endedSignals_ != 1)
            f.add("ended-once", "the end was announced " + std::to_string(endedSignals_) + " times");
    } else {
        if (endedSignals_ != 0 || !inizio) f.add("alive", "the program ended");
        if (due != model_.dueLoaded) {
            f.add("worksheet-loaded", due ? "the worksheet window is loaded" : "the worksheet window is not loaded");
        }
        if (loaded != (inizio ? 1 : 0) + (due ? 1 : 0)) {
            f.add("loaded-count", std::to_string(loaded) + " windows counted as loaded");
        }
    }
    // Once the event loop has run, only loaded windows exist and each of them is shown.
    const QWidget* forms[] = {app_->frmInizio().form(), app_->frmDue().form()};
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const bool ours = w == forms[0] || w == forms[1];
        if (!ours && qobject_cast<forms::Form*>(w)) {
            f.add("windows-released", "unloaded window \"" + w->windowTitle().toStdString() + "\" still exists");
        } else if (!ours && w->isVisible()) {
            f.add("no-stray-window", "window \"" + w->windowTitle().toStdString() + "\" is shown");
        }
    }
    for (const QWidget* w : forms) {
        if (w && !w->isVisible()) f.add("loaded-window-shown", w->windowTitle().toStdString() + " is hidden");
    }
}

void Session::checkPrint(const Action& a, const Modulo1& before, Findings& f)
{
    if (a.kind != Kind::Stampa) {
        if (!jobs_.empty()) f.add("print-only-on-stampa", describe(a) + " printed");
        if (!messages_.empty()) {
            f.add("message-only-on-print", describe(a) + " showed \"" + messages_.front().text.toStdString() + "\"");
        }
        return;
    }
    if (jobs_.size() != 1) {
        f.add("one-job-per-stampa", "STAMPA started " + std::to_string(jobs_.size()) + " jobs");
        return;
    }
    const PrintJob& job = jobs_.front();
    if (job.parent != form(Window::Due)) f.add("print-over-worksheet", "the job's messages go to another window");
    const auto oneMessage = [&](forms::MessageIcon icon, const QString& text) {
        return messages_.size() == 1 && messages_[0].icon == icon && messages_[0].title == QStringLiteral("STAMPA")
            && messages_[0].text == text;
    };
    const auto shown = [&] {
        std::string all;
        for (const Message& m : messages_) {
            all.append(1, '"').append(m.text.toStdString()).append("\" ");
        }
        return std::to_string(messages_.size()) + " messages " + all;
    };
    if (job.threw) {
        if (job.endDocuments != 0 || !job.pages.empty()) f.add("failed-job-prints-nothing", "a page was released");
        if (!oneMessage(forms::MessageIcon::Warning, failureMessage(*job.threw))) {
            f.add("failure-message",
                  "expected one warning \"" + failureMessage(*job.threw).toStdString() + "\", got " + shown());
        }
        return;
    }
    if (job.endDocuments != 1 || job.pages.size() != 1) {
        f.add("one-page-per-job", std::to_string(job.endDocuments) + " ends of document");
    } else {
        checkPage(job.pages.front(), before, f);
    }
    const bool messagesRight =
        job.paused ? oneMessage(forms::MessageIcon::Information, pausedMessage()) : messages_.empty();
    if (!messagesRight) f.add("job-message", std::string(job.paused ? "paused printer: " : "") + shown());
}

}  // namespace virdamo::stress
