// A 32-bit premultiplied BGRA picture in memory: the pixels the shadow and the picture
// buttons compute with, laid out as a top-down DIB section so GDI can blit it as is.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qs {

struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // row-major, top row first; 0xAARRGGBB

  void Resize(int w, int h) {
    Width = w > 0 ? w : 0;
    Height = h > 0 ? h : 0;
    Pixels.assign(static_cast<size_t>(Width) * Height, 0);
  }
  uint32_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint32_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
  uint32_t& At(int x, int y) { return Row(y)[x]; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
};

}  // namespace qs
