#include "pdf_words.h"

#include <QProcess>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <stdexcept>

namespace virdamo::print::test {

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

}  // namespace virdamo::print::test
