// TCanvas: drawing on a device context with a pen, a brush and a font, in the operations
// the windows use (fills, frames, text, copies, stretching, drawing pictures with alpha).
// A control's Paint receives the canvas of its window's back buffer, its origin moved to
// the control's top-left corner and clipped to the control; a TBitmap has a canvas of
// its own. Pen, brush and font are plain values: set them, then draw.
//
//   void TMyControl::Paint(TCanvas& c) {
//     c.Brush.Color = Rgb(66, 139, 202);
//     c.FillRect(ClientRect());
//     c.Font = Font();
//     c.Brush.Style = bsClear;
//     c.TextRect(ClientRect(), 4, 4, L"确定");
//   }
#pragma once
#include <windows.h>

#include <string>

#include "ui/Font.h"
#include "ui/PixelBuffer.h"
#include "ui/UiTypes.h"

namespace qs {

class TBitmap;

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psClear };
enum TBrushStyle : uint8_t { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  int Width = 1;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  // A pattern: when set, fills repeat this bitmap instead of the colour (not owned).
  const TBitmap* Bitmap = nullptr;
};

// The RGB value of a colour, system colours resolved.
COLORREF ColorToRGB(TColor c);

class TCanvas {
public:
  // A canvas over a DC it does not own.
  explicit TCanvas(HDC dc) : FDc(dc) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FDc; }

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Fills r with the brush (nothing with a clear brush).
  void FillRect(const TRect& r);
  // A one-pixel frame in the brush colour, as GDI's FrameRect.
  void FrameRect(const TRect& r);
  // Outline with the pen, inside filled with the brush (right and bottom exclusive).
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);

  // Text in Font at x, y, clipped to r; with a solid brush the rest of r is filled too.
  void TextRect(const TRect& r, int x, int y, const std::wstring& text);
  void TextOut(int x, int y, const std::wstring& text);
  // Width and height of the text in Font (line breaks not interpreted).
  TSize TextExtent(const std::wstring& text);
  // Text laid out by DrawText flags (DT_WORDBREAK, DT_CENTER, ...) inside r.
  void DrawText(const TRect& r, const std::wstring& text, UINT flags);
  // The rectangle DrawText would need (DT_CALCRECT); r.Width() limits wrapped text.
  TRect MeasureText(const TRect& r, const std::wstring& text, UINT flags);

  // Copies src's srcRect into dest, stretching when the sizes differ (SRCCOPY).
  void CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect);
  // A bitmap at x, y, opaque; a 32-bit bitmap is drawn with its alpha when alpha is true.
  void Draw(int x, int y, const TBitmap& bitmap, bool alpha = false);
  void StretchDraw(const TRect& dest, const TBitmap& bitmap, bool alpha = false);
  // Premultiplied pixels over what the canvas shows: srcRect of the buffer scaled into
  // dest (nearest neighbour), weighted by constantAlpha.
  void DrawPixels(const TRect& dest, const TPixelBuffer& pixels, const TRect& srcRect, uint8_t constantAlpha = 255);
  void DrawPixels(const TRect& dest, const TPixelBuffer& pixels) {
    DrawPixels(dest, pixels, TRect::Bounds(0, 0, pixels.Width, pixels.Height));
  }

  // Clipping and origin, for code that composes parts (the layer's painting uses them).
  TPoint Origin() const;
  void SetOrigin(TPoint p);
  TRect ClipRect() const;

private:
  HDC FDc;
};

}  // namespace qs
