#pragma once

#include "pages/printer.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace virdamo::pages {

/// Where a text stands in its box.
enum class TextPlace {
    TopLeft,     ///< its first character cell's top-left at the box's top-left
    MiddleLeft,  ///< from the box's left edge, the height of its capitals and digits centred in the box
    Centre,      ///< centred both ways: by its advance, and by the height of its capitals and digits
};

/// One text of a page, with the font and the place it was printed with.
struct PlacedText {
    QString fontName;
    float pointSize = 0.0F;
    QPointF topLeft;  ///< top-left of the first character cell or of the box, twips from the printable area's top-left
    QString text;
    /// Twips. A text wider than a box that is not empty is drawn smaller, to its width;
    /// the empty box leaves the text its size wherever it ends.
    QSizeF box;
    TextPlace place = TextPlace::TopLeft;

    bool operator==(const PlacedText&) const = default;
};

/// The ink of a line.
enum class Ink { Black, Grey };

/// A straight line of a page: a rule, or a line of squared paper.
struct PlacedLine {
    QPointF from;        ///< twips from the printable area's top-left
    QPointF to;          ///< twips from the printable area's top-left
    double width = 0.0;  ///< twips
    Ink ink = Ink::Black;

    bool operator==(const PlacedLine&) const = default;
};

/// A light tint under some squares, as an RGB colour 0xRRGGBB.
struct PlacedFill {
    QRectF area;  ///< twips from the printable area's top-left
    unsigned rgb = 0xFFFFFF;

    bool operator==(const PlacedFill&) const = default;
};

/// What one page shows: its tints, then its lines, and over them its texts in the order
/// they were printed.
struct Page {
    std::vector<PlacedFill> fills;
    std::vector<PlacedLine> lines;
    std::vector<PlacedText> texts;

    bool operator==(const Page&) const = default;
};

/// Keeps the printer's current font and position and collects what is printed with them.
class PageRecorder final {
public:
    void setFontName(const std::string& name) { fontName_ = QString::fromStdString(name); }
    void setFontSize(float points) { pointSize_ = points; }
    void setHorizontalPosition(float twips) { x_ = twips; }
    void setVerticalPosition(float twips) { y_ = twips; }
    /// Records text at the current place; the empty text leaves no trace on the page.
    void printLine(const std::string& text);

    /// The page collected so far; the recorder starts an empty one.
    [[nodiscard]] Page takePage();

private:
    QString fontName_;
    float pointSize_ = 12.0F;
    float x_ = 0.0F;
    float y_ = 0.0F;
    Page page_;
};

/// A printer that keeps every ended page in memory instead of sending it anywhere: the
/// pages of a document are printed with the sheet routines and drawn together afterwards.
class PageCapture final : public Printer {
public:
    void setFontName(const std::string& name) override { recorder_.setFontName(name); }
    void setFontSize(float points) override { recorder_.setFontSize(points); }
    void setHorizontalPosition(float twips) override { recorder_.setHorizontalPosition(twips); }
    void setVerticalPosition(float twips) override { recorder_.setVerticalPosition(twips); }
    void printLine(const std::string& text) override;
    void endDocument() override;

    /// The pages of the jobs ended so far, oldest first.
    [[nodiscard]] const std::vector<Page>& pages() const { return pages_; }
    [[nodiscard]] std::vector<Page> takePages() { return std::exchange(pages_, {}); }

private:
    PageRecorder recorder_;
    bool jobOpen_ = false;
    std::vector<Page> pages_;
};

}  // namespace virdamo::pages
