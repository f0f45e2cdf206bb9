#pragma once

#include <optional>
#include <vector>

namespace virdamo::layout {

/// A control's place as fractions of the window's inner size (unitless; made from twips).
/// Left and top are relative to the control's container but divided by the window's size.
struct ControlRatio {
    float WidthRatio = 0.0F;
    float HeightRatio = 0.0F;
    float TopRatio = 0.0F;
    float LeftRatio = 0.0F;
};

/// What the layout needs to tell apart: lines, which it never moves, and all others.
enum class ControlKind { Line, Other };

/// One control as the layout sees it. Geometry is in twips; a read returns nothing when
/// the control's kind has no such property (a line has no left, top, width or height).
class LayoutControl {
public:
    virtual ~LayoutControl() = default;

    [[nodiscard]] virtual ControlKind layoutKind() const = 0;
    [[nodiscard]] virtual std::optional<float> left() const = 0;
    [[nodiscard]] virtual std::optional<float> top() const = 0;
    [[nodiscard]] virtual std::optional<float> width() const = 0;
    [[nodiscard]] virtual std::optional<float> height() const = 0;
    /// Sets left, top, width and height at once, in twips.
    virtual void Move(float left, float top, float width, float height) = 0;
};

/// A window as the layout sees it: its controls in one fixed order and its inner size.
class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;

    [[nodiscard]] virtual int controlCount() const = 0;
    /// The i-th control, 0-based; the order never changes while the window is loaded.
    [[nodiscard]] virtual LayoutControl& control(int i) = 0;
    [[nodiscard]] virtual float innerWidth() const = 0;   ///< twips
    [[nodiscard]] virtual float innerHeight() const = 0;  ///< twips
};

/// A window's table of fractions, one element per control; empty until the window's
/// load has recorded it.
using ControlRatios = std::vector<ControlRatio>;

/// The load half: sizes the table afresh (all zero) and fills it from the controls'
/// current geometry and the window's inner size. A fraction that cannot be computed
/// (no such property, zero inner size, a failing read) stays 0.
void RecordControlRatios(LayoutWindow& window, ControlRatios& ratios);

/// The resize half: moves every control but lines to its
/// fractions of the current inner size. A table that does not match the window (not
/// recorded yet) leaves every control alone; a control whose Move fails is skipped.
void ApplyControlRatios(LayoutWindow& window, const ControlRatios& ratios);

}  // namespace virdamo::layout
