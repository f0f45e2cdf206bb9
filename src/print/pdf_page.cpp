#include "print/pdf_page.h"

#include "forms/fonts.h"
#include "forms/twips.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>

namespace virdamo::print {

float Paper::printableHeight() const
{
    return static_cast<float>(forms::millimetresToTwips(size.height() - margins.top() - margins.bottom()));
}

QFont printFont(const QString& name, float pointSize)
{
    // The page never depends on a face outside the program's dependencies: "Courier New"
    // is drawn with Liberation Mono, metric-identical to it.
    QFont font(forms::installedFace(name));
    font.setPointSizeF(static_cast<double>(pointSize));
    // Rows are aligned by character count, so only a fixed-pitch face may stand in.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawPage(QPainter& painter, const Page& page)
{
    QPaintDevice* device = painter.device();
    const double unitsPerTwipX = device->logicalDpiX() / static_cast<double>(forms::kTwipsPerInch);
    const double unitsPerTwipY = device->logicalDpiY() / static_cast<double>(forms::kTwipsPerInch);
    painter.setPen(Qt::black);
    // A page changes font a few times only: the font, its face and ascent are kept meanwhile.
    const PlacedText* fontSetBy = nullptr;
    QRawFont face;
    qreal ascent = 0.0;
    for (const PlacedText& text : page) {
        if (!fontSetBy || text.fontName != fontSetBy->fontName || text.pointSize != fontSetBy->pointSize) {
            const QFont font(printFont(text.fontName, text.pointSize), device);
            painter.setFont(font);
            face = forms::unshapedFace(font);
            ascent = QFontMetricsF(font, device).ascent();
            fontSetBy = &text;
        }
        // Positions name the top of the character cell; Qt draws from the baseline.
        const QPointF baseline(text.topLeft.x() * unitsPerTwipX, text.topLeft.y() * unitsPerTwipY + ascent);
        if (const std::optional<QGlyphRun> run = forms::unshapedRun(face, text.text)) {
            painter.drawGlyphRun(baseline, *run);
        } else {
            painter.drawText(baseline, text.text);
        }
    }
}

QByteArray renderPdf(const Page& page, const Paper& paper)
{
    return renderPdf(std::vector<Page>{page}, paper);
}

QByteArray renderPdf(const std::vector<Page>& pages, const Paper& paper, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("virdamo"));
        writer.setTitle(title);
        // The paper's own size, not the nearest standard one, and no margins of Qt's:
        // the printable area is placed by hand from the printer's margins.
        const QPageSize size(paper.size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));

        QPainter painter;
        if (!painter.begin(&writer)) {
            throw OutputFailure(FailureReason::PageNotDrawn, "QPainter::begin failed on the PDF writer");
        }
        painter.translate(forms::millimetresToTwips(paper.margins.left()),
                          forms::millimetresToTwips(paper.margins.top()));
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.newPage();
            }
            drawPage(painter, pages[i]);
        }
        painter.end();
    }
    return bytes;
}

}  // namespace virdamo::print
