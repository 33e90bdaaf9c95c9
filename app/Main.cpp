// The program's entry: the process-wide logger first, then the application object, the
// command-line rule, the single-instance mutex, the main window and the message loop;
// the orderly shutdown releases everything in reverse. Exit code 0 on every orderly way out.
#include <windows.h>
#include <shellapi.h>

#include "app/GlobalVar.h"
#include "app/MainWindow.h"
#include "base/Error.h"
#include "http/HttpClient.h"
#include "ui/Application.h"

using namespace qs;

namespace {

// The first command-line argument after the usual splitting and unquoting; "" counts as none.
bool HasFirstArgument() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  bool has = argv && argc > 1 && argv[1][0] != L'\0';
  if (argv) ::LocalFree(argv);
  return has;
}

void Shutdown() {
  GLogger.reset();
  ReleaseHttpClient();
}

int RunApplication() {
  // One copy only. The handle stays open for the process's lifetime; the system closes
  // it when the process ends, whichever way it ends.
  ::CreateMutexA(nullptr, FALSE, "Quillsend_HB");
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  Application.SetTitle(L"Velmora");
  // FormCreate runs here; FormShow when Run shows the window.
  Application.CreateForm<Tfrm_Main>();
  Application.Run();  // until the main form closes; the forms are freed on the way out
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    GLogger = std::make_unique<TLogger>(nullptr, L"");
  } catch (const EQsError& e) {
    ::MessageBoxW(nullptr, e.Message().c_str(), L"Velmora", MB_OK | MB_ICONERROR);
    return 1;
  }
  Application.Initialize();
  if (!HasFirstArgument()) {
    try {
      RunApplication();
    } catch (...) {
      // A main window that cannot be built (a picture missing from the resources):
      // reported, then the orderly shutdown.
      Application.HandleException();
      Application.DestroyForms();
    }
  }
  Shutdown();
  return 0;
}
