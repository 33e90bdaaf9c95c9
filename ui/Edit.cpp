// TEdit: the native edit with a one-pixel border in the colour of its state. The edit has
// no border style of its own (the system would draw it); the subclass reserves a
// one-pixel non-client frame (WM_NCCALCSIZE) and paints it (WM_NCPAINT).
#include "ui/Edit.h"

#include "ui/Canvas.h"

namespace qs {

TEdit::TEdit() {
  SetTabStop(true);
  SetControlStyle(0);  // the edit handles its own mouse
  SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
}

void TEdit::CreateWnd() {
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(3, 3));
  // The frame is reserved at the next size calculation.
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TEdit::Text() const {
  if (!HandleAllocated()) return Caption();
  HWND wnd = const_cast<TEdit*>(this)->Handle();
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TEdit::SetText(const std::wstring& text) {
  SetCaption(text);
  // The window may hold typed text that the caption does not know of yet.
  if (HandleAllocated() && Text() != text) ::SetWindowTextW(Handle(), text.c_str());
}

void TEdit::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TEdit::SetBorderColors(TColor normal, TColor focused, TColor disabled, TColor unfocused) {
  BorderColorNormal = normal;
  BorderColorFocused = focused;
  BorderColorDisabled = disabled;
  BorderColorUnfocused = unfocused;
  PaintBorder();
}

void TEdit::Configure(const TDesign& d) {
  TWinControl::Configure(d);
  SetReadOnly(d.ReadOnly);
}

TColor TEdit::CurrentBorderColor() {
  if (!Enabled()) return BorderColorDisabled;
  if (Focused()) return BorderColorFocused;
  if (FHot) return BorderColorNormal;
  return BorderColorUnfocused;
}

void TEdit::PaintBorder() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  HDC dc = ::GetWindowDC(wnd);
  RECT r{};
  ::GetWindowRect(wnd, &r);
  ::OffsetRect(&r, -r.left, -r.top);
  HBRUSH brush = ::CreateSolidBrush(ColorToRGB(CurrentBorderColor()));
  ::FrameRect(dc, &r, brush);
  ::DeleteObject(brush);
  ::ReleaseDC(wnd, dc);
}

void TEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      TWinControl::WndProc(m);
      RECT* r = reinterpret_cast<RECT*>(m.LParam);  // the first rectangle in either form
      ::InflateRect(r, -1, -1);
      return;
    }
    case WM_NCPAINT:
      PaintBorder();
      m.Result = 0;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      FHot = m.Msg == CM_MOUSEENTER;
      PaintBorder();
      break;
    case CN_BASE + WM_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE && OnChange) OnChange();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS || m.Msg == CM_ENABLEDCHANGED) PaintBorder();
}

}  // namespace qs
