// The pixel work of the layer over premultiplied BGRA buffers.
#include "ui/PixelBuffer.h"

#include <algorithm>

namespace qs {

uint32_t Premultiply(uint32_t straight) {
  uint32_t a = AlphaOf(straight);
  if (a == 255) return straight;
  if (a == 0) return 0;
  return Argb(a, MulDiv255((straight >> 16) & 0xFF, a), MulDiv255((straight >> 8) & 0xFF, a),
              MulDiv255(straight & 0xFF, a));
}

uint32_t Unpremultiply(uint32_t premultiplied) {
  uint32_t a = AlphaOf(premultiplied);
  if (a == 255) return premultiplied;
  if (a == 0) return 0;
  auto un = [a](uint32_t c) { return std::min<uint32_t>((c * 255 + a / 2) / a, 255); };
  return Argb(a, un((premultiplied >> 16) & 0xFF), un((premultiplied >> 8) & 0xFF), un(premultiplied & 0xFF));
}

uint32_t BlendOver(uint32_t dst, uint32_t src) {
  uint32_t a = AlphaOf(src);
  if (a == 255) return src;
  if (a == 0) return dst;
  uint32_t inv = 255 - a, out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
    out |= std::min<uint32_t>(s + MulDiv255(d, inv), 255) << shift;
  }
  return out;
}

uint32_t BlendOver(uint32_t dst, uint32_t src, uint8_t constantAlpha) {
  if (constantAlpha == 255) return BlendOver(dst, src);
  uint32_t scaled = 0;
  for (int shift = 0; shift < 32; shift += 8) scaled |= MulDiv255((src >> shift) & 0xFF, constantAlpha) << shift;
  return BlendOver(dst, scaled);
}

void FillRect(TPixelBuffer& dst, const TRect& r, uint32_t pixel) {
  TRect c = r.Intersect(TRect::Bounds(0, 0, dst.Width, dst.Height));
  for (int y = c.Top; y < c.Bottom; ++y) std::fill(dst.Row(y) + c.Left, dst.Row(y) + c.Right, pixel);
}

int NearestSource(int srcStart, int srcLen, int i, int dstLen) {
  if (dstLen <= 0 || srcLen <= 0) return srcStart;
  // Rounded i * srcLen / dstLen in integers; kept inside the run, since rounding the last
  // offset up can reach srcLen when the source is shorter than half the destination.
  int64_t offset = (2 * static_cast<int64_t>(i) * srcLen + dstLen) / (2 * static_cast<int64_t>(dstLen));
  return srcStart + static_cast<int>(std::min<int64_t>(offset, srcLen - 1));
}

namespace {

// Visits every destination pixel of dstRect inside dst whose source pixel lies inside src.
template <typename Op>
void ForEachScaled(TPixelBuffer& dst, const TRect& dstRect, const TPixelBuffer& src, const TRect& srcRect, Op op) {
  if (dstRect.Empty() || srcRect.Empty()) return;
  TRect clip = dstRect.Intersect(TRect::Bounds(0, 0, dst.Width, dst.Height));
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    int sy = NearestSource(srcRect.Top, srcRect.Height(), y - dstRect.Top, dstRect.Height());
    if (sy < 0 || sy >= src.Height) continue;
    uint32_t* out = dst.Row(y);
    const uint32_t* in = src.Row(sy);
    for (int x = clip.Left; x < clip.Right; ++x) {
      int sx = NearestSource(srcRect.Left, srcRect.Width(), x - dstRect.Left, dstRect.Width());
      if (sx < 0 || sx >= src.Width) continue;
      out[x] = op(out[x], in[sx]);
    }
  }
}

}  // namespace

void CopyScaled(TPixelBuffer& dst, const TRect& dstRect, const TPixelBuffer& src, const TRect& srcRect) {
  ForEachScaled(dst, dstRect, src, srcRect, [](uint32_t, uint32_t s) { return s; });
}

void BlendScaled(TPixelBuffer& dst, const TRect& dstRect, const TPixelBuffer& src, const TRect& srcRect,
                 uint8_t constantAlpha) {
  ForEachScaled(dst, dstRect, src, srcRect,
                [constantAlpha](uint32_t d, uint32_t s) { return BlendOver(d, s, constantAlpha); });
}

TPixelBuffer Scaled(const TPixelBuffer& src, int w, int h) {
  TPixelBuffer out(w, h);
  CopyScaled(out, TRect::Bounds(0, 0, out.Width, out.Height), src, TRect::Bounds(0, 0, src.Width, src.Height));
  return out;
}

void KeyOutColor(TPixelBuffer& buf, uint32_t opaquePixel) {
  opaquePixel |= 0xFF000000u;
  for (auto& p : buf.Pixels)
    if (p == opaquePixel) p = 0;
}

void FillCircle(TPixelBuffer& buf, double cx, double cy, double r, uint32_t pixel) {
  int x0 = std::max(0, static_cast<int>(cx - r) - 1), x1 = std::min(buf.Width, static_cast<int>(cx + r) + 2);
  int y0 = std::max(0, static_cast<int>(cy - r) - 1), y1 = std::min(buf.Height, static_cast<int>(cy + r) + 2);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          double dx = x + (sx + 0.5) / 4 - cx, dy = y + (sy + 0.5) / 4 - cy;
          if (dx * dx + dy * dy <= r * r) ++inside;
        }
      if (inside) buf.At(x, y) = BlendOver(buf.At(x, y), pixel, static_cast<uint8_t>(inside * 255 / 16));
    }
}

}  // namespace qs
