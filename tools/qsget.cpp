// qsget: the download harness of the tests and benchmarks (not part of Quillsend.exe).
//   qsget.exe URL FILE [--no-resume]
// Calls DownloadFile on the shared client (resume on unless told otherwise), prints one
// line per notification, tab-separated: state, position, total, result code, speed text,
// remaining-time text, message (UTF-8); then "result" and the call's result. The exit
// code is the result (0, 1, or -1, which a Linux shell sees as 255); 2 for bad usage.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/Text.h"
#include "http/HttpClient.h"

namespace {

void Print(HANDLE out, const std::string& utf8) {
  DWORD written = 0;
  ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

const char* StateName(uint8_t state) {
  static const char* const kNames[] = {"dsStart", "dsProgress", "dsEnd", "dsFail", "dsError"};
  return state < 5 ? kNames[state] : "ds?";
}

}  // namespace

int main() {
  using namespace qs;
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  bool resume = true;
  std::wstring url, file;
  int positional = 0;
  for (int i = 1; argv && i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--no-resume") resume = false;
    else if (positional == 0 && ++positional) url = a;
    else if (positional == 1 && ++positional) file = a;
    else positional = 3;
  }
  if (argv) ::LocalFree(argv);
  if (positional != 2) {
    Print(::GetStdHandle(STD_ERROR_HANDLE), "usage: qsget.exe URL FILE [--no-resume]\n");
    return 2;
  }
  THttpClientRef client = GetHttpClient();
  client->SetAllowResume(resume);
  int32_t result = client->DownloadFile(
      url, file,
      [out](const THttpDownloadInfo& info, bool&) {
        std::string line = std::string(StateName(info.State)) + "\t" + std::to_string(info.Position) + "\t" +
                           std::to_string(info.Total) + "\t" + std::to_string(info.ResultCode) + "\t" +
                           WideToUtf8(AnsiToWide(info.SpeedText.Str())) + "\t" +
                           WideToUtf8(AnsiToWide(info.RemainTimeText.Str())) + "\t" + WideToUtf8(info.Message) + "\n";
        Print(out, line);
      },
      0, L"GET", L"");
  Print(out, "result\t" + std::to_string(result) + "\n");
  ReleaseHttpClient();
  return result;
}
