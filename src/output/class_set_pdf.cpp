#include "output/class_set_pdf.h"

#include "pages/class_document.h"

namespace virdamo::output {

using namespace Qt::StringLiterals;

Paper pdfPaper()
{
    return Paper{QSizeF(210.0, 297.0), QMarginsF(6.35, 12.7, 6.35, 12.7)};
}

QByteArray classSetPdf(const pages::ClassSet& set, const Paper& paper)
{
    return renderPdf(pages::classSetPages(set, paper.printableArea()), paper,
                     u"Schede per la classe - codice %1"_s.arg(QString::fromStdString(set.first.text())));
}

}  // namespace virdamo::output
