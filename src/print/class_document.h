#pragma once

#include "print/page.h"
#include "print/page_options.h"
#include "print/pdf_page.h"
#include "worksheet/sheet_code.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <vector>

class QPrinter;

namespace virdamo::print {

/// Most sheets of one class set.
inline constexpr int kMaxClassSheets = 40;

/// A class set: sheets 1 to count, sheet 1 that of the code first and each further one the
/// next seed, each as a pupils' page (without results), a solution page, or both.
struct ClassSet {
    SheetCode first;
    int count = 1;  ///< 1 to kMaxClassSheets
    bool pupils = true;
    bool solutions = true;
};

/// The pages of set in printed order: the pupils' pages of sheets 1 to N, then the
/// solution pages of sheets 1 to N, for a printable area of printableArea twips. On plain
/// pages a solution page is the page "STAMPA" prints for its sheet, a pupils' page the same
/// without the rows under the first rule; each ends with a footer line naming the sheet
/// and its code at the bottom of the printable area (under the heading where the sheet
/// leaves no room there). With squares, each sheet takes the pages squaredSheetPages makes.
/// Sheet k goes to names[k - 1] where there is such a name.
[[nodiscard]] std::vector<Page> classSetPages(const ClassSet& set, QSizeF printableArea,
                                              const PageOptions& options = PageOptions::bare(),
                                              const std::vector<QString>& names = {});

/// The paper a class set is saved on as a PDF file: A4, with margins that any printer can
/// print within.
[[nodiscard]] Paper pdfPaper();

/// The class set as one PDF document in memory, on paper.
[[nodiscard]] QByteArray classSetPdf(const ClassSet& set, const Paper& paper,
                                     const PageOptions& options = PageOptions::bare(),
                                     const std::vector<QString>& names = {});

/// Prints the class set on printer as its print dialog left it: its paper and printable
/// area, its copies and the pages it asks for. Throws PrintFailure when the printer
/// cannot be drawn on or reports an error.
void printClassSet(const ClassSet& set, QPrinter& printer, const PageOptions& options = PageOptions::bare(),
                   const std::vector<QString>& names = {});

}  // namespace virdamo::print
