#include "forms/placement.h"

#include <algorithm>

namespace virdamo::forms {

WindowPlacement placeOnScreen(QSize inner, QMargins frame, QRect available)
{
    const int decorationWidth = frame.left() + frame.right();
    const int decorationHeight = frame.top() + frame.bottom();
    const QSize fitted(std::max(1, std::min(inner.width(), available.width() - decorationWidth)),
                       std::max(1, std::min(inner.height(), available.height() - decorationHeight)));
    QRect outer(QPoint(), fitted + QSize(decorationWidth, decorationHeight));
    outer.moveCenter(available.center());
    // Centring rounds; an outer rectangle as large as the area must still start on it.
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    return {outer.topLeft(), fitted};
}

}  // namespace virdamo::forms
