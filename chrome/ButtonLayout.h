// Where the picture buttons put things, free of any window: the natural-size rectangle,
// the fixed-border stretch (pictures whose borders keep their size while the middle is
// stretched), the popup arrow, icon and caption positions, and the faded disabled picture.
#pragma once
#include "chrome/PixelBuffer.h"

namespace qs {

struct TLayoutRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TLayoutRect&) const = default;
};

struct TLayoutPoint {
  int X = 0, Y = 0;
  bool operator==(const TLayoutPoint&) const = default;
};

enum TCaptionAlignment { taLeftJustify, taRightJustify, taCenter };

// A picture of picW x picH centred at its natural size in a button of width x height;
// a picture larger than the button is squeezed into it from 0, 0.
TLayoutRect NaturalSizeRect(int width, int height, int picW, int picH);

// Whether a fixed border of `fixed` pixels at both ends of an extent is kept while the
// middle stretches: only when both borders fit with room left between them.
constexpr bool FixedBorderApplies(int fixed, int extent) { return fixed > 0 && 2 * fixed < extent; }

// The picture stretched to `height` rows with its top and bottom `fixed` rows unscaled
// (the middle rows are stretched), respectively the same across with columns.
TPixelBuffer StretchFixedRows(const TPixelBuffer& pic, int fixed, int height);
TPixelBuffer StretchFixedColumns(const TPixelBuffer& pic, int fixed, int width);

// Copies src's rectangle into dst's, scaled by nearest neighbour: source position =
// source start + round(offset * source size / destination size). Pixels outside either
// picture are neither read nor written.
void ScaleCopy(TPixelBuffer& dst, TLayoutRect dstRect, const TPixelBuffer& src, TLayoutRect srcRect);

// The disabled look: every alpha becomes alpha div 3; the premultiplied colours follow
// so the picture keeps its hue at a third of its opacity.
void FadeToOneThird(TPixelBuffer& pic);

TLayoutPoint PopupArrowPos(int width, int height, int arrowW, int arrowH, int offsetX, int offsetY);
TLayoutPoint IconPos(int width, int height, int iconW, int iconH, int offsetX, int offsetY);
TLayoutPoint CaptionPos(TCaptionAlignment alignment, int width, int height, int textW, int textH, int offsetX,
                        int offsetY);

}  // namespace qs
