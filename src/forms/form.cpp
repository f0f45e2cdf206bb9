#include "forms/form.h"

#include "forms/form_slot.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QPainter>
#include <QPen>

#include <stdexcept>
#include <type_traits>
#include <utility>

namespace virdamo::forms {

Form::Form(const FormDesign& design)
    : design_(design)
{
    setWindowTitle(design.caption);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, design.background);
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(makeFont(design.defaultFont));
    setInnerSize(design.innerWidth, design.innerHeight);
}

Form::~Form() = default;

template <typename T, typename... Args>
T& Form::append(Args&&... args)
{
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *control;
    if constexpr (std::is_same_v<T, Line>) {
        lines_.push_back(&ref);
    }
    controls_.push_back(std::move(control));
    return ref;
}

Label& Form::addLabel(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                      const LabelDesign& design)
{
    return append<Label>(name, index, container, geometry, design);
}

Frame& Form::addFrame(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                      const QColor& background)
{
    return append<Frame>(name, index, container, geometry, background);
}

OptionButton& Form::addOption(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                              const ButtonDesign& design)
{
    return append<OptionButton>(name, index, container, geometry, design);
}

CommandButton& Form::addCommandButton(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                                      const ButtonDesign& design)
{
    return append<CommandButton>(name, index, container, geometry, design);
}

Shape& Form::addShape(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                      const ShapeDesign& design)
{
    return append<Shape>(name, index, container, geometry, design);
}

Line& Form::addLine(const QString& name, std::int16_t index, Control* container, const LineDesign& design)
{
    return append<Line>(name, index, container, design);
}

void Form::setTabOrder(std::initializer_list<Control*> order)
{
    QWidget* previous = nullptr;
    for (Control* control : order) {
        QWidget* w = control->widget();
        if (previous && w) {
            QWidget::setTabOrder(previous, w);
        }
        if (w) {
            previous = w;
        }
    }
}

int Form::controlCount() const
{
    return static_cast<int>(controls_.size());
}

Control& Form::control(int i)
{
    return *controls_.at(static_cast<std::size_t>(i));
}

float Form::innerWidth() const
{
    return pixelsToTwips(width(), dpiX());
}

float Form::innerHeight() const
{
    return pixelsToTwips(height(), dpiY());
}

void Form::setInnerSize(float widthTwips, float heightTwips)
{
    resize(twipsToPixels(widthTwips, dpiX()), twipsToPixels(heightTwips, dpiY()));
}

float Form::dpiX() const
{
    return static_cast<float>(logicalDpiX());
}

float Form::dpiY() const
{
    return static_cast<float>(logicalDpiY());
}

QWidget* Form::widgetFor(Control* container)
{
    return container && container->widget() ? container->widget() : this;
}

QButtonGroup* Form::optionGroupFor(Control* container)
{
    QButtonGroup*& group = optionGroups_[container];
    if (!group) {
        // One explicit group per container: Qt's implicit exclusivity would also reach the
        // options of frames nested inside it, which are groups of their own.
        group = new QButtonGroup(widgetFor(container));
        group->setExclusive(true);
    }
    return group;
}

void Form::paintLines(QPainter& painter, const Control* container) const
{
    const float dx = dpiX();
    const float dy = dpiY();
    for (const Line* line : lines_) {
        if (line->container() != container || !line->isVisible()) {
            continue;
        }
        const LineDesign& d = line->design();
        QPen pen(d.color);
        pen.setWidth(d.width);
        painter.setPen(pen);
        const auto toPixels = [dx, dy](const QPointF& p) {
            return QPointF(p.x() * dx / kTwipsPerInch, p.y() * dy / kTwipsPerInch);
        };
        painter.drawLine(toPixels(d.from), toPixels(d.to));
    }
}

void Form::unload()
{
    if (slot_) {
        slot_->unload();
    } else {
        runUnload();
    }
}

void Form::runCommand(const std::function<void()>& command)
{
    ++commandDepth_;
    struct EndCommand {
        Form& form;
        ~EndCommand() { form.endCommand(); }
    } end{*this};
    command();
}

void Form::queueChange(Control& control)
{
    changed_.push_back(&control);
}

void Form::endCommand()
{
    if (--commandDepth_ > 0) {
        return;
    }
    // The controls live as long as the window, which an unload only deletes later.
    for (Control* control : std::exchange(changed_, {})) {
        control->applyPending();
    }
}

void Form::recordControlRatios()
{
    layout::RecordControlRatios(*this, ratios_);
}

void Form::applyControlRatios()
{
    layout::ApplyControlRatios(*this, ratios_);
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!unloaded_) {
        Form_Resize();
    }
}

void Form::closeEvent(QCloseEvent* event)
{
    // Closing from the title bar unloads the window like any other unload.
    unload();
    event->accept();
}

void Form::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    paintLines(painter, nullptr);
}

void Form::runLoad()
{
    Form_Load();
}

void Form::runUnload()
{
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Form_Unload();
    hide();
    // Deferred: the unload may run inside a click of one of this window's own buttons.
    deleteLater();
}

}  // namespace virdamo::forms
