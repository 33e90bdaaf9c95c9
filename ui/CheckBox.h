// TCheckBox: the native check box, subclassed; its background is its Color. A click
// toggles it, then OnClick.
#pragma once
#include "ui/WinControl.h"

namespace qs {

class TCheckBox : public TWinControl {
public:
  TCheckBox();

  bool Checked() const;
  void SetChecked(bool v);

  void Configure(const TDesign& d) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& m) override;

private:
  bool FChecked = false;
};

}  // namespace qs
