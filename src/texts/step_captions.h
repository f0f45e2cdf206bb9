#pragma once

#include "worksheet/steps.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace virdamo::texts {

/// What the teacher says at a step, in Italian: "5 × 4 = 20: scrivo 0 e riporto 2".
[[nodiscard]] QString captionText(const Caption& caption);

/// What the teacher says at each of steps, in order: as captionText, but the first step of
/// each row of partial products starts by naming the place of the multiplier's digit,
/// "Ora moltiplico per le decine: 0; 2.305 × 0 = 0, scrivo 0".
[[nodiscard]] QStringList captionsOf(const std::vector<Step>& steps);

/// What a pupil is told at a step after a wrong key: the step without any result still to
/// be typed, "Riprova: 5 × 4 = ?". Steps with nothing to type say what they always say.
[[nodiscard]] QString hintText(const Caption& caption);

}  // namespace virdamo::texts
