// The resumable download of one URL into one file. The transfer goes into a partial file
// beside the target (".tmp") and a sidecar (".sdc") records the identity of the server's
// file, so a later call can tell whether the partial file still belongs to it. The
// finished file takes the target's name only when every announced byte is on disk.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <new>
#include <optional>

#include "base/Paths.h"
#include "base/SysError.h"
#include "base/Text.h"
#include "http/HeaderValues.h"
#include "http/HttpClientImpl.h"
#include "http/HttpHelpers.h"
#include "http/TransferText.h"
#include "http/UrlEncoding.h"
#include "http/WinInet.h"

namespace qs {

class TDownloadJob {
public:
  TDownloadJob(THttpClient& client, const std::wstring& url, std::wstring& fileName,
               const TDownloadProgressEvent& onProgress, int32_t tag, const std::wstring& method,
               const std::wstring& extraHeaders)
      : FClient(client), FUrl(url), FFileName(fileName), FOnProgress(onProgress), FTag(tag), FMethod(method),
        FExtraHeaders(extraHeaders) {}

  int32_t Run();

private:
  using TClock = std::chrono::steady_clock;

  // Reports one notification; true when the callback asked to cancel.
  bool Notify(THttpDownloadState state, int64_t position, int64_t total, const std::wstring& message,
              int64_t remainTime = 0, int64_t speed = 0);
  // Reports a failure; the caller then leaves with the current result.
  bool Fail(const std::wstring& text) {
    Notify(dsFail, 0, 0, text);
    return false;
  }
  int64_t Position() const { return static_cast<int64_t>(FLocalSize + FDownloaded); }
  int64_t Total() const { return static_cast<int64_t>(FContentLength); }
  bool ExceedsLimit(uint64_t length) const {
    return length > static_cast<uint64_t>(INT64_MAX) || static_cast<int64_t>(length) > FClient.FSettings.MaxFileSize;
  }

  void Body();
  bool Probe();
  bool SidecarMatches() const;
  void WriteSidecar() const;
  void Transfer();
  bool SendTransferRequest(TInternetHandle& request);
  bool CheckResumedAnswer(HINTERNET request);
  bool ReadFreshAnswer(HINTERNET request);
  bool OpenPartialFile(TFileHandle& file);
  bool ReceiveInto(HINTERNET request, HANDLE file, char* buffer);
  // Speed and remaining time of a measuring window that has lasted elapsed ms.
  void CloseWindow(int64_t windowBytes, int64_t elapsed, int64_t& remainTime, int64_t& speed) const;
  void WindDown();

  THttpClient& FClient;
  const std::wstring FUrl;
  std::wstring& FFileName;
  const TDownloadProgressEvent& FOnProgress;
  int32_t FTag;
  const std::wstring FMethod;
  std::wstring FExtraHeaders;

