#include "forms/form_slot.h"

#include "forms/form.h"

#include <utility>

namespace virdamo::forms {

void Lifecycle::formLoaded()
{
    ++loaded_;
}

void Lifecycle::formUnloaded()
{
    if (--loaded_ == 0) {
        emit ended();
    }
}

FormSlot::FormSlot(Lifecycle& lifecycle, Factory factory)
    : lifecycle_(lifecycle)
    , factory_(std::move(factory))
{
}

FormSlot::~FormSlot()
{
    // At the end of the process a window still loaded is destroyed without its unload step.
    delete form_;
}

Form* FormSlot::load()
{
    if (form_) {
        return form_;
    }
    std::unique_ptr<Form> created = factory_();
    form_ = created.release();
    form_->slot_ = this;
    lifecycle_.formLoaded();
    form_->runLoad();
    return form_;
}

Form* FormSlot::show()
{
    Form* form = load();
    // In front means in sight: a window the user minimized comes back as it was before
    // (a maximized one stays maximized); raising it alone would leave it on the taskbar.
    if (form->isMinimized()) {
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    }
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void FormSlot::unload()
{
    if (!form_ || unloading_) {
        return;
    }
    unloading_ = true;
    Form* form = form_;
    form->runUnload();  // the window is still loaded while its unload step runs
    form->slot_ = nullptr;
    form_ = nullptr;
    unloading_ = false;
    lifecycle_.formUnloaded();
}

}  // namespace virdamo::forms
