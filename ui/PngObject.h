// TPNGObject: a PNG picture with alpha. It keeps what the PNG file held, colours and
// alpha kept apart and not premultiplied (so alpha can be read and changed row by row),
// and the file's colour type (grey, RGB, palette, grey-alpha, RGBA), which decides
// whether it has an alpha channel. Pictures come from PNG files compiled into the
// executable as resources (decoded with WIC), or are made blank and filled in code.
//
//   TPNGObject png;
//   png.LoadFromResource(kAssetBanner);          // RT_RCDATA resource holding a PNG file
//   png.Draw(canvas, TRect::Bounds(0, 0, 620, 241));   // alpha-blended, scaled to the rect
//   png.CreateAlpha();                            // an alpha channel if it had none
//   for (int y = 0; y < png.Height(); ++y) png.AlphaScanline(y)[0] /= 3;
//   png.Changed();                                // fires OnChange after direct pixel work
//
// Everything but decoding and drawing is pure code (tested natively); LoadFromResource,
// LoadFromBytes, Draw and AssignTo(TBitmap) live in PngObjectWin.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/PixelBuffer.h"
#include "ui/UiTypes.h"

namespace qs {

class TCanvas;
class TBitmap;

// PNG colour types (the IHDR byte).
inline constexpr uint8_t ctGrayscale = 0, ctRGB = 2, ctPalette = 3, ctGrayscaleAlpha = 4, ctRGBAlpha = 6;

class TPNGObject {
public:
  TPNGObject() = default;
  TPNGObject(const TPNGObject& other) { CopyFrom(other); }
  TPNGObject& operator=(const TPNGObject& other);

  // Decodes a PNG file; false (and the picture unchanged) when it cannot. Fires OnChange
  // on success.
  bool LoadFromBytes(const void* data, size_t size);
  // The RT_RCDATA resource Id of the executable as a PNG file.
  bool LoadFromResource(int id);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
  uint8_t ColorType() const { return FColorType; }
  // True for the colour types with an alpha channel (grey-alpha, RGBA).
  bool HasAlphaChannel() const { return FColorType == ctGrayscaleAlpha || FColorType == ctRGBAlpha; }

  // Copies the other picture (pixels, alpha, colour type) and fires OnChange. Assigning an
  // empty picture empties this one.
  void Assign(const TPNGObject& source);
  void Clear();
  // A blank picture of the given size: colour type and bit depth as asked (only 8 bits per
  // channel are kept), every pixel black, alpha 0 when the type has alpha, else opaque.
  void CreateBlank(uint8_t colorType, int bitDepth, int width, int height);
  // Gives the picture an alpha channel when it has none: grey becomes grey-alpha and RGB
  // becomes RGBA, every alpha 255; a palette picture keeps its type (its transparency
  // table stands for the alpha). Fires OnChange when something changed.
  void CreateAlpha();
  // The alpha values of row y, Width() bytes; nullptr when the picture has no alpha
  // channel (palette pictures included) or y is outside it.
  uint8_t* AlphaScanline(int y);
  const uint8_t* AlphaScanline(int y) const;

  // Straight (not premultiplied) 0xAARRGGBB of one pixel; alpha 255 without a channel.
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t straightArgb);

  // The picture premultiplied, ready for blending.
  TPixelBuffer ToPixelBuffer() const;
  // Replaces the picture by a premultiplied buffer (as RGBA).
  void AssignPixelBuffer(const TPixelBuffer& buffer);

  // Draws the picture with its alpha channel over what the canvas shows, scaled to dest.
  void Draw(TCanvas& canvas, const TRect& dest) const;
  // The plain-bitmap conversion: a 24-bit bitmap of the colours, alpha dropped.
  void AssignTo(TBitmap& bitmap) const;

  // Fired by Assign, the loads, CreateAlpha and Changed.
  TNotifyEvent OnChange;
  void Changed() const;

private:
  friend void CopyRectNearest(const TPNGObject&, const TRect&, TPNGObject&, const TRect&);
  void CopyFrom(const TPNGObject& other);
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * FWidth + x; }

  int FWidth = 0;
  int FHeight = 0;
  uint8_t FColorType = ctRGBAlpha;
  std::vector<uint32_t> FColors;  // 0x00RRGGBB, straight
  std::vector<uint8_t> FAlpha;    // one byte a pixel, 255 where the file had no alpha
};

// Copies srcRect of source into dstRect of target, scaled nearest-neighbour (the source
// position of each target pixel is srcStart + round(offset * srcSize / dstSize), kept
// inside the source), colours and alpha (255 where the source has no alpha channel).
// Parts outside either picture are skipped. Fires no event.
void CopyRectNearest(const TPNGObject& source, const TRect& srcRect, TPNGObject& target, const TRect& dstRect);

// The colour type byte of a PNG file's header, or -1 when the bytes are not a PNG file.
int PngColorType(const void* data, size_t size);

}  // namespace qs
