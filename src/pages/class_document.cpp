#include "pages/class_document.h"

#include "pages/page_texts.h"
#include "pages/printer.h"
#include "pages/squared_pages.h"
#include "pages/stampa_scheda.h"
#include "worksheet/sheet.h"

#include "layout/twips.h"

#include <algorithm>
#include <string>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

/// The page of kind of sheet as "STAMPA" prints it.
Page plainPage(const Sheet& sheet, PageKind kind)
{
    PageCapture capture;
    printSheet(sheet, kind, capture);
    std::vector<Page> pages = capture.takePages();
    return pages.empty() ? Page{} : std::move(pages.front());
}

/// Appends the page or pages of kind of sheet to pages.
void addSheetPages(std::vector<Page>& pages, const Sheet& sheet, PageKind kind, const PageOptions& options,
                   QSizeF printableArea, const SheetFooter& footer)
{
    if (options.squared()) {
        std::vector<Page> squared = squaredSheetPages(sheet, kind, options, printableArea, footer);
        pages.insert(pages.end(), std::make_move_iterator(squared.begin()), std::make_move_iterator(squared.end()));
        return;
    }
    pages.push_back(plainPage(sheet, kind));
    const bool nameInHeading = kind == PageKind::Pupils && options.pupilsHeading;
    addPlainFooter(pages.back(), footerLine(footer, kind, 1, 1, nameInHeading), printableArea);
    addPlainPupilsHeading(pages.back(), kind, options, footer.pupil, printableArea.width());
}

}  // namespace

std::vector<Page> classSetPages(const ClassSet& set, QSizeF printableArea)
{
    const int count = set.sheetCount();
    std::vector<Page> pupils;
    std::vector<Page> solutions;
    for (int k = 1; k <= count; ++k) {
        const SheetCode code = set.first.nth(k);
        const PageOptions options = set.optionsFor(k);
        const Sheet sheet = set.sheetFor(k);
        const SheetFooter footer{k, count, code.text(), set.pupil(k)};
        if (set.hasPupils()) {
            addSheetPages(pupils, sheet, PageKind::Pupils, options, printableArea, footer);
        }
        if (set.hasSolutions()) {
            addSheetPages(solutions, sheet, PageKind::Solutions, options, printableArea, footer);
        }
    }
    pupils.insert(pupils.end(), std::make_move_iterator(solutions.begin()), std::make_move_iterator(solutions.end()));
    return pupils;
}

}  // namespace virdamo::pages
