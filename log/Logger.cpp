#include "log/Logger.h"

#include <commctrl.h>

#include "base/Error.h"
#include "base/Paths.h"
#include "base/SysError.h"
#include "base/Text.h"

namespace qs {
namespace {

const int kMaxContainerEntries = 1000;

TLocalTime Now() {
  SYSTEMTIME st;
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string LocaleSeparator(LCTYPE type, const char* fallback) {
  wchar_t buf[8] = {};
  if (!::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 8) || !buf[0]) return fallback;
  return WideToAnsi(buf);
}

bool IsBlank(const std::wstring& s) {
  for (wchar_t c : s)
    if (c > L' ') return false;
  return true;
}

std::wstring ClassOf(HWND wnd) {
  wchar_t buf[64] = {};
  ::GetClassNameW(wnd, buf, 64);
  return buf;
}

class TLockGuard {
public:
  explicit TLockGuard(CRITICAL_SECTION& cs) : FCs(cs) { ::EnterCriticalSection(&FCs); }
  ~TLockGuard() { ::LeaveCriticalSection(&FCs); }
private:
  CRITICAL_SECTION& FCs;
};

}  // namespace

TLogger::TLogger(HWND container, const std::wstring& folder) : FContainer(container) {
  FLogPath = IsBlank(folder) ? ExeDir() + L"Velmora\\Log\\" : folder;
  if (!DirectoryExists(FLogPath) && !ForceDirectories(FLogPath))
    throw EQsError(L"日志路径错误，日志类对象不能被创建");
  ::InitializeCriticalSection(&FLock);
}

TLogger::~TLogger() {
  FStream.Reset();
  ::DeleteCriticalSection(&FLock);
}

void TLogger::WriteLog(const std::string& text, int level) {
  TLockGuard lock(FLock);
  WriteToContainer(text, level);
  if (level < 0) return;

  TLocalTime now = Now();
  if (FLogFileName.empty()) {
    std::wstring exe = ExeFileName();
    std::wstring base = exe.substr(0, exe.find_last_of(L'.'));
    FLogFileName = AnsiToWide(qs::LogFileName(WideToAnsi(base), now));
  }
  std::wstring path = FLogPath + FLogFileName;
  bool existed = FileExists(path);
  FStream.Reset();
  // An existing file is shared with other writers; a new one is ours alone until the next write.
  HANDLE h = existed ? ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                     : ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    throw EQsError(L"无法打开日志文件 \"" + path + L"\"：" + LastErrorText());
  FStream.Reset(h);
  ::SetFilePointer(h, 0, nullptr, FILE_END);

  std::string line = ComposeLogLine(FormatLogTime(now, LocaleSeparator(LOCALE_STIME, ":")), level, text);
  DWORD written = 0;
  ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void TLogger::WriteToContainer(const std::string& text, int level) {
  if (!FContainer) return;
  std::wstring stamp = AnsiToWide(FormatLogStamp(Now(), LocaleSeparator(LOCALE_SDATE, "/"),
                                                 LocaleSeparator(LOCALE_STIME, ":")));
  std::wstring wtext = AnsiToWide(text);
  std::wstring cls = ClassOf(FContainer);
  LONG_PTR style = ::GetWindowLongPtrW(FContainer, GWL_STYLE);

  if (_wcsicmp(cls.c_str(), L"Edit") == 0 && (style & ES_MULTILINE)) {
    // Each entry is a line ended by CR LF, so the line count less one is the new index.
    LRESULT index = ::SendMessageW(FContainer, EM_GETLINECOUNT, 0, 0) - 1;
    int len = ::GetWindowTextLengthW(FContainer);
    ::SendMessageW(FContainer, EM_SETSEL, len, len);
    std::wstring line = stamp + L" " + wtext + L"\r\n";
    ::SendMessageW(FContainer, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    ::SendMessageW(FContainer, WM_VSCROLL, SB_LINEDOWN, 0);
    if (index >= kMaxContainerEntries) ::SetWindowTextW(FContainer, L"");
  } else if (_wcsicmp(cls.c_str(), L"ListBox") == 0) {
    std::wstring line = stamp + L" " + wtext;
    LRESULT index = ::SendMessageW(FContainer, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    ::SendMessageW(FContainer, WM_VSCROLL, SB_LINEDOWN, 0);
    if (index >= kMaxContainerEntries) ::SendMessageW(FContainer, LB_RESETCONTENT, 0, 0);
  } else if (_wcsicmp(cls.c_str(), WC_LISTVIEWW) == 0) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(::SendMessageW(FContainer, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = stamp.data();
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FContainer, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (images && ::ImageList_GetImageCount(images) - 1 >= level) {
      item.mask |= LVIF_IMAGE;
      item.iImage = level;
    }
    int index = static_cast<int>(::SendMessageW(FContainer, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = wtext.data();
    ::SendMessageW(FContainer, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&sub));
    ::SendMessageW(FContainer, WM_VSCROLL, SB_LINEDOWN, 0);
    if (::SendMessageW(FContainer, LVM_GETITEMCOUNT, 0, 0) >= kMaxContainerEntries)
      ::SendMessageW(FContainer, LVM_DELETEALLITEMS, 0, 0);
  } else {
    throw EQsError(L"日志容器类型不支持:" + cls);
  }
}

}  // namespace qs
