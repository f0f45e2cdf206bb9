#include "pages/class_set.h"

#include "pages/squared_pages.h"
#include "worksheet/powers_of_ten.h"

#include <algorithm>
#include <cstddef>

namespace virdamo::pages {

int ClassSet::clampedSheets(int requested)
{
    return std::clamp(requested, 1, kMaxSheets);
}

std::optional<PageKinds> ClassSet::pagesFor(bool pupils, bool solutions)
{
    if (pupils && solutions) {
        return PageKinds::Both;
    }
    if (pupils || solutions) {
        return pupils ? PageKinds::Pupils : PageKinds::Solutions;
    }
    return std::nullopt;
}

QString ClassSet::pupil(int k) const
{
    const auto at = static_cast<std::size_t>(k - 1);
    return k >= 1 && at < names.size() ? names[at] : QString();
}

bool ClassSet::isSupported(int k) const
{
    const auto at = static_cast<std::size_t>(k - 1);
    return k >= 1 && at < supported.size() && at < names.size() && supported[at];
}

Sheet ClassSet::sheetFor(int k) const
{
    Sheet sheet = sheetOf(first.nth(k), optionsFor(k).conventionsShown());
    sheet.keepFirst(operationsShown(isSupported(k)));
    return sheet;
}

int ClassSet::operationsShown(bool supportedPupil) const
{
    // The powers of ten's sheet has its rows whatever the count of operations asked.
    const int all = first.kind == SheetKind::PowersOfTen ? kPowersOfTenRows : first.operations();
    if (!supportedPupil) {
        return all;
    }
    return options.supportedOperations > 0 ? std::clamp(options.supportedOperations, 1, all) : (all + 1) / 2;
}

int ClassSet::pagesPerSheet(PageKind kind, bool supportedPupil, QSizeF printableArea, const QString& pupil) const
{
    const PageOptions shown = optionsShown(supportedPupil);
    if (!shown.squared()) {
        return 1;
    }
    SheetFooter footer;
    footer.pupil = pupil;
    return squaredPageCount(first, operationsShown(supportedPupil), kind, shown, printableArea, footer);
}

int ClassSet::pageCount(QSizeF printableArea) const
{
    int count = 0;
    for (int k = 1; k <= sheetCount(); ++k) {
        for (const PageKind kind : {PageKind::Pupils, PageKind::Solutions}) {
            if (kind == PageKind::Pupils ? hasPupils() : hasSolutions()) {
                count += pagesPerSheet(kind, isSupported(k), printableArea, pupil(k));
            }
        }
    }
    return count;
}

}  // namespace virdamo::pages
