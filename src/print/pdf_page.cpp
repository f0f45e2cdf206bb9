#include "print/pdf_page.h"

#include "forms/fonts.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace virdamo::print {

namespace {

constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;

}  // namespace

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

QByteArray renderPdf(const Page& page, const Paper& paper)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("virdamo"));
        // The paper's own size, not the nearest standard one, and no margins of Qt's:
        // the printable area is placed by hand from the printer's margins.
        const QPageSize size(paper.size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));

        QPainter painter;
        if (!painter.begin(&writer)) {
            throw PrintFailure(FailureReason::PageNotDrawn, "QPainter::begin failed on the PDF writer");
        }
        painter.translate(paper.margins.left() * kTwipsPerMillimetre, paper.margins.top() * kTwipsPerMillimetre);
        painter.setPen(Qt::black);
        for (const PlacedText& text : page) {
            const QFont font = printFont(text.fontName, text.pointSize);
            painter.setFont(font);
            // Positions name the top of the character cell; Qt draws from the baseline.
            const qreal ascent = QFontMetricsF(font, &writer).ascent();
            painter.drawText(QPointF(text.topLeft.x(), text.topLeft.y() + ascent), text.text);
        }
        painter.end();
    }
    return bytes;
}

}  // namespace virdamo::print
