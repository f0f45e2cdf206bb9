#pragma once

#include <cmath>

namespace virdamo::forms {

/// Twips per inch: every position and size on screen and on paper is in twips.
inline constexpr float kTwipsPerInch = 1440.0F;
/// Twips per typographic point (1/72 inch).
inline constexpr float kTwipsPerPoint = 20.0F;
/// Twips per millimetre, in double precision: paper is measured in millimetres, and
/// positions on it are computed from them without rounding.
inline constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;

/// Twips of a length in millimetres.
[[nodiscard]] inline constexpr double millimetresToTwips(double millimetres)
{
    return millimetres * kTwipsPerMillimetre;
}

/// Nearest whole pixel of a twip coordinate at dpi dots per inch.
[[nodiscard]] inline int twipsToPixels(float twips, float dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

/// Twips covered by a pixel count at dpi dots per inch.
[[nodiscard]] inline float pixelsToTwips(int pixels, float dpi)
{
    return static_cast<float>(pixels) * kTwipsPerInch / dpi;
}

/// A control's place in twips: left and top relative to its container.
struct TwipRect {
    float left = 0.0F;
    float top = 0.0F;
    float width = 0.0F;
    float height = 0.0F;

    bool operator==(const TwipRect&) const = default;
};

}  // namespace virdamo::forms
