// The download workflow of the main window: the checks before a download, the progress
// display, the result handling (install, retry, browser, quit) and the reset between
// attempts. It reaches the widgets, the dialogs and the system through two narrow seams,
// so the whole workflow runs natively in tests against a scripted client.
#pragma once
#include <cstdint>
#include <string>

#include "http/HttpClient.h"

namespace qs {

enum TWorkflowPage { pgStart, pgFolder, pgProgress };

// The few widget properties the workflow reads and sets.
class IDownloadView {
public:
  virtual ~IDownloadView() = default;
  virtual TWorkflowPage ActivePage() const = 0;
  virtual void SetActivePage(TWorkflowPage page) = 0;
  virtual std::wstring FolderText() const = 0;
  virtual bool LineDXChecked() const = 0;
  virtual bool LineLTChecked() const = 0;
  virtual void SetProgressCaption(const std::wstring& text) = 0;
  virtual int TrackWidth() const = 0;
  virtual void SetFillWidth(int width) = 0;
  virtual void ShowInstall() = 0;
};

// Dialogs, message pumping and the operating system.
class IWorkflowHost {
public:
  virtual ~IWorkflowHost() = default;
  virtual void Notice(const std::wstring& text) = 0;          // an information notice
  virtual bool Confirm(const std::wstring& text) = 0;         // a question; true only for its confirm button
  virtual int FailurePrompt() = 0;                            // 0 give up, 1 browser, 2 download again
  virtual void ProcessMessages() = 0;
  virtual bool IsConnected() = 0;                             // the system's connection state
  virtual bool FileExists(const std::wstring& path) = 0;
  virtual void DeleteFile(const std::wstring& path) = 0;
  virtual bool ShellOpen(const std::wstring& target) = 0;     // true when the shell accepted it
  virtual void HardExit() = 0;                                // ends the process with -1; returns only on failure
  virtual void Log(const std::wstring& text) = 0;             // one line at level llInformation
  virtual void CloseMainWindow() = 0;                         // the orderly close, after a running download stopped
  virtual THttpClientRef Client() = 0;                        // the shared client, fetched anew at each use
};

// The one package address: http, the maker's host, the fixed path.
std::wstring PackageURL();

class TDownloadController {
public:
  TDownloadController(IDownloadView& view, IWorkflowHost& host) : FView(view), FHost(host) {}

  void StartDownload();
  void DownloadProgress(const THttpDownloadInfo& info, bool& cancel);
  void SetProgressPosition(int32_t value);
  void SetProgressTotal(int32_t value);
  void ResetDownload();
  bool IsNetworkAlive();
  void CloseClick();      // the close button
  void InstallClick();    // the install picture
  // The system's close command (Alt+F4, taskbar). True when the window may close now;
  // while a download runs it asks the engine to stop and closes once the call returned.
  bool CloseQuery();

  const std::wstring& SaveFolder() const { return FSaveFolder; }
  void SetSaveFolder(const std::wstring& folder) { FSaveFolder = folder; }
  const std::wstring& TargetFile() const { return FTargetFile; }
  bool Downloading() const { return FDownloading; }
  bool DownloadFailed() const { return FDownloadFailed; }
  bool DownloadFinished() const { return FDownloadFinished; }
  int32_t Position() const { return FPosition; }
  int32_t Total() const { return FTotal; }

private:
  enum TAttemptEnd { aeDone, aeRetry };
  TAttemptEnd RunAttempt();
  void UpdateDisplay();

  IDownloadView& FView;
  IWorkflowHost& FHost;
  std::wstring FSaveFolder;
  std::wstring FTargetFile;
  bool FCancelRequested = false;
  bool FDownloadFailed = false;
  bool FDownloadFinished = false;
  bool FDownloading = false;
  bool FCloseRequested = false;
  int32_t FPosition = 0;
  int32_t FTotal = 0;
};

// "0"-pattern rounding of Position / Total x 100 (halves away from zero), and the fill
// width N x track div 100 in 64 bits; nothing is clamped.
int64_t ProgressPercent(int32_t position, int32_t total);
int64_t ProgressFillWidth(int64_t percent, int trackWidth);

}  // namespace qs
