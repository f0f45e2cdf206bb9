#pragma once

#include <cmath>

namespace virdamo::layout {

// The units of the program: every position and size on screen and on paper is in twips.

/// Twips per inch.
inline constexpr float kTwipsPerInch = 1440.0F;
/// Twips per typographic point (1/72 inch).
inline constexpr double kTwipsPerPoint = 20.0;
/// Twips per millimetre.
inline constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;

/// Twips of a length in points.
[[nodiscard]] constexpr double pointsToTwips(double points)
{
    return points * kTwipsPerPoint;
}

/// Twips of a length in millimetres.
[[nodiscard]] constexpr double millimetresToTwips(double millimetres)
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

}  // namespace virdamo::layout
