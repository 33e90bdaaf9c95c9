// Pixel work of the skinned main window, free of any window: premultiplied BGRA pictures
// drawn over a surface, at natural size (cut to a width) or stretched, and solid fills.
// A surface is a top-down 32-bit buffer, as a DIB section holds it.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/PixelBuffer.h"  // BlendOver

namespace qs {

// 0xAARRGGBB, colours premultiplied by alpha.
struct TSkinPicture {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

struct TSurface {
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
};

// Draws the picture's left part, at most cutWidth wide (its width when negative), at x, y.
void DrawPicture(TSurface& s, const TSkinPicture& pic, int x, int y, int cutWidth = -1);
// Draws the picture stretched into w x h at x, y (nearest neighbour).
void StretchPicture(TSurface& s, const TSkinPicture& pic, int x, int y, int w, int h);
void FillRect(TSurface& s, int x, int y, int w, int h, uint32_t colour);

}  // namespace qs