  int32_t FResult = kDownloadFailed;
  std::wstring FTempName, FSidecarName;
  std::string FObjectPath;
  bool FIsHttps = false;
  TInternetHandle FSession, FConnection;
  uint64_t FContentLength = 0, FLocalSize = 0, FDownloaded = 0;
  bool FResume = false, FProbed = false;
  std::optional<THttpDate> FLastModified;
  double FLastModifiedTime = 0;
};

int32_t THttpClient::DownloadFile(const std::wstring& url, std::wstring& fileName,
                                  const TDownloadProgressEvent& onProgress, int32_t tag, const std::wstring& method,
                                  const std::wstring& extraHeaders) {
  TDownloadJob job(*this, url, fileName, onProgress, tag, method, extraHeaders);
  return job.Run();
}

int32_t TDownloadJob::Run() {
  std::optional<std::wstring> error;
  try {
    if (FFileName.empty()) {
      Fail(L"下载保存路径为空！");
      return FResult;
    }
    FTempName = FClient.GetTempName(FFileName);
    FSidecarName = FFileName + L".sdc";
    FObjectPath = WideToAnsi(EncodeUrlNonAscii(FUrl));
    std::wstring errorText;
    if (!FClient._CreateInternetConnect(FObjectPath, FSession, FConnection, errorText, FIsHttps)) {
      Fail(errorText);
      return FResult;
    }
    // Whatever happens in the body, its handles, buffer and file are released by their
    // owners on the way out, and the wind-down still runs.
    try {
      Body();
    } catch (...) {
      error = CurrentExceptionMessage();
    }
    WindDown();
  } catch (...) {
    if (!error) error = CurrentExceptionMessage();
  }
  FConnection.Reset();
  FSession.Reset();
  if (error) {
    try {
      Notify(dsError, 0, 0, *error);
    } catch (...) {
      // The callback failed while hearing of a failure; the result says enough.
    }
  }
  return FResult;
}

bool TDownloadJob::Notify(THttpDownloadState state, int64_t position, int64_t total, const std::wstring& message,
                          int64_t remainTime, int64_t speed) {
  bool cancel = false;
  if (!FOnProgress) return false;
  if (state == dsFail || state == dsError) FClient.FLastErrorText = message;
  THttpDownloadInfo info;
  info.Valid = 1;
  info.State = state;
  info.Position = position;
  info.Total = total;
  info.Tag = FTag;
  info.Message = message;
  info.RemainTime = remainTime;
  info.RemainTimeText.Assign(WideToAnsi(FormatRemainTime(remainTime)));
  info.Speed = speed;
  info.SpeedText.Assign(WideToAnsi(FormatSpeed(static_cast<double>(speed))));
  info.ResultCode = FResult;
  FOnProgress(info, cancel);
  return cancel;
}

void TDownloadJob::Body() {
  if (Notify(dsStart, 0, 0, L"")) return;
  if (FClient.FSettings.AllowResume && !Probe()) return;
  if (!FResume) {
    FLocalSize = 0;
    ::DeleteFileW(FTempName.c_str());
    ::DeleteFileW(FSidecarName.c_str());
  }
  if (FProbed) WriteSidecar();
  Transfer();
}

bool TDownloadJob::Probe() {
  {
    TInternetHandle head = TWinInet::OpenRequest(FConnection.Get(), "HEAD", FObjectPath, FIsHttps);
    if (!SendRequestWithRetry(head.Get(), FClient.FSettings.RetryCount, nullptr))
      return Fail(L"获取下载包信息失败:" + LastErrorText());
    if (auto text = TWinInet::QueryHeaderText(head.Get(), HTTP_QUERY_CONTENT_LENGTH)) {
      TContentLength length = ParseContentLength(*text);
      if (length.Kind == lkTooLarge || (length.Kind == lkValue && ExceedsLimit(length.Value)))
        return Fail(L"超过下载文件大小限制！");
      if (length.Kind == lkValue) FContentLength = length.Value;
    }
    if (auto text = TWinInet::QueryHeaderText(head.Get(), HTTP_QUERY_LAST_MODIFIED)) {
      FLastModified = ParseHttpDate(*text);
      if (FLastModified) FLastModifiedTime = DateTimeFromHttpDate(*FLastModified);
    }
  }
  FProbed = true;

  bool handled = false;
  if (auto onBefore = FClient.FOnBeforeDownload) {
    std::wstring objectPath = AnsiToWide(FObjectPath);
    onBefore(FClient, objectPath, FFileName, FTag, FMethod, FExtraHeaders, FLocalSize, FContentLength, FResume,
             handled);
    if (handled) FObjectPath = WideToAnsi(objectPath);
  }
  if (!handled && FContentLength > 0 && FileExists(FTempName) && SidecarMatches()) {
    FLocalSize = static_cast<uint64_t>(GetFileSizeByName(FTempName));
    if (FLocalSize == FContentLength) {
      // Complete already: the wind-down puts it in place, nothing is transferred.
      FResult = kDownloadOk;
      return false;
    }
    FResume = FLocalSize < FContentLength;
  }
  return true;
}

namespace {

// The profile functions look for a relative name in the Windows folder: give them the
// full path, so the sidecar always lies beside the partial file.
std::wstring FullPath(const std::wstring& name) {
  DWORD n = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (n == 0) return name;
  std::wstring full(n, L'\0');
  n = ::GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
  full.resize(n);
  return full;
}

std::wstring ReadProfile(const std::wstring& file, const wchar_t* key, const wchar_t* fallback) {
  wchar_t buf[256] = {};
  ::GetPrivateProfileStringW(L"server", key, fallback, buf, 256, FullPath(file).c_str());
  return buf;
}

}  // namespace

bool TDownloadJob::SidecarMatches() const {
  if (!FileExists(FSidecarName)) return false;
  if (ReadProfile(FSidecarName, L"ContentLen", L"0") != std::to_wstring(FContentLength)) return false;
  // Without a readable date now, the partial file is only ours if none was recorded
  // either: a server that stops sending its date may have changed the file.
  std::wstring recorded = ReadProfile(FSidecarName, L"LastModified", L"");
  if (FLastModifiedTime == 0) return recorded.empty() || recorded == AnsiToWide(FormatSidecarDate(0));
  return recorded == AnsiToWide(FormatSidecarDate(FLastModifiedTime));
}

void TDownloadJob::WriteSidecar() const {
  std::wstring path = FullPath(FSidecarName);
  ::WritePrivateProfileStringW(L"server", L"ContentLen", std::to_wstring(FContentLength).c_str(), path.c_str());
  ::WritePrivateProfileStringW(L"server", L"LastModified", AnsiToWide(FormatSidecarDate(FLastModifiedTime)).c_str(),
                               path.c_str());
}

void TDownloadJob::Transfer() {
  // Released in reverse order of declaration: buffer, file (its time set first on
  // success), request; the wind-down comes after.
  TInternetHandle request;
  if (!SendTransferRequest(request)) return;
  // A resumed answer for another range is dropped and the whole file asked for instead.
  if (FResume && !CheckResumedAnswer(request.Get()) && !SendTransferRequest(request)) return;
  if (!FResume && !ReadFreshAnswer(request.Get())) return;
  TFileHandle file;
  if (!OpenPartialFile(file)) return;
  struct TStampOnClose {
    const TDownloadJob& Job;
    HANDLE File;
    ~TStampOnClose() {
      FILETIME ft;
      if (Job.FResult != kDownloadOk || !Job.FLastModified) return;
      const THttpDate& d = *Job.FLastModified;
      SYSTEMTIME st{static_cast<WORD>(d.Year), static_cast<WORD>(d.Month), 0, static_cast<WORD>(d.Day),
                    static_cast<WORD>(d.Hour), static_cast<WORD>(d.Minute), static_cast<WORD>(d.Second), 0};
      if (::SystemTimeToFileTime(&st, &ft)) ::SetFileTime(File, nullptr, nullptr, &ft);
    }
  } stamp{*this, file.Get()};

  int32_t bufferSize = FClient.FSettings.BufferSize;
  // A buffer of no bytes would read nothing and take that for the end of the data.
  std::unique_ptr<char[]> buffer(bufferSize > 0 ? new (std::nothrow) char[static_cast<size_t>(bufferSize)] : nullptr);
  if (!buffer) {
    if (bufferSize <= 0) ::SetLastError(ERROR_INVALID_PARAMETER);
    Fail(L"创建缓冲区失败:" + LastErrorText());
    return;
  }
  ReceiveInto(request.Get(), file.Get(), buffer.get());
}

bool TDownloadJob::SendTransferRequest(TInternetHandle& request) {
  request = TWinInet::OpenRequest(FConnection.Get(), WideToAnsi(FMethod), FObjectPath, FIsHttps);
  if (!AddRequestHeaders(request.Get(), WideToAnsi(FExtraHeaders), FResume, FLocalSize))
    return Fail(L"组织请求头失败！");
  if (!SendRequestWithRetry(request.Get(), FClient.FSettings.RetryCount, nullptr))
    return Fail(L"发生下载请求失败:" + LastErrorText());
  return true;
}

// A resumed request must be answered 206 with the range that starts at the partial file's
// size (and, when it says, the recorded total). Anything else starts over from byte 0:
// a 200 answer is the whole file and is taken as the fresh transfer; a 206 for another
// range is dropped and asked for again without a range.
bool TDownloadJob::CheckResumedAnswer(HINTERNET request) {
  DWORD status = 0;
  TWinInet::QueryStatusCode(request, status);
  if (status == 206) {
    auto text = TWinInet::QueryHeaderText(request, HTTP_QUERY_CONTENT_RANGE);
    auto range = text ? ParseContentRange(*text) : std::nullopt;
    if (range && range->First == FLocalSize && (!range->Total || *range->Total == FContentLength)) return true;
  }
  FResume = false;
  FLocalSize = 0;
  if (FProbed) WriteSidecar();
  return status == 200;
}

bool TDownloadJob::ReadFreshAnswer(HINTERNET request) {
  DWORD status = 0;
  TWinInet::QueryStatusCode(request, status);
  if (status == 206) {
    // Partial content for a request that asked for the whole file: only the range that
    // starts at byte 0 can be the file's beginning.
    auto text = TWinInet::QueryHeaderText(request, HTTP_QUERY_CONTENT_RANGE);
    auto range = text ? ParseContentRange(*text) : std::nullopt;
    if (!range || range->First != 0) return Fail(L"服务器返回的数据范围不正确：" + AnsiToWide(text.value_or("")));
  }
  FContentLength = 0;
  if (auto text = TWinInet::QueryHeaderText(request, HTTP_QUERY_CONTENT_LENGTH)) {
    TContentLength length = ParseContentLength(*text);
    if (length.Kind == lkTooLarge || (length.Kind == lkValue && ExceedsLimit(length.Value)))
      return Fail(L"超过下载文件大小限制！");
    if (length.Kind == lkValue) FContentLength = length.Value;
  }
  if (auto text = TWinInet::QueryHeaderText(request, HTTP_QUERY_LAST_MODIFIED))
    if (auto date = ParseHttpDate(*text)) FLastModified = date;
  return true;
}

bool TDownloadJob::OpenPartialFile(TFileHandle& file) {
  file.Reset(::CreateFileW(FTempName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           FResume ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file && FResume) {
    // Append exactly where the range begins; anything past it is not ours.
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(FLocalSize);
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get())) file.Reset();
  }
  if (!file) return Fail(L"创建下载文件失败:" + LastErrorText());
  return true;
}

