#pragma once

#include "pages/page.h"
#include "pages/page_options.h"

#include <QSizeF>
#include <QString>

namespace virdamo::pages {

// The lines a sheet's pages carry besides its operations, plain or squared: the pupils'
// heading and the footer, in one face and size.

/// The face of the heading and footer lines, and of every digit on squares.
inline const QString kLineFont = QStringLiteral("Courier New");
/// Size of the pupils' heading and the footer, points.
inline constexpr float kLineSize = 10.0F;
/// The least height a line of kLineSize stands in, twips.
inline constexpr double kLineBand = 220.0;

/// The footer line of page page of pages of a sheet: "Scheda k di N - codice XXXXX-XXXXX - "
/// then "alunno: " and the pupil's name (or a blank to fill in) on pupils' pages, or
/// "soluzioni" followed by " - " and the pupil's name, if any. A sheet of more than one page
/// also names the page: "Scheda k di N - pagina p di P - codice ...".
[[nodiscard]] QString footerLine(const SheetFooter& footer, PageKind kind, int page = 1, int pages = 1);

/// The pupils' heading: "Nome", the pupil's name or a blank to fill in, "Classe" and "Data"
/// with their blanks.
[[nodiscard]] QString pupilsHeadingLine(const QString& pupil);

/// Adds the pupils' heading of options (if it has one) to a plain pupils' page, for pupil
/// (empty: a blank to fill in): one line of 10 points at the very top of the printable
/// area, printableWidth twips wide, above the sheet's own heading.
void addPlainPupilsHeading(Page& page, PageKind kind, const PageOptions& options, const QString& pupil,
                           double printableWidth);

/// Adds the footer line text to a plain page: at the bottom of the printable area of
/// printableArea twips, or under the heading where the lowest line of the sheet leaves no
/// room for it.
void addPlainFooter(Page& page, const QString& text, QSizeF printableArea);

}  // namespace virdamo::pages
