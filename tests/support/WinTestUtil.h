// Small helpers for the Windows tests: scratch folders, files, child processes, windows.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/Paths.h"
#include "base/Text.h"

namespace qs::test {

// A fresh folder under %TEMP%, removed with everything in it at the end of the scope.
class TScratchDir {
public:
  explicit TScratchDir(const std::wstring& hint = L"qs") {
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    FPath = std::wstring(tmp) + hint + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(++Counter()) + L"\\";
    ForceDirectories(FPath);
  }
  ~TScratchDir() { RemoveTree(FPath); }
  const std::wstring& Path() const { return FPath; }
  std::wstring operator/(const std::wstring& name) const { return FPath + name; }

  static void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((dir + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L"..") continue;
        std::wstring p = dir + n;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(p + L"\\");
        else { ::SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL); ::DeleteFileW(p.c_str()); }
      } while (::FindNextFileW(h, &fd));
      ::FindClose(h);
    }
    ::RemoveDirectoryW(dir.c_str());
  }

private:
  static int& Counter() { static int n = 0; return n; }
  std::wstring FPath;
};

inline std::string ReadFileBytes(const std::wstring& path) {
  std::string out;
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return out;
  char buf[65536];
  DWORD n = 0;
  while (::ReadFile(h, buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
  ::CloseHandle(h);
  return out;
}

// Size of a file, -1 when there is none.
inline long long GetFileSizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  ::CloseHandle(h);
  return ok && n == bytes.size();
}

// Folder of Quillsend.exe and the tools (QS_BIN, a Unix path, mapped to Wine's Z: drive).
inline std::wstring BinDir() {
  const char* bin = std::getenv("QS_BIN");
  std::wstring dir = bin ? L"Z:" + Utf8ToWide(bin) : ExeDir();
  for (auto& c : dir)
    if (c == L'/') c = L'\\';
  return IncludeTrailingBackslash(dir);
}

inline std::wstring FixtureDir() {
  std::wstring dir = L"Z:" + Utf8ToWide(QS_FIXTURES);
  for (auto& c : dir)
    if (c == L'/') c = L'\\';
  return IncludeTrailingBackslash(dir);
}

// A child process; the handle is closed (not the process ended) at the end of the scope.
class TChild {
public:
  TChild(const std::wstring& exe, const std::wstring& args, const std::wstring& dir = L"") {
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         dir.empty() ? nullptr : dir.c_str(), &si, &pi)) {
      ::CloseHandle(pi.hThread);
      FProcess = pi.hProcess;
      FPid = pi.dwProcessId;
    }
  }
  ~TChild() {
    if (FProcess) {
      if (::WaitForSingleObject(FProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(FProcess, 99);
      ::CloseHandle(FProcess);
    }
  }
  bool Started() const { return FProcess != nullptr; }
  DWORD Pid() const { return FPid; }
  // Exit code, or -2 when it did not end within the time.
  long long Wait(DWORD ms) {
    if (!FProcess || ::WaitForSingleObject(FProcess, ms) != WAIT_OBJECT_0) return -2;
    DWORD code = 0;
    ::GetExitCodeProcess(FProcess, &code);
    return static_cast<long long>(static_cast<int>(code));
  }
  void Kill() { if (FProcess) ::TerminateProcess(FProcess, 99); }

private:
  HANDLE FProcess = nullptr;
  DWORD FPid = 0;
};

// The first visible top-level window of a process with the given text, waiting up to ms.
inline HWND WaitForWindow(DWORD pid, const std::wstring& text, DWORD ms) {
  struct TFind { DWORD Pid; const std::wstring* Text; HWND Found; } find{pid, &text, nullptr};
  ULONGLONG end = ::GetTickCount64() + ms;
  do {
    ::EnumWindows([](HWND w, LPARAM lp) -> BOOL {
      auto f = reinterpret_cast<TFind*>(lp);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      wchar_t buf[256] = {};
      ::GetWindowTextW(w, buf, 256);
      if (owner == f->Pid && ::IsWindowVisible(w) && *f->Text == buf) { f->Found = w; return FALSE; }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    if (find.Found) return find.Found;
    ::Sleep(50);
  } while (::GetTickCount64() < end);
  return nullptr;
}

}  // namespace qs::test
