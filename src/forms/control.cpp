#include "forms/control.h"

#include "forms/control_widgets.h"
#include "forms/form.h"

#include <QButtonGroup>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace virdamo::forms {

using namespace Qt::StringLiterals;

namespace {

void fillBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void applyFont(QWidget* widget, const std::optional<FontSpec>& font)
{
    if (font) {
        widget->setFont(makeFont(*font));
    }
}

}  // namespace

Control::Control(Form& form, ControlKind kind, QString name, std::int16_t index, Control* container, TwipRect geometry)
    : form_(form)
    , kind_(kind)
    , name_(std::move(name))
    , index_(index)
    , container_(container)
    , geometry_(geometry)
{
}

Control::~Control() = default;

QString Control::displayName() const
{
    return index_ == kNoIndex ? name_ : u"%1(%2)"_s.arg(name_).arg(index_);
}

bool Control::isVisible() const
{
    if (pendingVisible_) {
        return *pendingVisible_;
    }
    // The control's own Visible property, independent of whether its window is shown.
    return widget_ && !widget_->isHidden();
}

void Control::setVisible(bool visible)
{
    if (deferToCommandEnd()) {
        pendingVisible_ = visible;
        return;
    }
    if (widget_) {
        widget_->setVisible(visible);
    }
}

bool Control::deferToCommandEnd()
{
    if (!form_.commandRunning()) {
        return false;
    }
    if (!queued_) {
        queued_ = true;
        form_.queueChange(*this);
    }
    return true;
}

void Control::applyPending()
{
    queued_ = false;
    // Showing a widget that is already shown, or the reverse, still costs: on X11 each
    // show asks the server where the pointer is. Only a real change is made.
    if (const std::optional<bool> visible = std::exchange(pendingVisible_, std::nullopt);
        visible && widget_ && widget_->isHidden() == *visible) {
        widget_->setVisible(*visible);
    }
}

void Control::bringToFront()
{
    if (widget_) {
        widget_->raise();
    }
}

layout::ControlKind Control::layoutKind() const
{
    return kind_ == ControlKind::Line ? layout::ControlKind::Line : layout::ControlKind::Other;
}

std::optional<float> Control::left() const
{
    return geometry_.left;
}

std::optional<float> Control::top() const
{
    return geometry_.top;
}

std::optional<float> Control::width() const
{
    return geometry_.width;
}

std::optional<float> Control::height() const
{
    return geometry_.height;
}

void Control::Move(float left, float top, float width, float height)
{
    geometry_ = TwipRect{left, top, width, height};
    updatePixelGeometry();
}

QRect Control::pixelBox() const
{
    // Edges are rounded, not sizes, so controls whose right edges coincide in twips
    // (the right-aligned number rows) also coincide in pixels at every window size.
    const float dpiX = form_.dpiX();
    const float dpiY = form_.dpiY();
    const int x0 = twipsToPixels(geometry_.left, dpiX);
    const int y0 = twipsToPixels(geometry_.top, dpiY);
    const int x1 = twipsToPixels(geometry_.left + geometry_.width, dpiX);
    const int y1 = twipsToPixels(geometry_.top + geometry_.height, dpiY);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

void Control::updatePixelGeometry()
{
    if (widget_) {
        placeWidget(pixelBox());
    }
}

void Control::placeWidget(const QRect& box)
{
    widget_->setGeometry(box);
}

void Control::attachWidget(QWidget* widget)
{
    widget_ = widget;
    widget->setObjectName(displayName());
    updatePixelGeometry();
}

Label::Label(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
             const LabelDesign& design)
    : Control(form, ControlKind::Label, std::move(name), index, container, geometry)
{
    auto* label = new LabelWidget(design.caption, form.widgetFor(container));
    label->setTextFormat(Qt::PlainText);
    // Text starts at the top of the label unless the design says otherwise, and wraps at
    // blanks, as window labels do.
    const bool vertical = (design.alignment & Qt::AlignVertical_Mask) != 0;
    label->setAlignment(vertical ? design.alignment : design.alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    applyFont(label, design.font);
    if (design.textColor) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, *design.textColor);
        label->setPalette(palette);
    }
    if (design.background) {
        fillBackground(label, *design.background);
    }
    attachWidget(label);
}

QString Label::caption() const
{
    return pendingCaption_ ? *pendingCaption_ : label()->text();
}

void Label::setCaption(const QString& caption)
{
    if (deferToCommandEnd()) {
        pendingCaption_ = caption;
        return;
    }
    if (label()->text() == caption) {
        return;
    }
    label()->setText(caption);
    if (textRight_) {
        updatePixelGeometry();  // a longer text may need a wider box
    }
}

