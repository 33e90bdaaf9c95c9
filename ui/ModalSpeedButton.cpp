// TModalSpeedButton: a flat colour button of our own window class, focusable.
#include "ui/ModalSpeedButton.h"

#include <algorithm>

#include "ui/Canvas.h"

namespace qs {
namespace {

void Edge(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight) {
  c.Brush.Color = topLeft;
  c.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
  c.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
  c.Brush.Color = bottomRight;
  c.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  c.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

}  // namespace

TModalSpeedButton::TModalSpeedButton() {
  SetTabStop(true);
  SetColor(Rgb(66, 139, 202));
}

void TModalSpeedButton::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  bool focused = Focused();
  canvas.Brush.Color = FPressed ? ColorWhenDown : (FHot || focused) ? HotTrackColor : Color();
  canvas.FillRect(r);
  if (FPressed) {
    Edge(canvas, r, ShadowColor, LightColor);
  } else if (focused) {
    canvas.Brush.Color = FocusBorderColor;
    canvas.FrameRect(r);
  } else if (FHot) {
    Edge(canvas, r, LightColor, ShadowColor);
  }
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  // DrawText underlines the accelerator letter and hides the "&".
  canvas.DrawText(r, Caption(), DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void TModalSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    FPressed = true;
    if (CanFocus()) SetFocus();
    Invalidate();
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TModalSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FPressed) {
    FPressed = false;
    Invalidate();
  }
  TWinControl::MouseUp(button, shift, x, y);
}

bool TModalSpeedButton::DialogChar(wchar_t ch) {
  if (!IsAccelerator(ch, Caption()) || !CanFocus()) return false;
  SetFocus();
  Click();
  return true;
}

void TModalSpeedButton::MoveFocus(bool forward) {
  if (!Parent()) return;
  std::vector<TModalSpeedButton*> buttons;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TModalSpeedButton*>(Parent()->Controls(i)); b && (b == this || b->CanFocus()))
      buttons.push_back(b);
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](TModalSpeedButton* a, TModalSpeedButton* b) { return a->TabOrder() < b->TabOrder(); });
  auto it = std::find(buttons.begin(), buttons.end(), this);
  size_t n = buttons.size(), i = static_cast<size_t>(it - buttons.begin());
  if (n > 1) buttons[(i + (forward ? 1 : n - 1)) % n]->SetFocus();
}

void TModalSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      FHot = m.Msg == CM_MOUSEENTER;
      Invalidate();
      break;
    case WM_KILLFOCUS:
      FPressed = false;
      break;
    case WM_KEYDOWN:
      switch (m.WParam) {
        case VK_RETURN:
        case VK_SPACE:
          Click();
          return;
        case VK_LEFT:
        case VK_UP:
          MoveFocus(false);
          return;
        case VK_RIGHT:
        case VK_DOWN:
          MoveFocus(true);
          return;
        default:
          break;
      }
      break;
    case WM_CHAR:
      if (m.WParam == L'\r' || m.WParam == L' ') return;  // handled as keys; no beep
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

}  // namespace qs