namespace {

// A read blocks until its whole size has arrived. Asking for what is there keeps the loop
// coming round (to report and to hear a cancel) on a slow line; the size asked for beyond
// that (chunk) doubles while reads come back quickly and halves when one lingers, so a
// fast line is read in whole buffers.
bool ReadSome(HINTERNET request, char* buffer, DWORD bufferSize, DWORD& chunk, DWORD& got) {
  using TClock = std::chrono::steady_clock;
  got = 0;
  DWORD available = 0;
  if (!TWinInet::QueryDataAvailable(request, available)) return false;
  DWORD want = std::clamp<DWORD>(std::max(available, chunk), 1, bufferSize);
  TClock::time_point before = TClock::now();
  bool ok = TWinInet::ReadData(request, buffer, want, got);
  auto took = TClock::now() - before;
  if (took < std::chrono::milliseconds(50)) chunk = std::min<DWORD>(bufferSize, std::max<DWORD>(chunk, got) * 2);
  else if (took > std::chrono::milliseconds(200)) chunk /= 2;
  return ok;
}

}  // namespace

void TDownloadJob::CloseWindow(int64_t windowBytes, int64_t elapsed, int64_t& remainTime, int64_t& speed) const {
  bool estimable = FContentLength > 0 && FLocalSize + FDownloaded <= FContentLength;
  remainTime = estimable ? static_cast<int64_t>(std::nearbyint(static_cast<double>(FContentLength - FLocalSize -
                                                                                   FDownloaded) /
                                                               static_cast<double>(windowBytes) *
                                                               static_cast<double>(elapsed)))
                         : -1;
  speed = static_cast<int64_t>(std::nearbyint(static_cast<double>(windowBytes) * 1000.0 / elapsed));
}

