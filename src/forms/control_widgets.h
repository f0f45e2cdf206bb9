#pragma once

#include <QFrame>
#include <QWidget>

#include <functional>

class QPainter;

namespace virdamo::forms {

/// A borderless frame that also draws the lines placed in it.
class FrameWidget final : public QFrame {
    Q_OBJECT
public:
    using LinePainter = std::function<void(QPainter&)>;

    FrameWidget(QWidget* parent, LinePainter paintLines);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LinePainter paintLines_;
};

/// A filled rounded rectangle with an outline whose width in pixels never scales.
class ShapeWidget final : public QWidget {
    Q_OBJECT
public:
    ShapeWidget(QWidget* parent, const QColor& fill, int outlineWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
    int outlineWidth_;
};

}  // namespace virdamo::forms
