#include "app/application.h"

#include "app/class_preferences.h"

#include "app/app_icon.h"
#include "app/class_sheets_dialog.h"
#include "app/frm_inizio.h"
#include "forms/form_slot.h"
#include "ui/frm_due.h"
#include "ui/lavagna.h"
#include "worksheet/level.h"
#include "worksheet/modulo1.h"
#include "worksheet/random_source.h"
#include "worksheet/worked_operation.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace virdamo::app {

namespace {

/// Gives a freshly built window the program's icon; its slot places it when it first shows.
std::unique_ptr<forms::Form> withIcon(std::unique_ptr<forms::Form> form)
{
    form->setWindowIcon(windowIcon());
    return form;
}

/// Operations with the digit counts of multiplicand x multiplier at the level of the class
/// dialog (the default one where that level allows none of them), each equally likely,
/// never the one before twice in a row while there is another.
std::function<std::pair<std::int32_t, std::int32_t>()> operationsLike(std::int32_t multiplicand,
                                                                      std::int32_t multiplier)
{
    const WorkedOperation shown = workOut(multiplicand, multiplier);
    const int digitsA = shown.multiplicandDigits;
    const int digitsB = shown.multiplierDigits;
    Level level = ClassPreferences::load().level;
    if (level.allowsNone(digitsA, digitsB)) {
        level = Level{};
    }
    auto allowed = std::make_shared<const AllowedOperations>(level, digitsA, digitsB);
    auto random = std::make_shared<ClockRandomSource>();
    random->reseedFromClock();
    return [allowed, random, last = Operation{multiplicand, multiplier}]() mutable {
        for (int draw = 0; draw < RandomSource::kBelowAttempts && allowed->size() > 1; ++draw) {
            const auto rank = static_cast<std::int32_t>(random->nextBelow(std::uint32_t(allowed->size())));
            Operation drawn;
            allowed->at({&rank, 1}, {&drawn, 1});
            if (drawn != last) {
                last = drawn;
                break;
            }
        }
        return std::pair{last.multiplicand, last.multiplier};
    };
}

}  // namespace

Application::Application(Modulo1& state, RandomSource& random, PrintSheet printSheet)
    : state_(state)
    , random_(random)
    , printSheet_(std::move(printSheet))
    , outputDialogs_(&standardOutputDialogs())
    , lifecycle_(std::make_unique<forms::Lifecycle>())
{
    frmInizio_ = std::make_unique<forms::FormSlot>(*lifecycle_, [this] {
        auto window = std::make_unique<FrmInizio>();
        QObject::connect(window.get(), &FrmInizio::worksheetWindowRequested, [this] { frmDue_->show(); });
        QObject::connect(window.get(), &FrmInizio::worksheetWindowUnloadRequested, [this] { frmDue_->unload(); });
        return withIcon(std::move(window));
    });
    frmDue_ = std::make_unique<forms::FormSlot>(*lifecycle_, [this] {
        auto window = std::make_unique<ui::FrmDue>(state_, random_);
        QObject::connect(window.get(), &ui::FrmDue::startWindowRequested, [this] { frmInizio_->show(); });
        QObject::connect(window.get(), &ui::FrmDue::printRequested, [this] { printSheet_(frmDue_->form()); });
        QObject::connect(window.get(), &ui::FrmDue::classSheetsRequested, [this] {
            auto* due = frmDue_->formAs<ui::FrmDue>();
            auto* dialog = new ClassSheetsDialog(due->shownSheet(), *outputDialogs_, due);
            // The set's sheet 1 on show, so that "STAMPA" prints what the set begins with.
            QObject::connect(dialog, &ClassSheetsDialog::sheetChosen, due, &ui::FrmDue::showSheet);
            dialog->show();
        });
        QObject::connect(window.get(), &ui::FrmDue::lavagnaRequested,
                         [this](std::int32_t multiplicand, std::int32_t multiplier) {
                             openLavagna(multiplicand, multiplier, operationsLike(multiplicand, multiplier));
                         });
        return withIcon(std::move(window));
    });
    lavagna_ = std::make_unique<forms::FormSlot>(*lifecycle_, [this] {
        const auto [multiplicand, multiplier] = lavagnaOperation_;
        // The whiteboard writes as the class was taught, as the class dialog last remembered.
        return withIcon(std::make_unique<ui::Lavagna>(multiplicand, multiplier, lavagnaSource_,
                                                      ClassPreferences::load().options.conventions,
                                                      lavagnaDecimals_.first, lavagnaDecimals_.second));
    });
}

Application::~Application() = default;

void Application::start()
{
    frmInizio_->show();
}

void Application::startOnLavagna(std::int32_t multiplicand, std::int32_t multiplier, int multiplicandDecimals,
                                 int multiplierDecimals)
{
    if (!ui::Lavagna::canWorkOut(multiplicand, multiplier, multiplicandDecimals, multiplierDecimals)) {
        throw std::invalid_argument("no operation for the whiteboard: " + std::to_string(multiplicand) + " x "
                                    + std::to_string(multiplier));
    }
    openLavagna(multiplicand, multiplier, operationsLike(multiplicand, multiplier), multiplicandDecimals,
                multiplierDecimals);
}

void Application::openLavagna(std::int32_t multiplicand, std::int32_t multiplier, OperationSource another,
                              int multiplicandDecimals, int multiplierDecimals)
{
    if (auto* open = lavagna_->formAs<ui::Lavagna>()) {
        // One whiteboard: the operation asked for replaces the one on it.
        open->setOperationSource(std::move(another));
        open->workOut(multiplicand, multiplier, multiplicandDecimals, multiplierDecimals);
    } else {
        lavagnaOperation_ = {multiplicand, multiplier};
        lavagnaDecimals_ = {multiplicandDecimals, multiplierDecimals};
        lavagnaSource_ = std::move(another);
    }
    lavagna_->show();
}

}  // namespace virdamo::app
