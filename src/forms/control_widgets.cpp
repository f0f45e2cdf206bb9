#include "forms/control_widgets.h"

#include "texts/fonts.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QStyle>

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

void LabelWidget::layOut(const QString& caption)
{
    laidOut_ = caption;
    layoutFont_ = font();
    glyphs_ = QGlyphRun();
    if (std::optional<QGlyphRun> run = texts::unshapedRun(texts::unshapedFace(layoutFont_), caption)) {
        glyphs_ = *run;
        const QFontMetricsF metrics(layoutFont_, this);
        size_ = QSizeF(run->boundingRect().width(), metrics.height());
        ascent_ = metrics.ascent();
        return;
    }
    layout_.setTextFormat(Qt::PlainText);
    layout_.setText(caption);
    layout_.prepare(QTransform(), layoutFont_);
    size_ = layout_.size();
}

void LabelWidget::paintEvent(QPaintEvent* event)
{
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    if (laidOut_ != caption || layoutFont_ != font()) {
        layOut(caption);
    }
    const QRect area = contentsRect();
    const QSizeF size = size_;
    // A caption without blanks stays on one line however long it is.
    const bool oneLine = size.width() <= area.width()
        || std::none_of(caption.begin(), caption.end(), [](QChar c) { return c.isSpace(); });
    if (!isEnabled() || !oneLine) {
        QLabel::paintEvent(event);  // wrapped or greyed: QLabel's own drawing
        return;
    }
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    qreal x = area.x();
    if (align & Qt::AlignRight) {
        x = area.x() + area.width() - size.width();
    } else if (align & Qt::AlignHCenter) {
        x = area.x() + (area.width() - size.width()) / 2;
    }
    qreal y = area.y();
    if (align & Qt::AlignBottom) {
        y = area.y() + area.height() - size.height();
    } else if (align & Qt::AlignVCenter) {
        y = area.y() + (area.height() - size.height()) / 2;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    if (glyphs_.isEmpty()) {
        painter.setFont(font());
        painter.drawStaticText(QPointF(x, y), layout_);
    } else {
        painter.drawGlyphRun(QPointF(x, y + ascent_), glyphs_);
    }
}

void CommandButtonWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
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
