#include "base/Paths.h"

#include <windows.h>

namespace qs {

std::wstring ExePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) { buf.resize(n); return buf; }
    buf.resize(buf.size() * 2);
  }
}

std::wstring ExeDir() {
  std::wstring p = ExePath();
  return p.substr(0, p.find_last_of(L"\\/:") + 1);
}

std::wstring ExeFileName() {
  std::wstring p = ExePath();
  return p.substr(p.find_last_of(L"\\/:") + 1);
}

std::wstring IncludeTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path;
  return path + L'\\';
}

bool DirectoryExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::wstring& path) {
  std::wstring p = path;
  while (!p.empty() && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
  if (p.empty()) return false;
  if (DirectoryExists(p)) return true;
  size_t cut = p.find_last_of(L"\\/");
  // Stop at a drive root ("C:") or a relative first component.
  if (cut != std::wstring::npos && cut > 0 && p[cut - 1] != L':' && !ForceDirectories(p.substr(0, cut)))
    return false;
  return ::CreateDirectoryW(p.c_str(), nullptr) || DirectoryExists(p);
}

}  // namespace qs
