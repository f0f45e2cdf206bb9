#pragma once

#include "layout/proportional_layout.h"
#include "layout/twips.h"
#include "texts/fonts.h"

#include <QColor>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QAbstractButton;
class QLabel;

namespace virdamo::forms {

// The windowing layer measures in the program's unit and draws in the program's faces.
using layout::kTwipsPerInch;
using layout::pixelsToTwips;
using layout::TwipRect;
using layout::twipsToPixels;
using texts::FontSpec;
using texts::makeFont;

class Form;

/// The kinds of control the windows are made of.
enum class ControlKind { Label, Frame, Option, CommandButton, Shape, Line };

/// Index of a control that is not a member of a control array.
inline constexpr std::int16_t kNoIndex = -1;

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

    /// The control's own visibility, independent of whether its window is shown; inside a
    /// command, the visibility the command has asked for so far.
    [[nodiscard]] virtual bool isVisible() const;
    /// Shows or hides the control. Inside a command of its window only the net change is
    /// made when the command ends: a control hidden and shown again is never touched.
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
    /// The geometry in pixels of the container, each edge rounded on its own, so controls
    /// whose edges coincide in twips also coincide on screen.
    [[nodiscard]] QRect pixelBox() const;

    /// Applies what a command asked of this control; called by the window when the command ends.
    virtual void applyPending();

protected:
    void attachWidget(QWidget* widget);
    [[nodiscard]] Form& form() const { return form_; }
    /// Places the widget for the pixel box; a label may draw outside its box.
    virtual void placeWidget(const QRect& box);
    /// Notes that this control has a change for the end of the command; false outside a command.
    bool deferToCommandEnd();

private:
    Form& form_;
    ControlKind kind_;
    QString name_;
    std::int16_t index_;
    Control* container_;
    TwipRect geometry_;
    QPointer<QWidget> widget_;
    std::optional<bool> pendingVisible_;
    bool queued_ = false;
};

/// How a label is drawn: alignment, colours, and an opaque or transparent background.
struct LabelDesign {
    QString caption;
    std::optional<FontSpec> font;             ///< none: the window's default font
    Qt::Alignment alignment = Qt::AlignLeft;  ///< without a vertical flag: the top
    std::optional<QColor> textColor;          ///< none: the system text colour
    std::optional<QColor> background;         ///< none: transparent
};

class Label final : public Control {
public:
    Label(Form& form, QString name, std::int16_t index, Control* container, TwipRect geometry,
          const LabelDesign& design);

    /// The caption; inside a command, the one the command has set last.
    [[nodiscard]] QString caption() const;
    /// Sets the caption; inside a command only the last caption is drawn, when it ends.
    void setCaption(const QString& caption);
    [[nodiscard]] QLabel* label() const;

    /// Draws the text so that it ends at column x (pixels of the container) instead of at
    /// the box's right edge: a box that ends short of x is widened to it, and one too
    /// narrow for the text is widened to the left, so no character is ever cut. Labels
    /// whose rows must stand digit under digit use it. nullopt draws in the box again.
    void anchorTextRight(std::optional<qreal> x);

    void applyPending() override;

protected:
    void placeWidget(const QRect& box) override;

private:
    std::optional<qreal> textRight_;
    std::optional<QString> pendingCaption_;
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
