// Measures the message label's text with GDI in the label's font, the way the label lays it
// out: tabs expanded, "&" shown as written, line breaks honoured; wrapped at word boundaries
// when a width is given.
#pragma once
#include <windows.h>

#include "base/Handle.h"
#include "dialogs/MsgDlgLayout.h"

namespace qs {

class TGdiTextMeasure : public ITextMeasure {
public:
  explicit TGdiTextMeasure(HFONT font);

  TTextExtent Measure(const std::wstring& text) override;
  int WrappedHeight(const std::wstring& text, int width) override;

private:
  RECT Calc(const std::wstring& text, int width, UINT flags);

  TMemDc FDc;
  HFONT FFont;
};

}  // namespace qs
