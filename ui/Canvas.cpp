// TCanvas over GDI: each operation selects the pen, brush or font it needs for its
// duration, so the canvas leaves the DC as it found it.
#include "ui/Canvas.h"

#include <cstring>

#include "base/Handle.h"
#include "ui/Bitmap.h"

namespace qs {
namespace {

// Stock pens and brushes may be owned like the others: deleting a stock object does nothing.
TPenHandle MakePen(const TPen& pen) {
  if (pen.Style == psClear) return TPenHandle(static_cast<HPEN>(::GetStockObject(NULL_PEN)));
  int style = pen.Style == psDash ? PS_DASH : pen.Style == psDot ? PS_DOT : PS_SOLID;
  return TPenHandle(::CreatePen(style, pen.Width, ColorToRGB(pen.Color)));
}

TBrushHandle MakeBrush(const TBrush& brush) {
  if (brush.Bitmap && brush.Bitmap->Handle()) return TBrushHandle(::CreatePatternBrush(brush.Bitmap->Handle()));
  if (brush.Style == bsClear) return TBrushHandle(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
  return TBrushHandle(::CreateSolidBrush(ColorToRGB(brush.Color)));
}

// A 32-bit top-down DIB section holding a copy of the pixels, selected into a memory DC.
struct TPixelDib {
  TMemDc Dc{::CreateCompatibleDC(nullptr)};
  TBitmapHandle Bitmap;
  HGDIOBJ Old = nullptr;
  explicit TPixelDib(const TPixelBuffer& px) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = px.Width;
    bi.bmiHeader.biHeight = -px.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) std::memcpy(bits, px.Pixels.data(), px.Pixels.size() * 4);
    Old = ::SelectObject(Dc.Get(), Bitmap.Get());
  }
  ~TPixelDib() { ::SelectObject(Dc.Get(), Old); }
};

}  // namespace

COLORREF ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return ::GetSysColor(static_cast<int>(c & 0xFF));
  return c & 0xFFFFFF;
}

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == bsClear && !Brush.Bitmap) return;
  TBrushHandle brush = MakeBrush(Brush);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(FDc, &rc, brush.Get());
}

void TCanvas::FrameRect(const TRect& r) {
  TBrushHandle brush(::CreateSolidBrush(ColorToRGB(Brush.Color)));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(FDc, &rc, brush.Get());
}

// The gaps of a dashed or dotted pen: what lies beneath with a clear brush, else the
// brush colour.
static void SetPenGaps(HDC dc, const TBrush& brush) {
  if (brush.Style == bsClear) {
    ::SetBkMode(dc, TRANSPARENT);
  } else {
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(brush.Color));
  }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  SetPenGaps(FDc, Brush);
  TPenHandle pen = MakePen(Pen);
  TBrushHandle brush = MakeBrush(Brush);
  {
    TSelectGuard sp(FDc, pen.Get()), sb(FDc, brush.Get());
    ::Rectangle(FDc, left, top, right, bottom);
  }
}

void TCanvas::MoveTo(int x, int y) { ::MoveToEx(FDc, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  SetPenGaps(FDc, Brush);
  TPenHandle pen = MakePen(Pen);
  {
    TSelectGuard sp(FDc, pen.Get());
    ::LineTo(FDc, x, y);
  }
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::wstring& text) {
  TSelectGuard font(FDc, FontHandle(Font));
  ::SetTextColor(FDc, ColorToRGB(Font.Color));
  UINT options = ETO_CLIPPED;
  if (Brush.Style == bsClear) {
    ::SetBkMode(FDc, TRANSPARENT);
  } else {
    ::SetBkMode(FDc, OPAQUE);
    ::SetBkColor(FDc, ColorToRGB(Brush.Color));
    options |= ETO_OPAQUE;
  }
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::ExtTextOutW(FDc, x, y, options, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  TSize size = TextExtent(text);
  TextRect(TRect::Bounds(x, y, size.Width, size.Height), x, y, text);
}

TSize TCanvas::TextExtent(const std::wstring& text) {
  TSelectGuard font(FDc, FontHandle(Font));
  SIZE s{};
  ::GetTextExtentPoint32W(FDc, text.c_str(), static_cast<int>(text.size()), &s);
  return {s.cx, s.cy};
}

void TCanvas::DrawText(const TRect& r, const std::wstring& text, UINT flags) {
  TSelectGuard font(FDc, FontHandle(Font));
  ::SetTextColor(FDc, ColorToRGB(Font.Color));
  ::SetBkMode(FDc, TRANSPARENT);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawTextW(FDc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
}

TRect TCanvas::MeasureText(const TRect& r, const std::wstring& text, UINT flags) {
  TSelectGuard font(FDc, FontHandle(Font));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawTextW(FDc, text.c_str(), static_cast<int>(text.size()), &rc, flags | DT_CALCRECT);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect) {
  if (dest.Width() == srcRect.Width() && dest.Height() == srcRect.Height()) {
    ::BitBlt(FDc, dest.Left, dest.Top, dest.Width(), dest.Height(), src.FDc, srcRect.Left, srcRect.Top, SRCCOPY);
    return;
  }
  ::SetStretchBltMode(FDc, COLORONCOLOR);
  ::StretchBlt(FDc, dest.Left, dest.Top, dest.Width(), dest.Height(), src.FDc, srcRect.Left, srcRect.Top,
               srcRect.Width(), srcRect.Height(), SRCCOPY);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, bool alpha) {
  StretchDraw(TRect::Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap, alpha);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap, bool alpha) {
  if (bitmap.Empty()) return;
  if (alpha && bitmap.PixelFormat() == pf32bit) {
    DrawPixels(dest, bitmap.ToPixelBuffer());
    return;
  }
  ::SetStretchBltMode(FDc, COLORONCOLOR);
  ::StretchBlt(FDc, dest.Left, dest.Top, dest.Width(), dest.Height(), bitmap.Dc(), 0, 0, bitmap.Width(),
               bitmap.Height(), SRCCOPY);
}

void TCanvas::DrawPixels(const TRect& dest, const TPixelBuffer& pixels, const TRect& srcRect, uint8_t constantAlpha) {
  if (dest.Empty() || srcRect.Empty() || pixels.Empty()) return;
  // Only the part of dest the clipping lets through is scaled and blended.
  TRect visible = dest.Intersect(ClipRect());
  if (visible.Empty()) return;
  TPixelBuffer part(visible.Width(), visible.Height());
  CopyScaled(part, dest.Offset(-visible.Left, -visible.Top), pixels, srcRect);
  TPixelDib dib(part);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
  ::GdiAlphaBlend(FDc, visible.Left, visible.Top, part.Width, part.Height, dib.Dc.Get(), 0, 0, part.Width,
                  part.Height, blend);
}

TPoint TCanvas::Origin() const {
  POINT p{};
  ::GetViewportOrgEx(FDc, &p);
  return {p.x, p.y};
}

void TCanvas::SetOrigin(TPoint p) { ::SetViewportOrgEx(FDc, p.X, p.Y, nullptr); }

TRect TCanvas::ClipRect() const {
  RECT r{};
  ::GetClipBox(FDc, &r);
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace qs
