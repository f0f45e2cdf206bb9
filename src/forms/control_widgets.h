#pragma once

#include <QFont>
#include <QFrame>
#include <QGlyphRun>
#include <QLabel>
#include <QPushButton>
#include <QStaticText>
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

/// A label that keeps the layout of its caption between paints. QLabel lays out and shapes
/// its text at every paint, which is most of what repainting a full sheet costs; a caption
/// that stays on one line is drawn here from the kept layout, anything else as QLabel draws
/// it. A caption of plain characters in a fixed-pitch face (the number rows, changed at
/// every new sheet) is laid out without shaping: glyph after glyph at the face's advance.
class LabelWidget final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut(const QString& caption);

    QString laidOut_;
    QFont layoutFont_;
    QStaticText layout_;
    QGlyphRun glyphs_;    ///< used when not empty, instead of layout_
    QSizeF size_;         ///< of the laid-out caption, pixels
    qreal ascent_ = 0.0;  ///< of the glyph run's face, pixels
};

/// A push button that Return and Enter press as Space does, when it has the focus.
class CommandButtonWidget final : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
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
