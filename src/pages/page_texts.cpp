#include "pages/page_texts.h"

#include "layout/twips.h"

#include <algorithm>

namespace virdamo::pages {

using namespace Qt::StringLiterals;

namespace {

/// Left edge of the lines on plain pages: that of the first column of operations.
constexpr double kPlainLeft = 500.0;          // twips
constexpr float kUnderHeading = 900.0F;       // twips: between the heading and the first row of operations
constexpr float kLineHeightPerPoint = 24.0F;  // twips of one line per point of size, with room to spare

}  // namespace

QString footerLine(const SheetFooter& footer, PageKind kind, int page, int pages, bool nameInHeading)
{
    QString line = u"Scheda %1 di %2 - "_s.arg(footer.sheet).arg(footer.sheets);
    if (pages > 1) {
        line += u"pagina %1 di %2 - "_s.arg(page).arg(pages);
    }
    line += u"codice "_s + QString::fromStdString(footer.code);
    if (kind == PageKind::Pupils && nameInHeading) {
        return line;
    }
    line += u" - "_s;
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

double lineWidth(const QString& text, float pointSize)
{
    // The lines' face is fixed-pitch: every character advances 0.6 em.
    constexpr double kAdvancePerEm = 0.6;
    return static_cast<double>(text.toUcs4().size()) * pointSize * kAdvancePerEm * layout::kTwipsPerPoint;
}

QStringList brokenLine(const QString& line, double width)
{
    if (lineWidth(line, kLineSize) <= width) {
        return {line};
    }
    for (const QString& joint : {u" - "_s, u"  "_s}) {
        for (qsizetype at = line.lastIndexOf(joint); at > 0; at = line.lastIndexOf(joint, at - 1)) {
            if (lineWidth(line.first(at), kLineSize) <= width) {
                return {line.first(at), line.sliced(at + joint.size())};
            }
        }
    }
    return {line};
}

void addPlainPupilsHeading(Page& page, PageKind kind, const PageOptions& options, const QString& pupil,
                           double printableWidth)
{
    if (kind != PageKind::Pupils || !options.pupilsHeading) {
        return;
    }
    const QStringList lines = brokenLine(pupilsHeadingLine(pupil), printableWidth - kPlainLeft);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        page.texts.push_back({kLineFont, kLineSize, QPointF(kPlainLeft, static_cast<double>(i) * kLineBand), lines[i],
                              QSizeF(printableWidth - kPlainLeft, kLineBand), TextPlace::TopLeft});
    }
}

void addPlainFooter(Page& page, const QString& text, QSizeF printableArea)
{
    const auto printableHeight = static_cast<float>(printableArea.height());
    float lowest = 0.0F;
    for (const PlacedText& placed : page.texts) {
        lowest = std::max(lowest, static_cast<float>(placed.topLeft.y()) + placed.pointSize * kLineHeightPerPoint);
    }
    const float lineHeight = kLineSize * kLineHeightPerPoint;
    const QStringList lines = brokenLine(text, printableArea.width() - kPlainLeft);
    const float bottom = printableHeight - lineHeight * static_cast<float>(lines.size());
    const float top = bottom >= lowest ? bottom : kUnderHeading;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // A footer naming a pupil may still be long: its box keeps it within the paper.
        page.texts.push_back(PlacedText{kLineFont, kLineSize, QPointF(kPlainLeft, top + lineHeight * float(i)),
                                        lines[i], QSizeF(printableArea.width() - kPlainLeft, lineHeight),
                                        TextPlace::TopLeft});
    }
}

}  // namespace virdamo::pages
