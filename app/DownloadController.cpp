#include "app/DownloadController.h"

#include <cmath>

namespace qs {

namespace {
const wchar_t kPackagePath[] = L"/uploads/hub/Velmora（湖北）（完整安装包）.exe";
}

std::wstring PackageURL() {
  std::string host = QS_PACKAGE_HOST;
  return L"http://" + std::wstring(host.begin(), host.end()) + kPackagePath;
}

int64_t ProgressPercent(int32_t position, int32_t total) {
  if (total == 0) return 0;  // only before the first reset
  double percent = static_cast<double>(position) / static_cast<double>(total) * 100.0;
  return static_cast<int64_t>(std::round(percent));  // std::round: halves away from zero
}

int64_t ProgressFillWidth(int64_t percent, int trackWidth) { return percent * trackWidth / 100; }

void TDownloadController::ResetDownload() {
  FCancelRequested = FDownloadFinished = FDownloadFailed = false;
  FPosition = 0;
  FTotal = 100;
  FHost.Client()->SetAllowResume(true);
}

bool TDownloadController::IsNetworkAlive() { return FHost.IsConnected(); }

void TDownloadController::StartDownload() {
  // A retry starts again from the first check; a loop rather than recursion keeps the
  // stack flat however often the user retries.
  while (RunAttempt() == aeRetry) {
  }
}

TDownloadController::TAttemptEnd TDownloadController::RunAttempt() {
  if (FView.ActivePage() == pgFolder) FSaveFolder = FView.FolderText();
  if (FSaveFolder.empty()) {
    FHost.Notice(L"请选择保存路径。");
    return aeDone;
  }
  std::wstring url;
  if (FView.LineDXChecked())
    url = PackageURL();
  else if (FView.LineLTChecked())
    url = PackageURL();  // both lines lead to the same address
  if (url.empty()) {
    FHost.Notice(L"找不到下载文件。");
    return aeDone;
  }
  TURLParts parts;
  if (!FHost.Client()->ParseURL(url, parts)) {
    FHost.Notice(L"解析URL失败！");
    return aeDone;
  }
  std::wstring path = parts.UrlPath;
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  std::wstring fileName = path.substr(path.find_last_of(L"\\:") + 1);
  if (fileName.empty()) {
    FHost.Notice(L"不存在下载文件！");
    return aeDone;
  }
  if (!IsNetworkAlive()) {
    FHost.Notice(L"网络异常，请检查网络后重试！");
    ResetDownload();
    FView.SetActivePage(pgStart);
    return aeDone;
  }
  FTargetFile = FSaveFolder;
  if (FTargetFile.back() != L'\\') FTargetFile += L'\\';
  FTargetFile += fileName;
  if (FHost.FileExists(FTargetFile)) {
    if (!FHost.Confirm(FTargetFile + L"已存在，需要重新下载吗？")) return aeDone;
    FHost.DeleteFile(FTargetFile);
  }

  FView.SetActivePage(pgProgress);
  FDownloading = true;
  int32_t result = FHost.Client()->DownloadFile(
      PackageURL(), FTargetFile, [this](const THttpDownloadInfo& info, bool& cancel) { DownloadProgress(info, cancel); },
      0, L"GET", L"");
  FDownloading = false;

  if (FCloseRequested) {
    // The system's close command arrived during the transfer: the engine has stopped and
    // left the partial file and its sidecar; the window now closes in the orderly way.
    FHost.CloseMainWindow();
    return aeDone;
  }
  switch (result) {
    case kDownloadFailed:
      FDownloadFailed = true;
      switch (FHost.FailurePrompt()) {
        case 1:
          FHost.ShellOpen(PackageURL());
          FHost.HardExit();
          return aeDone;
        case 2:
          ResetDownload();
          return aeRetry;
        default:
          ResetDownload();
          FView.SetActivePage(pgStart);
          return aeDone;
      }
    case kDownloadOk:
      FDownloadFinished = true;
      FView.ShowInstall();
      return aeDone;
    case kDownloadCancelled:
      if (FHost.Confirm(L"当前下载还没有完成，如果关闭软件，需要重新下载，确定关闭软件吗？")) {
        FHost.HardExit();
        return aeDone;
      }
      ResetDownload();
      return aeRetry;
    default:
      return aeDone;
  }
}

void TDownloadController::DownloadProgress(const THttpDownloadInfo& info, bool& cancel) {
  switch (info.State) {
    case dsProgress:
      SetProgressPosition(static_cast<int32_t>(static_cast<uint32_t>(info.Position)));
      SetProgressTotal(static_cast<int32_t>(static_cast<uint32_t>(info.Total)));
      FHost.ProcessMessages();
      cancel = FCancelRequested;
      return;
    case dsFail:
      FHost.Log(L"下载失败dsFail。[" + info.Message + L"]");
      break;
    case dsError:
      FHost.Log(L"下载失败dsError。[" + info.Message + L"]");
      break;
    default:
      break;
  }
  FHost.ProcessMessages();
  // A close command that arrives while the engine has not reached its transfer loop
  // is still honoured at the first chance the engine gives.
  if (FCloseRequested && info.State == dsStart) cancel = true;
}

void TDownloadController::SetProgressPosition(int32_t value) {
  FPosition = value;
  UpdateDisplay();
}

void TDownloadController::SetProgressTotal(int32_t value) {
  if (value != 0) FTotal = value;
  UpdateDisplay();
}

void TDownloadController::UpdateDisplay() {
  int64_t percent = ProgressPercent(FPosition, FTotal);
  FView.SetProgressCaption(L"正在下载(" + std::to_wstring(percent) + L"%)");
  FView.SetFillWidth(static_cast<int>(ProgressFillWidth(percent, FView.TrackWidth())));
}

void TDownloadController::CloseClick() {
  if (FView.ActivePage() != pgProgress || FDownloadFailed || FDownloadFinished) {
    FHost.HardExit();
    return;
  }
  FCancelRequested = true;
}

void TDownloadController::InstallClick() {
  if (!FHost.ShellOpen(FTargetFile)) {
    FHost.Notice(L"无法自动打开下载的文件。");
    return;
  }
  FHost.HardExit();
}

bool TDownloadController::CloseQuery() {
  if (!FDownloading) return true;
  FCloseRequested = FCancelRequested = true;
  return false;
}

}  // namespace qs
