#pragma once

#include <QFont>
#include <QString>

namespace virdamo::forms {

/// A font as a design names it.
struct FontSpec {
    QString family;
    double pointSize = 8.25;
    bool bold = false;
    bool fixedPitch = false;
};

/// The face the program draws a design's face with. Windows and pages use only faces the
/// program depends on (fonts-liberation, fonts-dejavu-core), so they look the same
/// whatever else the machine has installed: "Courier" and "Courier New" become Liberation
/// Mono (metric-identical to Courier New), "Arial" Liberation Sans, "Verdana" DejaVu Sans.
/// Any other name is kept.
[[nodiscard]] QString installedFace(const QString& designFace);

/// The font of spec, drawn with its installed face; a fixed-pitch spec never falls back
/// to a proportional face.
[[nodiscard]] QFont makeFont(const FontSpec& spec);

}  // namespace virdamo::forms
