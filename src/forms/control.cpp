#include "forms/control.h"

#include "forms/control_widgets.h"
#include "forms/form.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <stdexcept>
#include <utility>

namespace virdamo::forms {

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

QFont makeFont(const FontSpec& spec)
{
    QFont font;
    QStringList families{spec.family};
    if (spec.fixedPitch) {
        // Rows of digits line up only in a fixed-pitch face: name fixed-pitch stand-ins
        // explicitly so a missing face can never fall back to a proportional one.
        families << QStringLiteral("Liberation Mono") << QStringLiteral("DejaVu Sans Mono")
                 << QStringLiteral("monospace");
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        font.setStyleHint(QFont::SansSerif);
    }
    font.setFamilies(families);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    return font;
}

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
    return index_ == kNoIndex ? name_ : QStringLiteral("%1(%2)").arg(name_).arg(index_);
}

bool Control::isVisible() const
{
    // The control's own Visible property, independent of whether its window is shown.
    return widget_ && !widget_->isHidden();
}

void Control::setVisible(bool visible)
{
    if (widget_) {
        widget_->setVisible(visible);
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

void Control::updatePixelGeometry()
{
    if (!widget_) {
        return;
    }
    // Edges are rounded, not sizes, so controls whose right edges coincide in twips
    // (the right-aligned number rows) also coincide in pixels at every window size.
    const float dpiX = form_.dpiX();
    const float dpiY = form_.dpiY();
    const int x0 = twipsToPixels(geometry_.left, dpiX);
    const int y0 = twipsToPixels(geometry_.top, dpiY);
    const int x1 = twipsToPixels(geometry_.left + geometry_.width, dpiX);
    const int y1 = twipsToPixels(geometry_.top + geometry_.height, dpiY);
    widget_->setGeometry(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
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
    auto* label = new QLabel(design.caption, form.widgetFor(container));
    label->setTextFormat(Qt::PlainText);
    // Text starts at the top of the label and wraps at blanks, as window labels do.
    label->setAlignment(design.alignment | Qt::AlignTop);
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
    return label()->text();
}

void Label::setCaption(const QString& caption)
{
    label()->setText(caption);
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
    QObject::connect(button(), &QAbstractButton::clicked, button(), [handler = std::move(handler)] { handler(); });
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
    auto* button = new QPushButton(design.caption, form.widgetFor(container));
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
