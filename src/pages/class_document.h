#pragma once

#include "pages/class_set.h"
#include "pages/page.h"

#include <QSizeF>

#include <vector>

namespace virdamo::pages {

/// The pages of set in printed order: the pupils' pages of sheets 1 to N, then the
/// solution pages of sheets 1 to N, for a printable area of printableArea twips. On plain
/// pages a solution page is the page "STAMPA" prints for its sheet, a pupils' page the same
/// without the rows under the first rule; each ends with a footer line naming the sheet
/// and its code at the bottom of the printable area (under the heading where the sheet
/// leaves no room there). With squares, each sheet takes the pages squaredSheetPages makes.
[[nodiscard]] std::vector<Page> classSetPages(const ClassSet& set, QSizeF printableArea);

}  // namespace virdamo::pages
