#pragma once

#include "print/page.h"
#include "print/pdf_page.h"
#include "worksheet/sheet_code.h"

#include <QByteArray>

#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace virdamo::print {

/// The kinds of page of a class set: never none.
enum class PageKinds { Pupils, Solutions, Both };

/// A class set: sheets 1 to N, sheet 1 that of the code first and each further one the
/// next seed, each as a pupils' page (without results), a solution page, or both.
struct ClassSet {
    /// Most sheets of one class set.
    static constexpr int kMaxSheets = 40;

    SheetCode first;
    int sheets = 1;  ///< as asked; sheetCount() is what is made
    PageKinds pages = PageKinds::Both;

    /// The number of sheets made for a request of requested: 1 to kMaxSheets.
    [[nodiscard]] static int clampedSheets(int requested);
    /// The kinds of page that pupils' pages and solutions asked for make; none for neither.
    [[nodiscard]] static std::optional<PageKinds> pagesFor(bool pupils, bool solutions);

    [[nodiscard]] int sheetCount() const { return clampedSheets(sheets); }
    [[nodiscard]] bool hasPupils() const { return pages != PageKinds::Solutions; }
    [[nodiscard]] bool hasSolutions() const { return pages != PageKinds::Pupils; }
    /// Pages of the whole document.
    [[nodiscard]] int pageCount() const { return sheetCount() * (pages == PageKinds::Both ? 2 : 1); }
};

/// The pages of set in printed order: the pupils' pages of sheets 1 to N, then the
/// solution pages of sheets 1 to N. A solution page is the page "STAMPA" prints for its
/// sheet, a pupils' page the same without the rows under the first rule; each ends with
/// a footer line naming the sheet and its code, at the bottom of a printable area
/// printableHeight twips high (under the heading where the sheet leaves no room there).
[[nodiscard]] std::vector<Page> classSetPages(const ClassSet& set, float printableHeight);

/// The paper a class set is saved on as a PDF file: A4, with margins that any printer can
/// print within.
[[nodiscard]] Paper pdfPaper();

/// The class set as one PDF document in memory, on paper.
[[nodiscard]] QByteArray classSetPdf(const ClassSet& set, const Paper& paper);

/// Draws the class set on device (a preview), a page each, from the top-left of its
/// printable area. Throws OutputFailure when the device cannot be drawn on.
void drawClassSet(const ClassSet& set, QPagedPaintDevice& device);

}  // namespace virdamo::print
