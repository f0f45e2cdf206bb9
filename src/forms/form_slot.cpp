#include "forms/form_slot.h"

#include "forms/form.h"
#include "forms/placement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QTimer>

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

namespace {

QMargins frameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

/// The decorations the window manager puts around a window: those of a window already
/// shown; none before any is.
QMargins decorations()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !frameMargins(*window).isNull()) {
            return frameMargins(*window);
        }
    }
    return {};
}

/// Centres a window on its screen, at its size or as large as the available area allows.
void placeOnItsScreen(QWidget& window, QSize inner, QMargins frame)
{
    if (const QScreen* screen = window.screen()) {
        const WindowPlacement place = placeOnScreen(inner, frame, screen->availableGeometry());
        window.resize(place.innerSize);
        window.move(place.framePosition);
    }
}

/// The decorations of a window are known only once the window manager has framed it: a
/// window that then reaches past its screen's available area is placed again, once.
class FrameFit final : public QObject {
public:
    explicit FrameFit(QWidget& window)
        : QObject(&window)
        , window_(window)
    {
        window.installEventFilter(this);
        // Without a window manager no frame ever comes.
        QTimer::singleShot(kPatienceMs, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != QEvent::Move && event->type() != QEvent::Resize) {
            return false;
        }
        const QMargins frame = frameMargins(window_);
        if (frame.isNull()) {
            return false;
        }
        const QScreen* screen = window_.screen();
        if (screen && !screen->availableGeometry().contains(window_.frameGeometry())) {
            placeOnItsScreen(window_, window_.size(), frame);
        }
        window_.removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    static constexpr int kPatienceMs = 5000;
    QWidget& window_;
};

}  // namespace

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
    const bool opening = !form_;
    Form* form = load();
    if (opening) {
        // After the load, which records the layout against the design size: a smaller
        // size is then a resize like any other.
        placeOnItsScreen(*form, form->size(), decorations());
        new FrameFit(*form);
    }
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
