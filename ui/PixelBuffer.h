// The pixel buffer, the common currency of every picture in the program: 32-bit BGRA,
// colours premultiplied by alpha (what AlphaBlend and UpdateLayeredWindow expect), rows
// top to bottom, laid out as a top-down DIB section holds them. The functions here are
// the pixel work of the layer (fills, source-over blending, nearest-neighbour scaling
// and copying, colour keying), free of any window so they are tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/UiTypes.h"

namespace qs {

struct TPixelBuffer {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;  // row-major, top row first; 0xAARRGGBB premultiplied

  TPixelBuffer() = default;
  TPixelBuffer(int w, int h, uint32_t fill = 0) { Resize(w, h, fill); }

  void Resize(int w, int h, uint32_t fill = 0) {
    Width = w > 0 ? w : 0;
    Height = h > 0 ? h : 0;
    Pixels.assign(static_cast<size_t>(Width) * Height, fill);
  }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  uint32_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
  const uint32_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
  uint32_t& At(int x, int y) { return Row(y)[x]; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// Packing of one pixel.
constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
constexpr uint32_t AlphaOf(uint32_t px) { return px >> 24; }

// An opaque pixel of a plain (not system) colour.
constexpr uint32_t OpaquePixel(TColor c) {
  return Argb(255, static_cast<uint32_t>(RedOf(c)), static_cast<uint32_t>(GreenOf(c)),
              static_cast<uint32_t>(BlueOf(c)));
}

// c * a / 255, rounded: the premultiplication used everywhere in the layer.
constexpr uint32_t MulDiv255(uint32_t c, uint32_t a) { return (c * a + 127) / 255; }

// Straight 0xAARRGGBB to premultiplied, and back (rounded; alpha 0 gives 0).
uint32_t Premultiply(uint32_t straight);
uint32_t Unpremultiply(uint32_t premultiplied);

// Source-over of one premultiplied pixel onto another.
uint32_t BlendOver(uint32_t dst, uint32_t src);
// Source-over with the source weighted by a constant alpha (255: as BlendOver).
uint32_t BlendOver(uint32_t dst, uint32_t src, uint8_t constantAlpha);

// Fills the part of r inside the buffer.
void FillRect(TPixelBuffer& dst, const TRect& r, uint32_t pixel);

// Nearest-neighbour mapping used by every scaled operation: the source index for
// destination offset i of a run of dstLen pixels taken from srcLen source pixels
// starting at srcStart: srcStart + round(i * srcLen / dstLen).
int NearestSource(int srcStart, int srcLen, int i, int dstLen);

// Copies srcRect of src into dstRect of dst, scaled nearest-neighbour, replacing the
// destination pixels (alpha included). Parts outside either buffer are skipped.
void CopyScaled(TPixelBuffer& dst, const TRect& dstRect, const TPixelBuffer& src, const TRect& srcRect);
// As CopyScaled, but blended source-over (optionally with a constant alpha).
void BlendScaled(TPixelBuffer& dst, const TRect& dstRect, const TPixelBuffer& src, const TRect& srcRect,
                 uint8_t constantAlpha = 255);
// The whole of src scaled to w x h.
TPixelBuffer Scaled(const TPixelBuffer& src, int w, int h);

// Makes every opaque pixel of exactly the given colour fully transparent: how a picture
// marked transparent loses its background (the colour of its bottom-left pixel).
void KeyOutColor(TPixelBuffer& buf, uint32_t opaquePixel);

// Blends an anti-aliased filled circle (centre cx, cy; radius r, in pixels) of a
// premultiplied colour over the buffer: pixel coverage from 4 x 4 samples.
void FillCircle(TPixelBuffer& buf, double cx, double cy, double r, uint32_t pixel);

}  // namespace qs
