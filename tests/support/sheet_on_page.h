#pragma once

#include "pdf_words.h"

#include <QString>

#include <vector>

namespace virdamo {
struct Modulo1;
}

namespace virdamo::test {

/// The numbers one printed operation shows, as read back from the page.
struct PrintedOperation {
    QString moltiplicando, moltiplicatore, parziale1, parziale2, parziale3, prodotto;
};

/// Checks (as non-fatal test failures) that page carries the heading and the sheet of
/// state exactly where the layout of its multiplier length puts them, digit under digit,
/// with origin (points) the top-left corner of the printable area, that nothing else is
/// on it, and that every operation is worked out right. Returns the operations read back.
std::vector<PrintedOperation> expectSheetOnPage(const PdfPage& page, const Modulo1& state, double originX,
                                                double originY);

}  // namespace virdamo::test
