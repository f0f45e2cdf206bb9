#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <optional>

namespace virdamo::texts {

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

/// The face of font for laying glyphs out without shaping; invalid unless font is fixed-pitch.
[[nodiscard]] QRawFont unshapedFace(const QFont& font);

/// The glyphs of text in face one after the other at their advances, from the origin on
/// the baseline. Shaping a text is most of what drawing it costs, and a fixed-pitch face
/// neither kerns nor joins: for plain characters (printable ASCII) the result is the same.
/// None for any other text, an invalid face, or a character the face lacks.
[[nodiscard]] std::optional<QGlyphRun> unshapedRun(const QRawFont& face, const QString& text);

/// The font a printed text is drawn with: the installed face standing for the named one
/// at pointSize points, falling back to a fixed-pitch face when the name is unknown.
[[nodiscard]] QFont printFont(const QString& name, float pointSize);

}  // namespace virdamo::texts
