#pragma once

#include "pages/page.h"

#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>
#include <QString>

#include <vector>

class QFont;
class QPainter;

namespace virdamo::output {

/// A sheet of paper as the printer describes it.
struct Paper {
    QSizeF size;        ///< width and height, millimetres
    QMarginsF margins;  ///< the unprintable border on each side, millimetres

    /// Height of the printable area, twips.
    [[nodiscard]] float printableHeight() const;
    /// Width and height of the printable area, twips.
    [[nodiscard]] QSizeF printableArea() const;
};

/// Device units of the rendered PDF: one twip each, so printed positions need no scaling.
inline constexpr int kPdfResolution = 1440;

/// Draws page with painter, each line and text placed from the painter's origin, which the
/// caller puts at the top-left of the printable area: the one drawing routine of every page
/// the program prints, renders, previews or saves. Twips become units of the painter's
/// device; texts in a box are placed with the device's own font metrics.
void drawPage(QPainter& painter, const pages::Page& page);

/// Renders page as a one-page PDF document in memory, each text placed from the
/// top-left corner of paper's printable area. Throws OutputFailure if Qt cannot paint.
[[nodiscard]] QByteArray renderPdf(const pages::Page& page, const Paper& paper);
/// Renders pages as one PDF document in memory, a sheet of paper each, titled title.
[[nodiscard]] QByteArray renderPdf(const std::vector<pages::Page>& pages, const Paper& paper,
                                   const QString& title = {});

}  // namespace virdamo::output
