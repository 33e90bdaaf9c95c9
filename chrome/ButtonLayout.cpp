// Layout arithmetic of the picture buttons. Division by 2 truncates toward zero, as the
// button's drawing has always done, so odd leftovers go to the right and the bottom.
#include "chrome/ButtonLayout.h"

#include <algorithm>

namespace qs {

TRect NaturalSizeRect(int width, int height, int picW, int picH) {
  TRect r;
  r.Left = std::max(width + 1 - picW, 0) / 2;
  r.Top = std::max(height + 1 - picH, 0) / 2;
  r.Right = std::min(r.Left + picW, width);
  r.Bottom = std::min(r.Top + picH, height);
  return r;
}

TPoint PopupArrowPos(int width, int height, int arrowW, int arrowH, int offsetX, int offsetY) {
  return {width - arrowW - 5 + offsetX, (height - arrowH) / 2 + offsetY};
}

TPoint IconPos(int width, int height, int iconW, int iconH, int offsetX, int offsetY) {
  return {(width - iconW) / 2 + offsetX, (height - iconH) / 2 + offsetY};
}

TPoint CaptionPos(TAlignment alignment, int width, int height, int textW, int textH, int offsetX, int offsetY) {
  int x = (width - textW) / 2;
  if (alignment == taLeftJustify) x = 2;
  else if (alignment == taRightJustify) x = width - textW - 2;
  return {x + offsetX, (height - textH) / 2 + offsetY};
}

}  // namespace qs
