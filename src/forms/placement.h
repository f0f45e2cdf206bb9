#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace virdamo::forms {

/// Where a top-level window opens: the top-left of its frame and its inner size, pixels.
struct WindowPlacement {
    QPoint framePosition;
    QSize innerSize;

    bool operator==(const WindowPlacement&) const = default;
};

/// Places a window of inner size inner with decorations frame on a screen's available
/// area: at that size when it fits, otherwise shrunk in each direction to what the area
/// leaves, and centred, so the whole frame is on the area. The proportional layout fits
/// the controls to whatever inner size results.
[[nodiscard]] WindowPlacement placeOnScreen(QSize inner, QMargins frame, QRect available);

}  // namespace virdamo::forms
