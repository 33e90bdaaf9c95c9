// TBitmap: an in-memory picture of 24 or 32 bits a pixel (a top-down DIB section) with
// its own canvas and direct access to its rows. 32-bit rows are bytes blue, green, red,
// alpha (premultiplied when used with alpha); 24-bit rows are blue, green, red, each row
// padded to four bytes. Resizing keeps nothing of the old picture (it starts zeroed).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/Handle.h"
#include "ui/Canvas.h"
#include "ui/PixelBuffer.h"

namespace qs {

enum TPixelFormat : uint8_t { pf24bit, pf32bit };

class TBitmap {
public:
  TBitmap() = default;
  explicit TBitmap(TPixelFormat format) : FFormat(format) {}
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
  TPixelFormat PixelFormat() const { return FFormat; }
  // Changing the format or the size makes a new, zeroed picture.
  void SetPixelFormat(TPixelFormat format);
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, FHeight); }
  void SetHeight(int h) { SetSize(FWidth, h); }

  // Row y (0 = top); nullptr while empty or outside.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  int BytesPerRow() const { return FStride; }

  // The canvas over the bitmap (a memory DC with it selected), made on first use.
  TCanvas& Canvas();
  // The memory DC the bitmap stays selected into (a bitmap can be in one DC only, so
  // every blit from it goes through this one).
  HDC Dc() const;
  HBITMAP Handle() const { return FBitmap.Get(); }

  // Copies in a premultiplied buffer (32-bit: as is; 24-bit: colours only), resizing.
  void Assign(const TPixelBuffer& pixels);
  // The picture as a buffer (24-bit: alpha 255).
  TPixelBuffer ToPixelBuffer() const;

private:
  void Make();
  void Select() const;

  TPixelFormat FFormat = pf24bit;
  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  uint8_t* FBits = nullptr;
  TBitmapHandle FBitmap;
  mutable TMemDc FDc;  // made on first use
  mutable HGDIOBJ FOldBitmap = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace qs
