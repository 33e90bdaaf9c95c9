// Where the picture buttons put things, free of any window: the natural-size rectangle,
// the rule for keeping fixed borders when stretching, and the popup arrow, icon and
// caption positions.
#pragma once
#include "ui/UiTypes.h"

namespace qs {

// A picture of picW x picH centred at its natural size in a button of width x height;
// a picture larger than the button is squeezed into it from 0, 0.
TRect NaturalSizeRect(int width, int height, int picW, int picH);

// Whether a fixed border of `fixed` pixels at both ends of an extent is kept while the
// middle stretches: only when both borders fit with room left between them.
constexpr bool FixedBorderApplies(int fixed, int extent) { return fixed > 0 && 2 * fixed < extent; }

TPoint PopupArrowPos(int width, int height, int arrowW, int arrowH, int offsetX, int offsetY);
TPoint IconPos(int width, int height, int iconW, int iconH, int offsetX, int offsetY);
TPoint CaptionPos(TAlignment alignment, int width, int height, int textW, int textH, int offsetX, int offsetY);

}  // namespace qs
