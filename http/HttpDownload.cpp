// The resumable download of one URL into one file. Data goes into a partial file beside
// the target (".tmp"); a sidecar (".sdc") records the server file's length and date so a
// later call can tell whether the partial file still belongs to it. Only a transfer that
// received every announced byte is put under the target's name.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "base/Error.h"
#include "base/Paths.h"
#include "base/SysError.h"
#include "base/Text.h"
#include "http/HttpClientImpl.h"
#include "http/HttpHelpers.h"
#include "http/TransferText.h"

namespace qs {
namespace {

const wchar_t kSection[] = L"server";

std::wstring ReadProfile(const std::wstring& file, const wchar_t* key, const wchar_t* fallback) {
  wchar_t buf[256] = {};
  ::GetPrivateProfileStringW(kSection, key, fallback, buf, 256, file.c_str());
  return buf;
}

std::optional<FILETIME> ToFileTime(const std::optional<THttpTime>& t) {
  if (!t) return std::nullopt;
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t->Year);
  st.wMonth = static_cast<WORD>(t->Month);
  st.wDay = static_cast<WORD>(t->Day);
  st.wHour = static_cast<WORD>(t->Hour);
  st.wMinute = static_cast<WORD>(t->Minute);
  st.wSecond = static_cast<WORD>(t->Second);
  FILETIME ft;
  if (!::SystemTimeToFileTime(&st, &ft)) return std::nullopt;
  return ft;
}

std::optional<int64_t> ResponseLength(HINTERNET request) {
  std::wstring text;
  if (!inet::QueryHeader(request, HTTP_QUERY_CONTENT_LENGTH, text)) return std::nullopt;
  return ParseContentLength(text);
}

std::optional<THttpTime> ResponseDate(HINTERNET request) {
  std::wstring text;
  if (!inet::QueryHeader(request, HTTP_QUERY_LAST_MODIFIED, text)) return std::nullopt;
  return ParseHttpDate(text);
}

}  // namespace

// One call of DownloadFile: its working values and steps.
class TDownloadCall {
public:
  TDownloadCall(THttpClient& client, const std::wstring& url, std::wstring& fileName,
                const TDownloadProgressEvent& onProgress, int32_t tag, const std::wstring& method,
                const std::wstring& extraHeaders)
      : FClient(client), FUrl(url), FFileName(fileName), FOnProgress(onProgress), FTag(tag), FMethod(method),
        FExtraHeaders(extraHeaders) {}

  int32_t Run();

private:
  bool Notify(uint8_t state, int64_t position = 0, int64_t total = 0, const std::wstring& message = {},
              int64_t remain = 0, int64_t speed = 0);
  void Fail(const std::wstring& text) { Notify(dsFail, 0, 0, text); }
  void FailWithSystemText(const std::wstring& text) { Fail(text + LastErrorText()); }
  void Body();
  bool Probe();
  bool DecideResume();
  void WriteSidecar();
  bool Transfer(HINTERNET request, HANDLE file);
  void WindDown();
  int64_t Position() const { return static_cast<int64_t>(FLocalSize + FDownloaded); }

  THttpClient& FClient;
  std::wstring FUrl;
  std::wstring& FFileName;
  const TDownloadProgressEvent& FOnProgress;
  int32_t FTag;
  std::wstring FMethod;
  std::wstring FExtraHeaders;

  int32_t FResult = kDownloadFailed;
  std::wstring FTempName, FSidecarName, FObjectPath;
  bool FIsHttps = false;
  TInternetConnection FConn;
  uint64_t FContentLength = 0, FLocalSize = 0, FDownloaded = 0;
  bool FResume = false, FProbed = false;
  std::optional<THttpTime> FLastModified;
};

int32_t THttpClient::DownloadFile(const std::wstring& url, std::wstring& fileName,
                                  const TDownloadProgressEvent& onProgress, int32_t tag, const std::wstring& method,
                                  const std::wstring& extraHeaders) {
  TDownloadCall call(*this, url, fileName, onProgress, tag, method, extraHeaders);
  return call.Run();
}

