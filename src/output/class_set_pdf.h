#pragma once

#include "output/pdf_page.h"
#include "pages/class_set.h"

#include <QByteArray>

namespace virdamo::output {

/// The paper a class set is saved on as a PDF file: A4, with margins that any printer can
/// print within.
[[nodiscard]] Paper pdfPaper();

/// The class set as one PDF document in memory, on paper.
[[nodiscard]] QByteArray classSetPdf(const pages::ClassSet& set, const Paper& paper);

}  // namespace virdamo::output
