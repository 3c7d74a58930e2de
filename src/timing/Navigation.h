#pragma once
// The handlers of ">", "<" and "Go !": they only adjust the StartPos and DataLen texts and say
// whether a redraw follows. Texts that are no numbers read as 0 and end corrected by the same
// bounds, so no input stops them.

#include <cstdint>
#include <string_view>

#include "capture/ViewSettings.h"

namespace zq {

// Click of IncStart (">"): DataLen at least 2, StartPos one step on, at most 2045. Redraws.
bool IncStartClick(ViewBoxes& boxes);
// Click of DecStart ("<"): DataLen at least 3, StartPos one step back, at least 0. Redraws.
bool DecStartClick(ViewBoxes& boxes);
// Click of Update ("Go !"): DataLen at least 3; with an empty StartPos nothing is drawn,
// otherwise StartPos within 0..2045. Returns whether to redraw.
bool UpdateClick(ViewBoxes& boxes);

}  // namespace zq
