#include "app/SkinPixels.h"

#include <algorithm>

namespace qs {

void StretchPicture(TSurface& s, const TSkinPicture& pic, int x, int y, int w, int h) {
  if (pic.Empty() || w <= 0 || h <= 0) return;
  int x0 = std::max(x, 0), y0 = std::max(y, 0), x1 = std::min(x + w, s.Width), y1 = std::min(y + h, s.Height);
  for (int ty = y0; ty < y1; ++ty) {
    int sy = static_cast<int>(static_cast<int64_t>(ty - y) * pic.Height / h);
    const uint32_t* srcRow = pic.Pixels.data() + static_cast<size_t>(sy) * pic.Width;
    uint32_t* dstRow = s.Bits + static_cast<size_t>(ty) * s.Width;
    for (int tx = x0; tx < x1; ++tx) {
      int sx = static_cast<int>(static_cast<int64_t>(tx - x) * pic.Width / w);
      dstRow[tx] = BlendOver(dstRow[tx], srcRow[sx]);
    }
  }
}

void DrawPicture(TSurface& s, const TSkinPicture& pic, int x, int y, int cutWidth) {
  int w = cutWidth < 0 ? pic.Width : std::min(cutWidth, pic.Width);
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, s.Width), y1 = std::min(y + pic.Height, s.Height);
  for (int ty = y0; ty < y1; ++ty) {
    const uint32_t* srcRow = pic.Pixels.data() + static_cast<size_t>(ty - y) * pic.Width;
    uint32_t* dstRow = s.Bits + static_cast<size_t>(ty) * s.Width;
    for (int tx = x0; tx < x1; ++tx) dstRow[tx] = BlendOver(dstRow[tx], srcRow[tx - x]);
  }
}

void FillRect(TSurface& s, int x, int y, int w, int h, uint32_t colour) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0), x1 = std::min(x + w, s.Width), y1 = std::min(y + h, s.Height);
  for (int ty = y0; ty < y1; ++ty) std::fill(s.Bits + static_cast<size_t>(ty) * s.Width + x0, s.Bits + static_cast<size_t>(ty) * s.Width + x1, colour);
}

}  // namespace qs
