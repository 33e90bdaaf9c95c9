// The workflow's seam to the real system: dialogs, message pumping, WinInet's connection
// state, the shell, the hard exit and the process-wide logger.
#pragma once
#include <windows.h>

#include <functional>

#include "app/DownloadController.h"

namespace qs {

class TWorkflowHost : public IWorkflowHost {
public:
  // Owner: the window that owns the dialogs. CloseMain: closes the main window.
  TWorkflowHost(std::function<HWND()> owner, std::function<void()> closeMain)
      : FOwner(std::move(owner)), FCloseMain(std::move(closeMain)) {}

  void Notice(const std::wstring& text) override;
  bool Confirm(const std::wstring& text) override;
  int FailurePrompt() override;
  void ProcessMessages() override;
  bool IsConnected() override;
  bool FileExists(const std::wstring& path) override;
  void DeleteFile(const std::wstring& path) override;
  bool ShellOpen(const std::wstring& target) override;
  void HardExit() override;
  void Log(const std::wstring& text) override;
  void CloseMainWindow() override { FCloseMain(); }
  THttpClientRef Client() override;

private:
  std::function<HWND()> FOwner;
  std::function<void()> FCloseMain;
};

// Processes every pending message; a WM_QUIT met here is posted again for the main loop.
void ProcessPendingMessages();
// Terminates this process on the spot with exit code -1; returns only if it cannot.
void HardExitProcess();

}  // namespace qs
