#include "pages/class_set.h"

#include "pages/squared_pages.h"

#include <algorithm>

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

int ClassSet::pageCount(QSizeF printableArea) const
{
    const int kinds = pages == PageKinds::Both ? 2 : 1;
    const int perSheet = options.squared() ? squaredPagesFor(first, options, printableArea) : 1;
    return sheetCount() * kinds * perSheet;
}

}  // namespace virdamo::pages
