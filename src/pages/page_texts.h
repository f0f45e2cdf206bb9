#pragma once

#include "pages/page.h"
#include "pages/page_options.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

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
/// also names the page: "Scheda k di N - pagina p di P - codice ...". On pupils' pages whose
/// heading asks for the name (nameInHeading) the footer ends with the code.
[[nodiscard]] QString footerLine(const SheetFooter& footer, PageKind kind, int page = 1, int pages = 1,
                                 bool nameInHeading = false);

/// Width of text in the lines' fixed-pitch face at pointSize, twips.
[[nodiscard]] double lineWidth(const QString& text, float pointSize);

/// Line as it stands in width twips at kLineSize: itself where it fits, else broken after
/// its last " - " or double blank that leaves a first part that fits, into two lines.
[[nodiscard]] QStringList brokenLine(const QString& line, double width);

/// The pupils' heading: "Nome", the pupil's name or a blank to fill in, "Classe" and "Data"
/// with their blanks.
[[nodiscard]] QString pupilsHeadingLine(const QString& pupil);

/// Adds the pupils' heading of options (if it has one) to a plain pupils' page, for pupil
/// (empty: a blank to fill in): a line of 10 points at the very top of the printable
/// area, printableWidth twips wide, above the sheet's own heading; two where a long name
/// would not leave it its size.
void addPlainPupilsHeading(Page& page, PageKind kind, const PageOptions& options, const QString& pupil,
                           double printableWidth);

/// Adds the footer line text to a plain page: at the bottom of the printable area of
/// printableArea twips, or under the heading where the lowest line of the sheet leaves no
/// room for it; broken in two where it would not keep its size in one.
void addPlainFooter(Page& page, const QString& text, QSizeF printableArea);

}  // namespace virdamo::pages
