// TPNGObject's storage and pixel operations (decoding and drawing: PngObjectWin.cpp).
#include "ui/PngObject.h"

#include <algorithm>
#include <cstring>

namespace qs {

TPNGObject& TPNGObject::operator=(const TPNGObject& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

void TPNGObject::CopyFrom(const TPNGObject& other) {
  FWidth = other.FWidth;
  FHeight = other.FHeight;
  FColorType = other.FColorType;
  FColors = other.FColors;
  FAlpha = other.FAlpha;
}

void TPNGObject::Assign(const TPNGObject& source) {
  if (this != &source) CopyFrom(source);
  Changed();
}

void TPNGObject::Clear() {
  FWidth = FHeight = 0;
  FColorType = ctRGBAlpha;
  FColors.clear();
  FAlpha.clear();
  Changed();
}

void TPNGObject::CreateBlank(uint8_t colorType, int bitDepth, int width, int height) {
  (void)bitDepth;  // pictures are kept with 8 bits a channel whatever was asked
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  FColorType = colorType;
  size_t n = static_cast<size_t>(FWidth) * FHeight;
  FColors.assign(n, 0);
  FAlpha.assign(n, HasAlphaChannel() ? 0 : 255);
}

void TPNGObject::CreateAlpha() {
  if (FColorType == ctGrayscale) FColorType = ctGrayscaleAlpha;
  else if (FColorType == ctRGB) FColorType = ctRGBAlpha;
  else return;  // has a channel already, or a palette (its transparency table stands for it)
  std::fill(FAlpha.begin(), FAlpha.end(), 255);
  Changed();
}

uint8_t* TPNGObject::AlphaScanline(int y) {
  if (!HasAlphaChannel() || y < 0 || y >= FHeight) return nullptr;
  return FAlpha.data() + Index(0, y);
}

const uint8_t* TPNGObject::AlphaScanline(int y) const {
  return const_cast<TPNGObject*>(this)->AlphaScanline(y);
}

uint32_t TPNGObject::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  size_t i = Index(x, y);
  return (static_cast<uint32_t>(FAlpha[i]) << 24) | FColors[i];
}

void TPNGObject::SetPixel(int x, int y, uint32_t straightArgb) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  size_t i = Index(x, y);
  FColors[i] = straightArgb & 0xFFFFFF;
  FAlpha[i] = HasAlphaChannel() || FColorType == ctPalette ? static_cast<uint8_t>(straightArgb >> 24) : 255;
}

TPixelBuffer TPNGObject::ToPixelBuffer() const {
  TPixelBuffer out(FWidth, FHeight);
  for (size_t i = 0; i < out.Pixels.size(); ++i)
    out.Pixels[i] = Premultiply((static_cast<uint32_t>(FAlpha[i]) << 24) | FColors[i]);
  return out;
}

void TPNGObject::AssignPixelBuffer(const TPixelBuffer& buffer) {
  FWidth = buffer.Width;
  FHeight = buffer.Height;
  FColorType = ctRGBAlpha;
  FColors.resize(buffer.Pixels.size());
  FAlpha.resize(buffer.Pixels.size());
  for (size_t i = 0; i < buffer.Pixels.size(); ++i) {
    uint32_t straight = Unpremultiply(buffer.Pixels[i]);
    FColors[i] = straight & 0xFFFFFF;
    FAlpha[i] = static_cast<uint8_t>(straight >> 24);
  }
  Changed();
}

void TPNGObject::Changed() const {
  if (OnChange) {
    TNotifyEvent handler = OnChange;  // the handler may replace OnChange
    handler();
  }
}

void CopyRectNearest(const TPNGObject& source, const TRect& srcRect, TPNGObject& target, const TRect& dstRect) {
  if (srcRect.Empty() || dstRect.Empty()) return;
  bool srcAlpha = source.HasAlphaChannel();
  TRect clip = dstRect.Intersect(TRect::Bounds(0, 0, target.FWidth, target.FHeight));
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    int sy = NearestSource(srcRect.Top, srcRect.Height(), y - dstRect.Top, dstRect.Height());
    if (sy < 0 || sy >= source.FHeight) continue;
    for (int x = clip.Left; x < clip.Right; ++x) {
      int sx = NearestSource(srcRect.Left, srcRect.Width(), x - dstRect.Left, dstRect.Width());
      if (sx < 0 || sx >= source.FWidth) continue;
      size_t si = source.Index(sx, sy), di = target.Index(x, y);
      target.FColors[di] = source.FColors[si];
      target.FAlpha[di] = srcAlpha ? source.FAlpha[si] : 255;
    }
  }
}

int PngColorType(const void* data, size_t size) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto bytes = static_cast<const uint8_t*>(data);
  // Signature, IHDR length and type, width, height, bit depth, then the colour type.
  if (!bytes || size < 26 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
    return -1;
  return bytes[25];
}

}  // namespace qs