bool TDownloadCall::Notify(uint8_t state, int64_t position, int64_t total, const std::wstring& message,
                           int64_t remain, int64_t speed) {
  bool cancel = false;
  if (!FOnProgress) return cancel;
  if (state == dsFail || state == dsError) FClient.FLastErrorText = message;
  THttpDownloadInfo info;
  info.State = state;
  info.Position = position;
  info.Total = total;
  info.Tag = FTag;
  info.Message = message;
  info.RemainTime = remain;
  info.RemainTimeText.Assign(FormatRemainTime(remain));
  info.Speed = speed;
  info.SpeedText.Assign(FormatSpeed(static_cast<double>(speed)));
  info.ResultCode = FResult;
  FOnProgress(info, cancel);
  return cancel;
}

int32_t TDownloadCall::Run() {
  if (FFileName.empty()) {
    Fail(L"下载保存路径为空！");
    return FResult;
  }
  FTempName = FClient.GetTempName(FFileName);
  FSidecarName = FFileName + L".sdc";
  FObjectPath = EncodeUrlNonAscii(FUrl);
  std::wstring errorText;
  if (!FClient.CreateInternetConnect(FObjectPath, FConn, errorText, FIsHttps)) {
    Fail(errorText);
    return FResult;
  }

  std::optional<std::wstring> escaped;
  bool started = false;
  try {
    started = true;
    if (!Notify(dsStart)) Body();
  } catch (const std::exception& e) {
    escaped = ExceptionText(e);
  } catch (...) {
    escaped = L"未知错误";
  }
  if (started) {
    try {
      WindDown();
    } catch (const std::exception& e) {
      if (!escaped) escaped = ExceptionText(e);
    } catch (...) {
      if (!escaped) escaped = L"未知错误";
    }
  }
  FConn.Close();
  if (escaped) {
    try {
      Notify(dsError, 0, 0, *escaped);
    } catch (...) {
      // The caller's handler failed on the error report itself; nothing is left to tell it.
    }
  }
  return FResult;
}