void Label::applyPending()
{
    Control::applyPending();
    if (const std::optional<QString> caption = std::exchange(pendingCaption_, std::nullopt)) {
        setCaption(*caption);
    }
}

void Label::anchorTextRight(std::optional<qreal> x)
{
    textRight_ = x;
    updatePixelGeometry();
}

void Label::placeWidget(const QRect& box)
{
    QLabel* text = label();
    if (!textRight_) {
        text->setContentsMargins(0, 0, 0, 0);
        text->setGeometry(box);
        return;
    }
    const QFontMetricsF metrics(text->font(), text);
    const int end = static_cast<int>(std::lround(*textRight_));
    // Measuring a text shapes it: the widest glyph bounds it in the common case of a box
    // wide enough, which then keeps its left edge.
    const QString& caption = text->text();
    const bool fits = static_cast<qreal>(caption.size()) * metrics.maxWidth() <= end - box.x();
    const int right = std::max(box.x() + box.width(), end);
    const int left =
        fits ? box.x() : std::min(box.x(), end - static_cast<int>(std::ceil(metrics.horizontalAdvance(caption))));
    // Top-aligned digits end at the baseline: a box lower than that would cut them.
    const int height = std::max(box.height(), static_cast<int>(std::ceil(metrics.ascent())) + 1);
    text->setContentsMargins(0, 0, right - end, 0);
    const QRect placed(left, box.y(), right - left, height);
    if (text->geometry() != placed) {
        text->setGeometry(placed);
    }
}

QLabel* Label::label() const
{
    return static_cast<QLabel*>(widget());
}

Frame::Frame(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
             const QColor& background)
    : Control(form, ControlKind::Frame, std::move(name), index, container, geometry)
{
    auto* frame = new FrameWidget(form.widgetFor(container),
                                  [&form, this](QPainter& painter) { form.paintLines(painter, this); });
    fillBackground(frame, background);
    attachWidget(frame);
}

void ButtonControl::attachButton(QAbstractButton* button, const ButtonDesign& design)
{
    applyFont(button, design.font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, design.background);
    palette.setColor(QPalette::Window, design.background);
    button->setPalette(palette);
    button->setAutoFillBackground(true);
    button->setVisible(design.initiallyVisible);
    attachWidget(button);
}

void ButtonControl::onClick(std::function<void()> handler)
{
    QObject::connect(button(), &QAbstractButton::clicked, button(),
                     [this, handler = std::move(handler)] { form().runCommand(handler); });
}

QAbstractButton* ButtonControl::button() const
{
    return static_cast<QAbstractButton*>(widget());
}

OptionButton::OptionButton(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
                           const ButtonDesign& design)
    : ButtonControl(form, ControlKind::Option, std::move(name), index, container, geometry)
{
    auto* button = new QRadioButton(design.caption, form.widgetFor(container));
    button->setAutoExclusive(false);
    form.optionGroupFor(container)->addButton(button);
    attachButton(button, design);
}

bool OptionButton::isChecked() const
{
    return button()->isChecked();
}

void OptionButton::setChecked(bool checked)
{
    button()->setChecked(checked);
}

CommandButton::CommandButton(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
                             const ButtonDesign& design)
    : ButtonControl(form, ControlKind::CommandButton, std::move(name), index, container, geometry)
{
    auto* button = new CommandButtonWidget(design.caption, form.widgetFor(container));
    button->setAutoDefault(false);
    attachButton(button, design);
}

Shape::Shape(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
             const ShapeDesign& design)
    : Control(form, ControlKind::Shape, std::move(name), index, container, geometry)
{
    attachWidget(new ShapeWidget(form.widgetFor(container), design.fill, design.outlineWidth));
}

namespace {

TwipRect boundingBox(const LineDesign& d)
{
    const auto l = static_cast<float>(std::min(d.from.x(), d.to.x()));
    const auto t = static_cast<float>(std::min(d.from.y(), d.to.y()));
    return TwipRect{l, t, static_cast<float>(std::max(d.from.x(), d.to.x())) - l,
                    static_cast<float>(std::max(d.from.y(), d.to.y())) - t};
}

}  // namespace

Line::Line(Form& form, QString name, std::int16_t index, Control* container, const LineDesign& design)
    : Control(form, ControlKind::Line, std::move(name), index, container, boundingBox(design))
    , design_(design)
{
}

void Line::setVisible(bool visible)
{
    visible_ = visible;
    form().widgetFor(container())->update();
}

void Line::Move(float /*left*/, float /*top*/, float /*width*/, float /*height*/)
{
    throw std::logic_error("a line cannot be moved");
}

}  // namespace virdamo::forms
