// TCheckBox: the native auto check box; clicks come back as BN_CLICKED.
#include "ui/CheckBox.h"

namespace qs {

TCheckBox::TCheckBox() {
  SetTabStop(true);
  SetControlStyle(0);  // the button clicks itself; OnClick follows BN_CLICKED
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = L"BUTTON";
  p.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() { ::SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TCheckBox::Checked() const {
  if (!HandleAllocated()) return FChecked;
  return ::SendMessageW(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool v) {
  FChecked = v;
  if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Configure(const TDesign& d) {
  TWinControl::Configure(d);
  SetChecked(d.Checked);
}

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) {
      FChecked = Checked();
      Click();
    }
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace qs
