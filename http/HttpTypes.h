// Everything that crosses the HTTP client's interface: the URL parts, the record handed
// to the progress callback, the download states, the callback types and result codes.
// No Windows API here: the workflow and its tests use these natively too.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qs {

class IHttpClient;

struct TURLParts {
  int32_t Scheme = 0;        // WinInet's scheme number: 3 http, 4 https, 1 ftp, -1 unknown
  std::wstring SchemeName;
  std::wstring HostName;
  uint16_t Port = 0;
  std::wstring UserName;
  std::wstring Password;
  std::wstring UrlPath;      // begins with "/" when present
  std::wstring ExtraInfo;    // query and fragment, beginning with "?" or "#"
};

// A short string of at most 16 one-byte characters (8-bit text in the ANSI code page).
struct TShortString16 {
  uint8_t Length = 0;
  char Data[16] = {};

  void Assign(std::string_view s) {
    Length = static_cast<uint8_t>(s.size() < sizeof Data ? s.size() : sizeof Data);
    for (uint8_t i = 0; i < Length; ++i) Data[i] = s[i];
  }
  std::string Str() const { return std::string(Data, Length); }
};

enum THttpDownloadState : uint8_t {
  dsStart = 0,
  dsProgress = 1,
  dsEnd = 2,
  dsFail = 3,
  dsError = 4,
};

// Result codes of DownloadFile.
enum : int32_t {
  kDownloadOk = 0,
  kDownloadCancelled = 1,
  kDownloadFailed = -1,
};

struct THttpDownloadInfo {
  uint8_t Valid = 1;
  uint8_t State = dsStart;
  int64_t Position = 0;       // bytes of the file on disk
  int64_t Total = 0;          // announced full length; 0 while unknown
  int32_t Tag = 0;
  std::wstring Message;       // failure text for dsFail and dsError
  int64_t RemainTime = 0;     // milliseconds; -1 when no estimate can be made
  TShortString16 RemainTimeText;
  int64_t Speed = 0;          // bytes per second over the last measuring window
  TShortString16 SpeedText;
  int32_t ResultCode = kDownloadFailed;
};

// Progress callback; Cancel arrives false, true asks the download to stop.
using TDownloadProgressEvent = std::function<void(const THttpDownloadInfo& Info, bool& Cancel)>;

// Called by DownloadFile after the probe. Every argument but Sender and Method may be
// changed by the handler. Sizes are 64-bit so files of 4 GiB and more are described right.
using TBeforeDownloadEvent = std::function<void(IHttpClient& Sender, std::wstring& ObjectPath,
    std::wstring& FileName, int32_t& Tag, const std::wstring& Method, std::wstring& ExtraHeaders,
    uint64_t& LocalSize, uint64_t& ContentLength, bool& Resume, bool& Handled)>;

}  // namespace qs
