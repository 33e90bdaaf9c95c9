// qsget URL FILE [--no-resume]: the download harness. Calls DownloadFile on the shared
// client (resume on unless told otherwise) and prints one line per notification:
//   STATE position total result speed remain message
// (texts as UTF-8), then "result N". The exit code is the result (255 for -1 in a shell).
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/Text.h"
#include "http/HttpClient.h"

using namespace qs;

namespace {

void Print(const std::string& line) {
  DWORD n = 0;
  std::string out = line + "\n";
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
}

const char* StateName(uint8_t state) {
  static const char* const kNames[] = {"dsStart", "dsProgress", "dsEnd", "dsFail", "dsError"};
  return state < 5 ? kNames[state] : "ds?";
}

}  // namespace

int wmain() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 3) {
    Print("usage: qsget URL FILE [--no-resume]");
    return 2;
  }
  std::wstring url = argv[1], file = argv[2];
  bool resume = !(argc > 3 && std::wstring(argv[3]) == L"--no-resume");
  ::LocalFree(argv);

  auto client = GetHttpClient();
  client->SetAllowResume(resume);
  int32_t result = client->DownloadFile(
      url, file,
      [](const THttpDownloadInfo& info, bool&) {
        Print(std::string(StateName(info.State)) + " " + std::to_string(info.Position) + " " +
              std::to_string(info.Total) + " " + std::to_string(info.ResultCode) + " " +
              WideToUtf8(AnsiToWide(info.SpeedText.Str())) + " " + WideToUtf8(AnsiToWide(info.RemainTimeText.Str())) +
              " " + WideToUtf8(info.Message));
      },
      0, L"GET", L"");
  Print("result " + std::to_string(result));
  return result;
}
