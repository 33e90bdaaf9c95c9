// Every 8-bit/UTF-16 conversion of the program goes through here.
#include "base/Text.h"

#include <windows.h>

namespace qs {
namespace {

std::wstring ToWide(UINT cp, const std::string& s) {
  if (s.empty()) return {};
  int n = ::MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT cp, const std::wstring& s) {
  if (s.empty()) return {};
  int n = ::WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring AnsiToWide(const std::string& s) { return ToWide(CP_ACP, s); }
std::string WideToAnsi(const std::wstring& s) { return FromWide(CP_ACP, s); }
std::wstring Utf8ToWide(const std::string& s) { return ToWide(CP_UTF8, s); }
std::string WideToUtf8(const std::wstring& s) { return FromWide(CP_UTF8, s); }

}  // namespace qs
