// GDI text measurement for the message dialog's layout.
#include "dialogs/GdiTextMeasure.h"

namespace qs {

namespace {
constexpr UINT kLabelFlags = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | DT_TOP;
}

TGdiTextMeasure::TGdiTextMeasure(HFONT font) : FDc(::CreateCompatibleDC(nullptr)), FFont(font) {}

RECT TGdiTextMeasure::Calc(const std::wstring& text, int width, UINT flags) {
  RECT r{0, 0, width, 0};
  if (!FDc) return r;
  TSelectGuard select(FDc.Get(), FFont);
  // An empty text still takes one line, as a label does.
  const std::wstring measured = text.empty() ? std::wstring(L" ") : text;
  ::DrawTextW(FDc.Get(), measured.c_str(), static_cast<int>(measured.size()), &r, kLabelFlags | flags);
  return r;
}

TTextExtent TGdiTextMeasure::Measure(const std::wstring& text) {
  RECT r = Calc(text, 0, 0);
  return {r.right - r.left, r.bottom - r.top};
}

int TGdiTextMeasure::WrappedHeight(const std::wstring& text, int width) {
  RECT r = Calc(text, width, DT_WORDBREAK);
  return r.bottom - r.top;
}

}  // namespace qs
