// GDI fonts made once per distinct TFont, with the face fallback for missing faces.
#include "ui/Font.h"

#include <map>
#include <tuple>

#include "base/Handle.h"

namespace qs {
namespace {

// Faces that show Simplified Chinese, in the order they are tried: the Windows faces,
// then those a Linux system under Wine offers.
const wchar_t* const kChineseFaces[] = {L"Microsoft YaHei", L"微软雅黑", L"SimSun", L"宋体",
                                        L"Noto Sans CJK SC", L"Noto Sans SC", L"WenQuanYi Micro Hei",
                                        L"Droid Sans Fallback"};

bool FaceExists(const std::wstring& name) {
  static std::map<std::wstring, bool> known;
  auto it = known.find(name);
  if (it != known.end()) return it->second;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  bool found = false;
  HDC dc = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(
      dc, &lf, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lp) -> int {
        *reinterpret_cast<bool*>(lp) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  known[name] = found;
  return found;
}

}  // namespace

std::wstring ResolveFontFace(const std::wstring& name) {
  if (FaceExists(name)) return name;
  for (const wchar_t* face : kChineseFaces)
    if (FaceExists(face)) return face;
  return name;
}

HFONT FontHandle(const TFont& f) {
  using TKey = std::tuple<std::wstring, int, bool, bool>;
  static std::map<TKey, TFontHandle> fonts;
  TKey key{f.Name, f.Height, f.Bold, f.Underline};
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second.Get();
  std::wstring face = ResolveFontFace(f.Name);
  HFONT font = ::CreateFontW(-f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, FALSE, f.Underline, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  else fonts.emplace(key, TFontHandle(font));
  return font;
}

TSize MeasureText(const TFont& f, const std::wstring& text, UINT flags, int wrapWidth) {
  static TMemDc dc(::CreateCompatibleDC(nullptr));
  TSelectGuard font(dc.Get(), FontHandle(f));
  RECT r{0, 0, (flags & DT_WORDBREAK) ? wrapWidth : 0, 0};
  const std::wstring& shown = text.empty() ? std::wstring(L" ") : text;
  ::DrawTextW(dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &r, flags | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace qs
