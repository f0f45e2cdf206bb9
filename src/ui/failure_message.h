#pragma once

#include "output/output_failure.h"

#include <QString>

class QWidget;

namespace virdamo::ui {

/// Tells the user about failure in a warning titled title over parent: lead (what was not
/// made), then the reason. A cancelled output is not told: the user asked for it.
void tellFailure(QWidget* parent, const QString& title, const QString& lead, const output::OutputFailure& failure);

}  // namespace virdamo::ui
