// Every WinInet call of the engine, in one place: URL splitting, sessions, connections,
// requests, headers, reading and the connection state. Strings are 8-bit in the ANSI
// code page, as the A functions take them. Each call reports failure by its result and
// leaves the thread's last error code for the caller to turn into text at once.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include <windows.h>
#include <wininet.h>

#include "base/Handle.h"

namespace qs {

namespace detail {
void CloseInternet(HINTERNET h);
}
using TInternetHandle = TUniqueHandle<HINTERNET, detail::CloseInternet>;

struct TCrackedUrl {
  int32_t Scheme = 0;
  uint16_t Port = 0;
  std::string SchemeName, HostName, UserName, Password, UrlPath, ExtraInfo;
};

class TWinInet {
public:
  // Splits a URL without decoding or escaping; fails when a part does not fit its buffer
  // (scheme 32, host 256, user 128, password 128, path 2055, extra 2048, with the zero).
  static bool CrackUrl(const std::string& url, TCrackedUrl& parts);

  // accessType is the library's own value (INTERNET_OPEN_TYPE_...).
  static TInternetHandle OpenSession(const std::string& agent, DWORD accessType, const std::string& proxy);
  static void SetOption(HINTERNET handle, DWORD option, const void* data, DWORD size);
  static TInternetHandle Connect(HINTERNET session, const std::string& host, uint16_t port, const std::string& user,
                                 const std::string& password);
  // Reload, no cache write; secure for TLS.
  static TInternetHandle OpenRequest(HINTERNET connection, const std::string& verb, const std::string& objectPath,
                                     bool secure);

  // One header line, added and replacing one of the same name.
  static bool AddRequestHeader(HINTERNET request, const std::string& line);
  static bool SendRequest(HINTERNET request, const void* body, DWORD size);
  static bool QueryStatusCode(HINTERNET request, DWORD& status);
  // A response header as text (HTTP_QUERY_CONTENT_LENGTH, HTTP_QUERY_LAST_MODIFIED, ...);
  // nothing when the answer has no such header.
  static std::optional<std::string> QueryHeaderText(HINTERNET request, DWORD infoLevel);
  // The status line and every header line, each ending in CR LF.
  static bool QueryRawHeaders(HINTERNET request, std::string& headers);

  // Waits until some data has arrived and tells how much can be read without blocking;
  // 0 at the end of the data.
  static bool QueryDataAvailable(HINTERNET request, DWORD& available);
  // Blocks until size bytes or the end; a failing read may still hand over bytes.
  static bool ReadData(HINTERNET request, void* buffer, DWORD size, DWORD& read);

  // The system's view of the network: the call's result and its flags.
  static bool GetConnectedState(DWORD& flags);
};

namespace inet {
// The workflow's own look at the network before a download.
inline bool ConnectedState(DWORD& flags) { return TWinInet::GetConnectedState(flags); }
}  // namespace inet

}  // namespace qs
