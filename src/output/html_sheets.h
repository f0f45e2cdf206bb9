#pragma once

#include "pages/class_set.h"
#include "worksheet/sheet.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace virdamo::output {

/// The class set as one HTML page that pupils fill in on a browser, offline and with
/// nothing else to load: each sheet's operations on squares as its pages draw them, with
/// every step's cells, keys and words written in as data for the page to walk through.
[[nodiscard]] QByteArray classSetHtml(const pages::ClassSet& set);

/// One sheet of the page: its operations, written as the options' conventions say, the
/// code that makes it again and whom it goes to (empty for no one by name).
struct PageSheet {
    Sheet sheet;
    std::string code;
    QString pupil;
};

/// The page of sheets on squares as options say, as classSetHtml makes it of a class set.
[[nodiscard]] QByteArray sheetsHtml(const std::vector<PageSheet>& sheets, const pages::PageOptions& options);

}  // namespace virdamo::output