void TDownloadCall::Body() {
  if (FClient.FSettings.AllowResume && !Probe()) return;
  if (FResult == kDownloadOk) return;  // the partial file was already complete
  if (!FResume) {
    FLocalSize = 0;
    ::DeleteFileW(FTempName.c_str());
    ::DeleteFileW(FSidecarName.c_str());
  }
  if (FProbed) WriteSidecar();

  // A resumed request must be answered with exactly the bytes that follow the partial
  // file; any other answer starts the file over (once), so nothing foreign is appended.
  for (int attempt = 0; attempt < 2; ++attempt) {
    TInternetHandle request(inet::OpenRequest(FConn.Connection.Get(), FMethod, FObjectPath, FIsHttps));
    if (!AddRequestHeaders(request.Get(), FExtraHeaders, FResume, FLocalSize)) {
      Fail(L"组织请求头失败！");
      return;
    }
    DWORD status = 0;
    if (!SendRequestWithRetry(request.Get(), FClient.FSettings.RetryCount, nullptr, &status)) {
      FailWithSystemText(L"发生下载请求失败:");
      return;
    }
    if (FResume) {
      std::wstring rangeText;
      std::optional<TContentRange> range;
      if (status == 206 && inet::QueryHeader(request.Get(), HTTP_QUERY_CONTENT_RANGE, rangeText))
        range = ParseContentRange(rangeText);
      bool fits = range && static_cast<uint64_t>(range->First) == FLocalSize &&
                  (range->Total < 0 || static_cast<uint64_t>(range->Total) == FContentLength);
      if (!fits) {
        FResume = false;
        FLocalSize = 0;
        ::DeleteFileW(FTempName.c_str());
        if (FProbed) WriteSidecar();
        if (status != 200) continue;  // ask again, without a Range
      }
    }

    TFileHandle file;
    if (FResume) {
      file.Reset(::CreateFileW(FTempName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
      LARGE_INTEGER at;
      at.QuadPart = static_cast<LONGLONG>(FLocalSize);
      if (file && (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get())))
        file.Reset();
    } else {
      FContentLength = 0;
      if (auto length = ResponseLength(request.Get())) {
        if (*length > FClient.FSettings.MaxFileSize) {
          Fail(L"超过下载文件大小限制！");
          return;
        }
        FContentLength = static_cast<uint64_t>(*length);
      }
      if (auto date = ResponseDate(request.Get())) FLastModified = date;
      file.Reset(::CreateFileW(FTempName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    if (!file) {
      FailWithSystemText(L"创建下载文件失败:");
      return;
    }
    if (Transfer(request.Get(), file.Get()) && FResult == kDownloadOk) {
      if (auto ft = ToFileTime(FLastModified)) ::SetFileTime(file.Get(), nullptr, nullptr, &*ft);
    }
    return;
  }
  Fail(L"服务器没有按断点续传的要求应答，重新下载也未成功。");
}

bool TDownloadCall::Probe() {
  FProbed = true;
  {
    TInternetHandle head(inet::OpenRequest(FConn.Connection.Get(), L"HEAD", FObjectPath, FIsHttps));
    if (!SendRequestWithRetry(head.Get(), FClient.FSettings.RetryCount, nullptr)) {
      FailWithSystemText(L"获取下载包信息失败:");
      return false;
    }
    if (auto length = ResponseLength(head.Get())) {
      if (*length > FClient.FSettings.MaxFileSize) {
        Fail(L"超过下载文件大小限制！");
        return false;
      }
      FContentLength = static_cast<uint64_t>(*length);
    }
    FLastModified = ResponseDate(head.Get());
  }
  bool handled = false;
  if (auto before = FClient.FOnBeforeDownload) {
    std::wstring objectPath = FObjectPath;
    before(FClient, objectPath, FFileName, FTag, FMethod, FExtraHeaders, FLocalSize, FContentLength, FResume, handled);
    if (handled) FObjectPath = objectPath;
    FTempName = FClient.GetTempName(FFileName);
    FSidecarName = FFileName + L".sdc";
  }
  return handled || DecideResume();
}

bool TDownloadCall::DecideResume() {
  if (FContentLength == 0 || !FileExists(FTempName)) return true;
  bool matches = FileExists(FSidecarName) &&
                 ReadProfile(FSidecarName, L"ContentLen", L"0") == std::to_wstring(FContentLength) &&
                 (!FLastModified || ReadProfile(FSidecarName, L"LastModified", L"") == FormatSidecarTime(FLastModified));
  if (!matches) return true;
  FLocalSize = static_cast<uint64_t>(GetFileSizeByName(FTempName));
  if (FLocalSize == FContentLength) {
    FResult = kDownloadOk;  // already complete: the wind-down puts it in place
    return true;
  }
  FResume = FLocalSize < FContentLength;
  return true;
}

void TDownloadCall::WriteSidecar() {
  ::WritePrivateProfileStringW(kSection, L"ContentLen", std::to_wstring(FContentLength).c_str(), FSidecarName.c_str());
  ::WritePrivateProfileStringW(kSection, L"LastModified", FormatSidecarTime(FLastModified).c_str(),
                               FSidecarName.c_str());
}

bool TDownloadCall::Transfer(HINTERNET request, HANDLE file) {
  const DWORD bufferSize = static_cast<DWORD>(FClient.FSettings.BufferSize > 0 ? FClient.FSettings.BufferSize : 1);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[bufferSize]);
  if (!buffer) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    FailWithSystemText(L"创建缓冲区失败:");
    return false;
  }
  FDownloaded = 0;
  int64_t windowBytes = 0, remain = 0, speed = 0;
  ULONGLONG windowStart = 0;
  if (Notify(dsProgress, Position(), static_cast<int64_t>(FContentLength))) {
    FResult = kDownloadCancelled;
    return false;
  }
  for (;;) {
    if (windowStart == 0) windowStart = ::GetTickCount64();
    DWORD flags = 0;
    if (!inet::ConnectedState(flags)) {
      Fail(L"检查网络状态失败: 有可能是网络不通。");
      return false;
    }
    if ((flags & 0x0F) == 0) {
      Fail(L"网络不通！");
      return false;
    }
    // One read fills the buffer with what arrives within a quarter of a second: a fast
    // line gets large writes, a slow one still comes round (and reports) in time.
    DWORD read = 0, readError = 0;
    bool ok = true;
    const ULONGLONG fillStart = ::GetTickCount64();
    while (read < bufferSize) {
      DWORD available = 0, chunk = 0;
      ok = inet::QueryDataAvailable(request, available);
      if (ok) {
        DWORD room = bufferSize - read;
        ok = inet::ReadData(request, buffer.get() + read, available ? std::min(available, room) : room, chunk);
      }
      read += chunk;
      if (!ok) {
        readError = ::GetLastError();
        break;
      }
      if (chunk == 0 || ::GetTickCount64() - fillStart >= 250) break;
    }
    if (read > 0) {
      // Bytes handed over by a failing read are kept too.
      DWORD written = 0;
      if (!::WriteFile(file, buffer.get(), read, &written, nullptr) || written != read) {
        FailWithSystemText(L"写文件失败:");
        return false;
      }
      FDownloaded += read;
    }
    if (!ok) {
      Fail(L"从网络读取文件失败:" + SysErrorText(readError));
      return false;
    }
    if (read == 0) break;
    windowBytes += read;
    int64_t elapsed = static_cast<int64_t>(::GetTickCount64() - windowStart);
    if (elapsed >= 1000) {
      int64_t left = static_cast<int64_t>(FContentLength) - Position();
      remain = (FContentLength > 0 && left >= 0)
                   ? static_cast<int64_t>(std::nearbyint(static_cast<double>(left) / windowBytes * elapsed))
                   : -1;
      speed = static_cast<int64_t>(std::nearbyint(static_cast<double>(windowBytes) * 1000.0 / elapsed));
      windowBytes = 0;
      windowStart = 0;
    }
    if (elapsed > 500 &&
        Notify(dsProgress, Position(), static_cast<int64_t>(FContentLength), {}, remain, speed)) {
      FResult = kDownloadCancelled;
      return false;
    }
  }
  Notify(dsProgress, Position(), static_cast<int64_t>(FContentLength), {}, remain, speed);
  // A connection closed early looks like a normal end: count the bytes.
  if (FContentLength > 0 && static_cast<uint64_t>(Position()) != FContentLength) {
    Fail(L"下载未完成：收到 " + std::to_wstring(Position()) + L" 字节，服务器声明的长度为 " +
         std::to_wstring(FContentLength) + L" 字节。");
    return false;
  }
  FResult = kDownloadOk;
  return true;
}

void TDownloadCall::WindDown() {
  if (FResult == kDownloadOk && FTempName != FFileName) {
    if (FileExists(FFileName) && !::DeleteFileW(FFileName.c_str())) {
      FResult = kDownloadFailed;
      Notify(dsFail, 0, 0, L"删除[" + FFileName + L"]文件失败:" + LastErrorText());
    } else if (!::MoveFileW(FTempName.c_str(), FFileName.c_str())) {
      FResult = kDownloadFailed;
      Notify(dsFail, 0, 0, L"重命名[" + FTempName + L"]为[" + FFileName + L"]失败:" + LastErrorText());
    } else {
      // Only a file in place makes the record of the partial file obsolete.
      ::DeleteFileW(FSidecarName.c_str());
    }
  }
  Notify(dsEnd, Position(), static_cast<int64_t>(FContentLength));
}

}  // namespace qs
