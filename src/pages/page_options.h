#pragma once

#include "worksheet/conventions.h"

#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace virdamo::pages {

/// The two kinds of page of a sheet.
enum class PageKind {
    Pupils,     ///< the factors only: the pupil works the rest out
    Solutions,  ///< every row worked out
};

/// The sides of the squares a class writes on, millimetres: 10 for the first class, 5 for
/// the second and third, 4 for the fourth and fifth.
inline constexpr std::array<double, 3> kSquareSides{10.0, 5.0, 4.0};

/// Most operations of one page: a whole sheet.
inline constexpr int kMaxPerPage = 20;
/// Most operations a page of the supported version holds.
inline constexpr int kSupportedPerPage = 4;
/// Most characters (Unicode code points) of a title or an instruction line.
inline constexpr int kMaxLineCharacters = 80;

/// How the pages of a class set look. Carries rows and the prova del nove need squares:
/// on plain pages they are never shown, whatever is asked.
struct PageOptions {
    /// Side of the squares, millimetres, one of kSquareSides; none for plain pages. Sizes
    /// out of their range count as the nearest.
    std::optional<double> squareMillimetres;
    bool showCarries = false;    ///< a row of squares for each row of carries
    bool provaDelNove = false;   ///< the cross beside each operation
    bool pupilsHeading = true;   ///< "Nome ... Classe ... Data ..." at the top of pupils' pages
    Conventions conventions{};   ///< how the class writes an operation on squares
    int perPage = 0;             ///< most operations on a page, 1 to kMaxPerPage; 0 for as many as fit
    bool columnLabels = false;   ///< "k h da u" over each operation's columns, on squares
    bool columnColours = false;  ///< each column of an operation tinted by its place value, on squares
    bool timesTable = false;     ///< the tavola pitagorica on each pupil's pages, on squares
    QString title{};             ///< over the operations on squares; empty for the program's own
    QString instruction{};       ///< a line under the title on squares; empty for none
    /// Operations of a supported pupil's sheet, its first ones; 0 for half the sheet.
    int supportedOperations = 0;

    bool operator==(const PageOptions&) const = default;

    [[nodiscard]] bool squared() const { return squareMillimetres.has_value(); }
    [[nodiscard]] bool carriesShown() const { return squared() && showCarries; }
    [[nodiscard]] bool provaShown() const { return squared() && provaDelNove; }
    /// The conventions operations are written with: the class's on squares; plain pages
    /// write every operation as they always have.
    [[nodiscard]] Conventions conventionsShown() const { return squared() ? conventions : Conventions{}; }

    /// Most operations a page of these options holds: perPage, or kMaxPerPage.
    [[nodiscard]] int operationsPerPage() const { return perPage > 0 ? perPage : kMaxPerPage; }
    /// The version of these pages for a pupil with a personal plan: 10 mm squares with
    /// the columns labelled and tinted, the tavola pitagorica at hand, and few operations a
    /// page; carries, the cross, the heading, the title and the conventions as these have them.
    [[nodiscard]] PageOptions supported() const;

    /// Plain pages with the sheet and its footer and nothing more.
    [[nodiscard]] static PageOptions bare() { return PageOptions{std::nullopt, false, false, false, {}}; }
};

inline PageOptions PageOptions::supported() const
{
    PageOptions version = *this;
    version.squareMillimetres = kSquareSides.front();
    version.columnLabels = true;
    version.columnColours = true;
    version.timesTable = true;
    version.perPage = std::min(operationsPerPage(), kSupportedPerPage);
    return version;
}

/// What the footer of a sheet's pages names: the sheet, its code and whom it goes to.
struct SheetFooter {
    int sheet = 1;   ///< from 1
    int sheets = 1;  ///< in the class set
    std::string code;
    QString pupil;  ///< empty when the sheet goes to no one by name
};

}  // namespace virdamo::pages