bool TDownloadJob::ReceiveInto(HINTERNET request, HANDLE file, char* buffer) {
  const DWORD bufferSize = static_cast<DWORD>(FClient.FSettings.BufferSize);
  int64_t windowBytes = 0, remainTime = 0, speed = 0;
  TClock::time_point windowStart{};
  bool windowOpen = false;  // false: the next pass opens a new measuring window
  DWORD chunk = 0;          // bytes asked for beyond those already there
  if (Notify(dsProgress, Position(), Total(), L"")) {
    FResult = kDownloadCancelled;
    return false;
  }
  for (;;) {
    if (!windowOpen) {
      windowStart = TClock::now();
      windowOpen = true;
      // The system's answer costs tens of milliseconds under Wine (it lists the network
      // adapters): asked once per measuring window, not before every read, it keeps the
      // transfer at line speed.
      DWORD flags = 0;
      if (!TWinInet::GetConnectedState(flags)) return Fail(L"检查网络状态失败: 有可能是网络不通。");
      if ((flags & 0x0F) == 0) return Fail(L"网络不通！");
    }

    DWORD got = 0;
    bool ok = ReadSome(request, buffer, bufferSize, chunk, got);
    std::wstring readError;
    if (!ok) readError = LastErrorText();
    // Bytes handed over by a failing read are written too: the partial file keeps every
    // byte received.
    if (got > 0) {
      DWORD written = 0;
      if (!::WriteFile(file, buffer, got, &written, nullptr) || written != got)
        return Fail(L"写文件失败:" + LastErrorText());
      FDownloaded += got;
    }
    if (!ok) return Fail(L"从网络读取文件失败:" + readError);
    if (got > 0) {
      windowBytes += got;
      int64_t elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - windowStart).count();
      if (elapsed >= 1000) {
        CloseWindow(windowBytes, elapsed, remainTime, speed);
        windowBytes = 0;
        windowOpen = false;
      }
      if (elapsed > 500 && Notify(dsProgress, Position(), Total(), L"", remainTime, speed)) {
        FResult = kDownloadCancelled;
        return false;
      }
      continue;
    }
    Notify(dsProgress, Position(), Total(), L"", remainTime, speed);
    // A connection closed early ends like a complete answer: the count tells them apart.
    // The partial file and the sidecar stay for the next call to resume.
    if (FContentLength > 0 && FLocalSize + FDownloaded != FContentLength)
      return Fail(L"下载的数据不完整：收到" + std::to_wstring(FLocalSize + FDownloaded) + L"字节，应为" +
                  std::to_wstring(FContentLength) + L"字节。");
    FResult = kDownloadOk;
    ::DeleteFileW(FSidecarName.c_str());
    return true;
  }
}

void TDownloadJob::WindDown() {
  if (FResult == kDownloadOk && FTempName != FFileName) {
    if (FileExists(FFileName) && !::DeleteFileW(FFileName.c_str())) {
      Notify(dsFail, 0, 0, L"删除[" + FFileName + L"]文件失败:" + LastErrorText());
      FResult = kDownloadFailed;
    } else if (!::MoveFileW(FTempName.c_str(), FFileName.c_str())) {
      Notify(dsFail, 0, 0, L"将[" + FTempName + L"]改名为[" + FFileName + L"]失败:" + LastErrorText());
      FResult = kDownloadFailed;
    }
  }
  Notify(dsEnd, Position(), Total(), L"");
}

}  // namespace qs
