#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <vector>

namespace virdamo::test {

/// One word of a PDF page as the PDF text extractor places it, in points from the
/// page's top-left corner.
struct PdfWord {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

struct PdfPage {
    double width = 0;   ///< points
    double height = 0;  ///< points
    std::vector<PdfWord> words;
};

/// The pages of the PDF document in file, read back with pdftotext -bbox.
[[nodiscard]] std::vector<PdfPage> readPdfFile(const QString& file);
/// The same for a document held in memory.
[[nodiscard]] std::vector<PdfPage> readPdf(const QByteArray& pdf);

/// A straight line stroked on a PDF page, in points from the page's top-left corner.
struct PdfLine {
    QPointF from;
    QPointF to;
    double width = 0;   ///< points
    bool grey = false;  ///< any ink but black
};

/// The straight lines stroked on page page (from 1) of the document pdf, read back with
/// pdftocairo -svg.
[[nodiscard]] std::vector<PdfLine> readPdfLines(const QByteArray& pdf, int page);

inline constexpr double kPointsPerTwip = 1.0 / 20.0;
inline constexpr double kPointsPerMillimetre = 72.0 / 25.4;

}  // namespace virdamo::test
