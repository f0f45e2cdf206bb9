#pragma once

#include "worksheet/steps.h"

#include <QString>

namespace virdamo::ui {

/// What the teacher says at a step, in Italian: "5 × 4 = 20: scrivo 0 e riporto 2".
[[nodiscard]] QString captionText(const Caption& caption);

/// What a pupil is told at a step after a wrong key: the step without any result still to
/// be typed, "5 × 4 = ?". Steps with nothing to type say what they always say.
[[nodiscard]] QString hintText(const Caption& caption);

}  // namespace virdamo::ui
