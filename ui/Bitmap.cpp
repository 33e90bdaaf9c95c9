// TBitmap over a top-down DIB section; its memory DC keeps the current bitmap selected.
#include "ui/Bitmap.h"

#include <cstring>

namespace qs {

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FFormat) return;
  FFormat = format;
  Make();
}

void TBitmap::SetSize(int width, int height) {
  width = width > 0 ? width : 0;
  height = height > 0 ? height : 0;
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  Make();
}

void TBitmap::Make() {
  FBits = nullptr;
  FStride = 0;
  TBitmapHandle made;
  if (FWidth > 0 && FHeight > 0) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = FWidth;
    bi.bmiHeader.biHeight = -FHeight;  // top-down: row 0 is the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = FFormat == pf32bit ? 32 : 24;
    void* bits = nullptr;
    made.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (made) {
      FBits = static_cast<uint8_t*>(bits);
      FStride = ((FWidth * (FFormat == pf32bit ? 32 : 24) + 31) / 32) * 4;
    }
  }
  if (!made) FWidth = FHeight = 0;
  // The old bitmap leaves the DC before it is deleted.
  if (FDc && FOldBitmap) ::SelectObject(FDc.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FBitmap = std::move(made);
  if (FDc) Select();
}

void TBitmap::Select() const {
  if (FBitmap) FOldBitmap = ::SelectObject(FDc.Get(), FBitmap.Get());
}

HDC TBitmap::Dc() const {
  if (!FDc) {
    FDc.Reset(::CreateCompatibleDC(nullptr));
    Select();
  }
  return FDc.Get();
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(Dc());
  return *FCanvas;
}

uint8_t* TBitmap::ScanLine(int y) {
  if (!FBits || y < 0 || y >= FHeight) return nullptr;
  ::GdiFlush();  // drawing through the DC may still be batched
  return FBits + static_cast<size_t>(y) * FStride;
}

const uint8_t* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

void TBitmap::Assign(const TPixelBuffer& pixels) {
  SetSize(pixels.Width, pixels.Height);
  for (int y = 0; y < FHeight; ++y) {
    uint8_t* row = ScanLine(y);
    const uint32_t* src = pixels.Row(y);
    if (FFormat == pf32bit) {
      std::memcpy(row, src, static_cast<size_t>(FWidth) * 4);
      continue;
    }
    for (int x = 0; x < FWidth; ++x) {
      row[x * 3] = static_cast<uint8_t>(src[x]);
      row[x * 3 + 1] = static_cast<uint8_t>(src[x] >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(src[x] >> 16);
    }
  }
}

TPixelBuffer TBitmap::ToPixelBuffer() const {
  TPixelBuffer out(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* row = ScanLine(y);
    uint32_t* dst = out.Row(y);
    if (FFormat == pf32bit) {
      std::memcpy(dst, row, static_cast<size_t>(FWidth) * 4);
      continue;
    }
    for (int x = 0; x < FWidth; ++x) dst[x] = Argb(255, row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
  }
  return out;
}

}  // namespace qs
