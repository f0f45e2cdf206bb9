#include "pages/page_texts.h"

#include <algorithm>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

/// Left edge of the lines on plain pages: that of the first column of operations.
constexpr double kPlainLeft = 500.0;          // twips
constexpr float kUnderHeading = 900.0F;       // twips: between the heading and the first row of operations
constexpr float kLineHeightPerPoint = 24.0F;  // twips of one line per point of size, with room to spare

}  // namespace

QString footerLine(const SheetFooter& footer, PageKind kind, int page, int pages)
{
    QString line = u"Scheda %1 di %2 - "_s.arg(footer.sheet).arg(footer.sheets);
    if (pages > 1) {
        line += u"pagina %1 di %2 - "_s.arg(page).arg(pages);
    }
    line += u"codice "_s + QString::fromStdString(footer.code) + u" - "_s;
    if (kind == PageKind::Pupils) {
        return line + u"alunno: "_s + (footer.pupil.isEmpty() ? u"____________"_s : footer.pupil);
    }
    line += u"soluzioni"_s;
    return footer.pupil.isEmpty() ? line : line + u" - "_s + footer.pupil;
}

QString pupilsHeadingLine(const QString& pupil)
{
    return u"Nome "_s + (pupil.isEmpty() ? u"______________"_s : pupil) + u"  Classe ______  Data __________"_s;
}

void addPlainPupilsHeading(Page& page, PageKind kind, const PageOptions& options, const QString& pupil,
                           double printableWidth)
{
    if (kind != PageKind::Pupils || !options.pupilsHeading) {
        return;
    }
    page.texts.push_back({kLineFont, kLineSize, QPointF(kPlainLeft, 0.0), pupilsHeadingLine(pupil),
                          QSizeF(printableWidth - kPlainLeft, kLineBand), TextPlace::TopLeft});
}

void addPlainFooter(Page& page, const QString& text, QSizeF printableArea)
{
    const auto printableHeight = static_cast<float>(printableArea.height());
    float lowest = 0.0F;
    for (const PlacedText& placed : page.texts) {
        lowest = std::max(lowest, static_cast<float>(placed.topLeft.y()) + placed.pointSize * kLineHeightPerPoint);
    }
    const float lineHeight = kLineSize * kLineHeightPerPoint;
    const float bottom = printableHeight - lineHeight;
    const float top = bottom >= lowest ? bottom : kUnderHeading;
    // A footer naming a pupil may be long: its box keeps it within the paper.
    page.texts.push_back(PlacedText{kLineFont, kLineSize, QPointF(kPlainLeft, top), text,
                                    QSizeF(printableArea.width() - kPlainLeft, lineHeight), TextPlace::TopLeft});
}

}  // namespace virdamo::pages
