#include "app/WorkflowHost.h"

#include <shellapi.h>

#include "app/GlobalVar.h"
#include "app/InfoDialog.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "dialogs/MsgDlgBox.h"
#include "http/WinInet.h"

namespace qs {

void ProcessPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void HardExitProcess() {
  HANDLE self = ::OpenProcess(PROCESS_TERMINATE, FALSE, ::GetCurrentProcessId());
  if (self) ::TerminateProcess(self, 0xFFFFFFFF);
}

void TWorkflowHost::Notice(const std::wstring& text) { ShowMsgDlg(mkInformation, text); }

bool TWorkflowHost::Confirm(const std::wstring& text) { return ShowMsgDlg(mkConfirm, text) == drLeft; }

int TWorkflowHost::FailurePrompt() { return ShowInfoDlg(); }

void TWorkflowHost::ProcessMessages() { ProcessPendingMessages(); }

bool TWorkflowHost::IsConnected() {
  DWORD flags = 0;
  return inet::ConnectedState(flags);
}

bool TWorkflowHost::FileExists(const std::wstring& path) { return qs::FileExists(path); }

void TWorkflowHost::DeleteFile(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

bool TWorkflowHost::ShellOpen(const std::wstring& target) {
  // The wide call, so a path outside the ANSI code page opens too.
  auto code = reinterpret_cast<INT_PTR>(::ShellExecuteW(FOwner(), nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return code > 32;
}

void TWorkflowHost::HardExit() { HardExitProcess(); }

void TWorkflowHost::Log(const std::wstring& text) {
  // A log that cannot be written (file locked, folder gone) must never stop a download.
  try {
    if (GLogger) GLogger->WriteLog(WideToAnsi(text), llInformation);
  } catch (...) {
    ::OutputDebugStringW((L"[Log] " + text).c_str());
  }
}

THttpClientRef TWorkflowHost::Client() { return GetHttpClient(); }

}  // namespace qs
