#pragma once

#include "print/page.h"

#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>

class QFont;

namespace virdamo::print {

/// A sheet of paper as the printer describes it.
struct Paper {
    QSizeF size;        ///< width and height, millimetres
    QMarginsF margins;  ///< the unprintable border on each side, millimetres
};

/// Device units of the rendered page: one twip each, so printed positions need no scaling.
inline constexpr int kPdfResolution = 1440;

/// Renders page as a one-page PDF document in memory, each text placed from the
/// top-left corner of paper's printable area. Throws PrintFailure if Qt cannot paint.
[[nodiscard]] QByteArray renderPdf(const Page& page, const Paper& paper);

/// The font a printed text is drawn with: the installed face standing for the named one
/// at pointSize points, falling back to a fixed-pitch face when the name is unknown.
[[nodiscard]] QFont printFont(const QString& name, float pointSize);

}  // namespace virdamo::print
