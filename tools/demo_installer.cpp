// The demo installer: what the end-to-end tests and ./run serve as the Velmora package.
// It shows nothing and only records that it ran: "demo-installer-ran.txt" beside itself
// holds its command line and its own full path (UTF-8, one per line, CRLF); then it ends
// with 0 (1 when the record could not be written). Kernel32 only and no C++ library, so
// it stays a few kilobytes, and it still runs with the filler the servers append to it.
#include <windows.h>

namespace {

constexpr wchar_t kRecordName[] = L"demo-installer-ran.txt";

// Room for long paths and the longest command line; taken from the heap, because large
// static buffers would be stored in the file.
constexpr DWORD kPathChars = 32768 + 64;
constexpr int kTextBytes = 3 * 2 * 32768 + 64;

// Appends UTF-16 text to buf as UTF-8; false when it does not fit.
bool AppendUtf8(char* buf, int& used, const wchar_t* text) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, buf + used, kTextBytes - used, nullptr, nullptr);
  if (n <= 0) return false;
  used += n - 1;  // the terminating zero is not part of the record
  return true;
}

bool WriteRecord(wchar_t* self, wchar_t* record, char* text) {
  DWORD len = ::GetModuleFileNameW(nullptr, self, kPathChars);
  if (len == 0 || len >= kPathChars - ARRAYSIZE(kRecordName)) return false;
  ::lstrcpyW(record, self);
  wchar_t* name = record;
  for (wchar_t* p = record; *p; ++p)
    if (*p == L'\\' || *p == L'/') name = p + 1;
  ::lstrcpyW(name, kRecordName);

  int used = 0;
  if (!AppendUtf8(text, used, L"command line: ") || !AppendUtf8(text, used, ::GetCommandLineW()) ||
      !AppendUtf8(text, used, L"\r\npath: ") || !AppendUtf8(text, used, self) || !AppendUtf8(text, used, L"\r\n"))
    return false;

  HANDLE file = ::CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, text, static_cast<DWORD>(used), &written, nullptr);
  ok = ::CloseHandle(file) && ok;
  return ok && written == static_cast<DWORD>(used);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HANDLE heap = ::GetProcessHeap();
  auto block = static_cast<char*>(::HeapAlloc(heap, 0, 2 * kPathChars * sizeof(wchar_t) + kTextBytes));
  if (!block) return 1;
  auto self = reinterpret_cast<wchar_t*>(block);
  bool ok = WriteRecord(self, self + kPathChars, block + 2 * kPathChars * sizeof(wchar_t));
  ::HeapFree(heap, 0, block);
  return ok ? 0 : 1;
}
