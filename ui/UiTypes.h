// The small value types of the widget layer, free of <windows.h>: colours, rectangles,
// the alignment and anchor settings, mouse and key states, the message record that
// travels through every control's WindowProc hook, and the layer's own notices (CM_*).
// Pure code (layout, pixels) and the Windows shell share them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace qs {

// A colour as GDI's COLORREF holds it, 0x00BBGGRR, or a system colour (0x800000nn, nn
// being the GetSysColor index), resolved when drawn.
using TColor = uint32_t;

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clBlack = Rgb(0, 0, 0);
inline constexpr TColor clWhite = Rgb(255, 255, 255);
inline constexpr TColor clNavy = Rgb(0, 0, 128);
inline constexpr TColor clGray = Rgb(128, 128, 128);
inline constexpr TColor clRed = Rgb(255, 0, 0);
inline constexpr TColor clBtnFace = 0x8000000F;      // COLOR_BTNFACE
inline constexpr TColor clBtnShadow = 0x80000010;    // COLOR_BTNSHADOW
inline constexpr TColor clBtnHighlight = 0x80000014; // COLOR_BTNHIGHLIGHT
inline constexpr TColor clWindow = 0x80000005;       // COLOR_WINDOW
inline constexpr TColor clWindowText = 0x80000008;   // COLOR_WINDOWTEXT
inline constexpr TColor clGrayText = 0x80000011;     // COLOR_GRAYTEXT
inline constexpr TColor clHighlight = 0x8000000D;    // COLOR_HIGHLIGHT
// "Not set": a control whose colour is clDefault takes its parent's.
inline constexpr TColor clDefault = 0x20000000;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom exclusive, as GDI's RECT.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  static constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool Empty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr TRect Intersect(const TRect& o) const {
    TRect r{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top, Right < o.Right ? Right : o.Right,
            Bottom < o.Bottom ? Bottom : o.Bottom};
    return r.Empty() ? TRect{} : r;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Where a control places itself inside its parent's client area.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Which parent edges keep their distance when the parent is resized.
using TAnchors = uint8_t;
inline constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;
inline constexpr TAnchors akDefault = akLeft | akTop;
inline constexpr TAnchors akAll = akLeft | akTop | akRight | akBottom;

enum TCursor : uint8_t { crDefault, crArrow, crHandPoint, crIBeam };
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised };
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TPosition : uint8_t { poDesigned, poScreenCenter };
enum TFormStyle : uint8_t { fsNormal, fsStayOnTop };

using TShiftState = uint8_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                             ssDouble = 64;

// Modal results: a form's ShowModal returns the value its ModalResult was set to.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2;

// One message on its way through a control's WindowProc. Msg/WParam/LParam as the system
// sends them (for windowless controls: as the layer synthesises them, with mouse
// positions relative to the control); a handler puts its answer in Result.
struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// The message hook: receives every message of a control first.
using TWndMethod = std::function<void(TMessage&)>;

using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TShiftState shift, int x, int y)>;
// Key: the virtual-key code; a handler that sets it to 0 swallows the key.
using TKeyEvent = std::function<void(uint16_t& key, TShiftState shift)>;

// A font by face name and character height in pixels, as the window designs give them
// ("微软雅黑", 12 px). ui/Font.h turns it into a GDI font.
struct TFont {
  std::wstring Name = L"MS Sans Serif";
  int Height = 11;  // character height in pixels (the em height, not the cell)
  TColor Color = clWindowText;
  bool Bold = false;
  bool Underline = false;

  friend bool operator==(const TFont&, const TFont&) = default;
};

// The layer's notices, sent to a control through its WindowProc (WParam/LParam 0).
inline constexpr uint32_t CM_BASE = 0xB000;
inline constexpr uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;  // Enabled changed
inline constexpr uint32_t CM_MOUSEENTER = CM_BASE + 19;      // the pointer came over the control
inline constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 20;      // the pointer left it
inline constexpr uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;  // Showing changed (0xB019)
// A notification a parent window received about a native child (WM_COMMAND, WM_CTLCOLOR*),
// reflected to that child's object as CN_BASE + the original message.
inline constexpr uint32_t CN_BASE = 0xBC00;

}  // namespace qs
