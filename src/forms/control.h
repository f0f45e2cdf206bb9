#pragma once

#include "forms/twips.h"
#include "layout/proportional_layout.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QAbstractButton;
class QLabel;
class QWidget;

namespace virdamo::forms {

class Form;

/// The kinds of control the windows are made of.
enum class ControlKind { Label, Frame, Option, CommandButton, Shape, Line };

/// Index of a control that is not a member of a control array.
inline constexpr std::int16_t kNoIndex = -1;

/// A font as a design names it; a missing face is replaced by fontconfig's substitute
/// of the same kind (a fixed-pitch face for fixedPitch fonts).
struct FontSpec {
    QString family;
    double pointSize = 8.25;
    bool bold = false;
    bool fixedPitch = false;
};

[[nodiscard]] QFont makeFont(const FontSpec& spec);

/// One control of a window: its name and array index, its container, and its geometry in
/// twips, which Move changes and the widget follows at the screen's logical DPI.
class Control : public layout::LayoutControl {
public:
    Control(Form& form, ControlKind kind, QString name, std::int16_t index, Control* container, TwipRect geometry);
    ~Control() override;

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] ControlKind kind() const { return kind_; }
    [[nodiscard]] const QString& name() const { return name_; }
    [[nodiscard]] std::int16_t index() const { return index_; }
    [[nodiscard]] Control* container() const { return container_; }
    /// "Label1(7)" for an array member, "Frame1" otherwise; also the widget's objectName.
    [[nodiscard]] QString displayName() const;

    /// Current geometry in twips (a line reports its bounding box here).
    [[nodiscard]] TwipRect geometry() const { return geometry_; }

    [[nodiscard]] virtual bool isVisible() const;
    virtual void setVisible(bool visible);
    /// Draws this control above every other control of its container.
    void bringToFront();

    /// The Qt widget drawing this control; none for a line, which its container paints.
    [[nodiscard]] QWidget* widget() const { return widget_.data(); }

    // layout::LayoutControl
    [[nodiscard]] layout::ControlKind layoutKind() const override;
    [[nodiscard]] std::optional<float> left() const override;
    [[nodiscard]] std::optional<float> top() const override;
    [[nodiscard]] std::optional<float> width() const override;
    [[nodiscard]] std::optional<float> height() const override;
    void Move(float left, float top, float width, float height) override;

    /// Re-applies the twips geometry to the widget, e.g. after the DPI changed.
    void updatePixelGeometry();

protected:
    void attachWidget(QWidget* widget);
    [[nodiscard]] Form& form() const { return form_; }

private:
    Form& form_;
    ControlKind kind_;
    QString name_;
    std::int16_t index_;
    Control* container_;
    TwipRect geometry_;
    QPointer<QWidget> widget_;
};

/// How a label is drawn: alignment, colours, and an opaque or transparent background.
struct LabelDesign {
    QString caption;
    std::optional<FontSpec> font;  ///< none: the window's default font
    Qt::Alignment alignment = Qt::AlignLeft;
    std::optional<QColor> textColor;   ///< none: the system text colour
    std::optional<QColor> background;  ///< none: transparent
};

class Label final : public Control {
public:
    Label(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
          const LabelDesign& design);

    [[nodiscard]] QString caption() const;
    void setCaption(const QString& caption);
    [[nodiscard]] QLabel* label() const;
};

class Frame final : public Control {
public:
    /// A borderless frame filled with background.
    Frame(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
          const QColor& background);
};

/// Caption, font and face colour of an option or a command button.
struct ButtonDesign {
    QString caption;
    std::optional<FontSpec> font;
    QColor background;
    bool initiallyVisible = true;
};

/// A control the user clicks: an option or a command button.
class ButtonControl : public Control {
public:
    using Control::Control;

    /// Runs handler on every click the user makes, also on an option already marked.
    void onClick(std::function<void()> handler);
    [[nodiscard]] QAbstractButton* button() const;

protected:
    void attachButton(QAbstractButton* button, const ButtonDesign& design);
};

class OptionButton final : public ButtonControl {
public:
    OptionButton(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
                 const ButtonDesign& design);

    [[nodiscard]] bool isChecked() const;
    void setChecked(bool checked);
};

class CommandButton final : public ButtonControl {
public:
    CommandButton(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
                  const ButtonDesign& design);
};

/// A filled rounded rectangle with a solid outline in the window-text colour.
struct ShapeDesign {
    QColor fill;
    int outlineWidth = 1;  ///< pixels; never scaled
};

class Shape final : public Control {
public:
    Shape(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
          const ShapeDesign& design);
};

/// A straight line drawn by its container between two points in twips. It has no left,
/// top, width or height of its own, so the proportional layout never moves it.
struct LineDesign {
    QPointF from;  ///< twips
    QPointF to;    ///< twips
    QColor color;
    int width = 1;  ///< pixels; never scaled
};

class Line final : public Control {
public:
    Line(Form& form, QString name, std::int16_t index, Control* container, const LineDesign& design);

    [[nodiscard]] const LineDesign& design() const { return design_; }
    [[nodiscard]] bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override;

    [[nodiscard]] std::optional<float> left() const override { return std::nullopt; }
    [[nodiscard]] std::optional<float> top() const override { return std::nullopt; }
    [[nodiscard]] std::optional<float> width() const override { return std::nullopt; }
    [[nodiscard]] std::optional<float> height() const override { return std::nullopt; }
    /// Lines cannot be moved: throws std::logic_error.
    void Move(float left, float top, float width, float height) override;

private:
    LineDesign design_;
    bool visible_ = true;
};

}  // namespace virdamo::forms
