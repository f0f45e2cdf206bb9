#pragma once

#include "pages/class_set.h"

#include <QByteArray>

namespace virdamo::output {

/// The class set as one HTML page that pupils fill in on a browser, offline and with
/// nothing else to load: each sheet's operations on squares as its pages draw them, with
/// every step's cells, keys and words written in as data for the page to walk through.
[[nodiscard]] QByteArray classSetHtml(const pages::ClassSet& set);

}  // namespace virdamo::output
