#include "pdf_words.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <stdexcept>

namespace virdamo::test {

std::vector<PdfPage> readPdfFile(const QString& file)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(VIRDAMO_PDFTOTEXT), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitStatus() != QProcess::NormalExit
        || pdftotext.exitCode() != 0) {
        throw std::runtime_error("pdftotext failed: " + pdftotext.readAllStandardError().toStdString());
    }
    std::vector<PdfPage> pages;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages.push_back(
                {a.value(QLatin1String("width")).toDouble(), a.value(QLatin1String("height")).toDouble(), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            PdfWord word{a.value(QLatin1String("xMin")).toDouble(),
                         a.value(QLatin1String("yMin")).toDouble(),
                         a.value(QLatin1String("xMax")).toDouble(),
                         a.value(QLatin1String("yMax")).toDouble(),
                         {}};
            word.text = xml.readElementText();
            pages.back().words.push_back(word);
        }
    }
    if (xml.hasError()) {
        throw std::runtime_error("unreadable pdftotext output: " + xml.errorString().toStdString());
    }
    return pages;
}

std::vector<PdfPage> readPdf(const QByteArray& pdf)
{
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush()) {
        throw std::runtime_error("cannot write a temporary PDF file");
    }
    return readPdfFile(file.fileName());
}

std::vector<PdfLine> readPdfLines(const QByteArray& pdf, int page)
{
    QTemporaryFile file;
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush()) {
        throw std::runtime_error("cannot write a temporary PDF file");
    }
    const QString number = QString::number(page);
    QProcess cairo;
    cairo.start(QStringLiteral(VIRDAMO_PDFTOCAIRO),
                {QStringLiteral("-svg"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, file.fileName(),
                 QStringLiteral("-")});
    if (!cairo.waitForFinished(30000) || cairo.exitStatus() != QProcess::NormalExit || cairo.exitCode() != 0) {
        throw std::runtime_error("pdftocairo failed: " + cairo.readAllStandardError().toStdString());
    }
    // A stroked segment: <path style="fill:none;stroke-width:W;...;stroke:rgb(R%,G%,B%);..."
    // d="M x y L x y " transform="matrix(a,0,0,d,e,f)"/>, in the device units of the page.
    static const QRegularExpression number_(QStringLiteral("-?[0-9.]+(?:e-?[0-9]+)?"));
    const auto numbers = [](QStringView text) {
        std::vector<double> values;
        for (auto it = number_.globalMatch(text); it.hasNext();) values.push_back(it.next().captured().toDouble());
        return values;
    };
    std::vector<PdfLine> lines;
    QXmlStreamReader xml(cairo.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("path")) continue;
        const QString style = xml.attributes().value(QLatin1String("style")).toString();
        const std::vector<double> d = numbers(xml.attributes().value(QLatin1String("d")));
        const std::vector<double> m = numbers(xml.attributes().value(QLatin1String("transform")));
        if (style.contains(QLatin1String("fill:none")) && d.size() == 4 && m.size() == 6) {
            const std::vector<double> width = numbers(style.section(QLatin1String("stroke-width:"), 1));
            lines.push_back({QPointF(d[0] * m[0] + m[4], d[1] * m[3] + m[5]),
                             QPointF(d[2] * m[0] + m[4], d[3] * m[3] + m[5]), width.at(0) * m[0],
                             !style.contains(QLatin1String("stroke:rgb(0%,0%,0%)"))});
        }
    }
    return lines;
}

}  // namespace virdamo::test
