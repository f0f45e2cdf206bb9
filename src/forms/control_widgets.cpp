#include "forms/control_widgets.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <utility>

namespace virdamo::forms {

FrameWidget::FrameWidget(QWidget* parent, LinePainter paintLines)
    : QFrame(parent)
    , paintLines_(std::move(paintLines))
{
    setFrameShape(QFrame::NoFrame);
}

void FrameWidget::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    paintLines_(painter);
}

ShapeWidget::ShapeWidget(QWidget* parent, const QColor& fill, int outlineWidth)
    : QWidget(parent)
    , fill_(fill)
    , outlineWidth_(outlineWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidth(outlineWidth_);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(fill_);
    // The outline lies inside the control's rectangle, as a shape's border does.
    const qreal inset = outlineWidth_ / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.drawRoundedRect(box, radius, radius);
}

}  // namespace virdamo::forms
