#include "app/application.h"

#include "app/app_icon.h"
#include "app/class_sheets_dialog.h"
#include "app/frm_inizio.h"
#include "forms/form_slot.h"
#include "ui/frm_due.h"

#include <utility>

namespace virdamo::app {

namespace {

/// Gives a freshly built window the program's icon; its slot places it when it first shows.
std::unique_ptr<forms::Form> withIcon(std::unique_ptr<forms::Form> form)
{
    form->setWindowIcon(windowIcon());
    return form;
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
        return withIcon(std::move(window));
    });
}

Application::~Application() = default;

void Application::start()
{
    frmInizio_->show();
}

}  // namespace virdamo::app
