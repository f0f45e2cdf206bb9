#pragma once

#include "pages/page_options.h"
#include "pages/pupil_names.h"
#include "worksheet/sheet.h"
#include "worksheet/sheet_code.h"

#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace virdamo::pages {

/// The kinds of page of a class set: never none.
enum class PageKinds { Pupils, Solutions, Both };

/// A class set: sheets 1 to N, sheet 1 that of the code first and each further one the
/// next seed, each as a pupils' page (without results), a solution page, or both, on the
/// pages options describe. Sheet k goes to names[k - 1], where there are names.
struct ClassSet {
    /// Most sheets of one class set: one a pupil of the largest class.
    static constexpr int kMaxSheets = kMaxPupilNames;

    SheetCode first;
    int sheets = 1;  ///< as asked; sheetCount() is what is made
    PageKinds pages = PageKinds::Both;
    PageOptions options;
    std::vector<QString> names;     ///< the pupils' names; with names, one sheet each
    std::vector<bool> supported{};  ///< one a name, or fewer: true for a pupil with the supported version

    /// The number of sheets made for a request of requested: 1 to kMaxSheets.
    [[nodiscard]] static int clampedSheets(int requested);
    /// The kinds of page that pupils' pages and solutions asked for make; none for neither.
    [[nodiscard]] static std::optional<PageKinds> pagesFor(bool pupils, bool solutions);

    /// Sheets made: as many as names, or as asked.
    [[nodiscard]] int sheetCount() const
    {
        return clampedSheets(names.empty() ? sheets : static_cast<int>(names.size()));
    }
    [[nodiscard]] bool hasPupils() const { return pages != PageKinds::Solutions; }
    [[nodiscard]] bool hasSolutions() const { return pages != PageKinds::Pupils; }
    /// The pupil sheet k (from 1) goes to; empty for none.
    [[nodiscard]] QString pupil(int k) const;
    /// True when sheet k (from 1) goes to a pupil with the supported version.
    [[nodiscard]] bool isSupported(int k) const;
    /// How the pages of sheet k (from 1) look: the supported version of options for a
    /// pupil who has it, options for everyone else.
    [[nodiscard]] PageOptions optionsFor(int k) const { return optionsShown(isSupported(k)); }
    /// How the pages of a supported pupil, or of anyone else, look.
    [[nodiscard]] PageOptions optionsShown(bool supportedPupil) const
    {
        return supportedPupil ? options.supported() : options;
    }
    /// Sheet k (from 1) as its pages show it: its operations written as they look there, the
    /// first ones alone for a supported pupil.
    [[nodiscard]] Sheet sheetFor(int k) const;
    /// Operations of a sheet its pages show: the first ones of the sheet, as many as
    /// options say for a supported pupil, every one for everyone else.
    [[nodiscard]] int operationsShown(bool supportedPupil) const;
    /// Pages of one sheet of kind, for a pupil who is supported or not, named pupil (a long
    /// name takes a heading of two lines).
    [[nodiscard]] int pagesPerSheet(PageKind kind, bool supportedPupil, QSizeF printableArea,
                                    const QString& pupil = {}) const;
    /// Pages of the whole document on a printable area of printableArea twips: one a sheet
    /// and a kind on plain pages, as many as the squares need on squared ones.
    [[nodiscard]] int pageCount(QSizeF printableArea) const;
};

}  // namespace virdamo::pages
