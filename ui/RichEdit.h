// TRichEdit: the native rich-text box (msftedit), subclassed, holding plain text; here
// read-only with both scroll bars, no border, in its Color.
#pragma once
#include <string>

#include "ui/WinControl.h"

namespace qs {

class TRichEdit : public TWinControl {
public:
  TRichEdit();

  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void Clear() { SetText(L""); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);

  void Configure(const TDesign& d) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void TextChanged() override;
  void ColorChanged() override { ApplyColor(); }

private:
  void ApplyColor();

  bool FReadOnly = true;
  std::wstring FText;
};

}  // namespace qs
