// TEdit: the native single-line edit, subclassed, with a one-pixel border of its own
// whose colour follows its state: disabled, focused, under the mouse, or at rest.
#pragma once
#include <string>

#include "ui/WinControl.h"

namespace qs {

class TEdit : public TWinControl {
public:
  TEdit();

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);

  // Border colours by state.
  TColor BorderColorNormal = clBtnShadow;     // the pointer is over it
  TColor BorderColorFocused = clHighlight;    // it has the focus
  TColor BorderColorDisabled = clBtnShadow;   // disabled
  TColor BorderColorUnfocused = clBtnShadow;  // at rest
  void SetBorderColors(TColor normal, TColor focused, TColor disabled, TColor unfocused);

  TNotifyEvent OnChange;

  void Configure(const TDesign& d) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& m) override;

private:
  void PaintBorder();
  TColor CurrentBorderColor();

  bool FReadOnly = false;
  bool FHot = false;
};

}  // namespace qs
