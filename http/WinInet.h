// Every WinInet call of the engine, in one place. Strings are UTF-16 (the object paths
// reaching here are ASCII after percent-encoding); handles are owned by TInternetHandle.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <string>

#include "base/Handle.h"
#include "http/HttpTypes.h"

namespace qs {

namespace detail {
void CloseInternet(HINTERNET h);
}
using TInternetHandle = TUniqueHandle<HINTERNET, detail::CloseInternet>;

namespace inet {

// Splits a URL with the system's splitter (no decoding, no escaping); false when it cannot.
bool CrackUrl(const std::wstring& url, TURLParts& parts);
// Access type: 0 direct, 1 the system's settings, 2 the given proxy; null for any other.
HINTERNET OpenSession(const std::wstring& agent, uint8_t accessType, const std::wstring& proxy);
void SetStringOption(HINTERNET session, DWORD option, const std::wstring& value);
void SetTimeouts(HINTERNET session, DWORD ms);
HINTERNET Connect(HINTERNET session, const TURLParts& parts);
HINTERNET OpenRequest(HINTERNET connection, const std::wstring& verb, const std::wstring& objectPath, bool secure);
bool AddHeader(HINTERNET request, const std::wstring& line);
bool SendRequest(HINTERNET request, const void* body, DWORD length);
bool QueryStatus(HINTERNET request, DWORD& status);
// A response header as text (never as number or calendar time: those forms fail on large
// lengths and malformed dates); false when the response has none.
bool QueryHeader(HINTERNET request, DWORD infoLevel, std::wstring& value);
// The raw response headers, lines ended by CR LF.
bool QueryRawHeaders(HINTERNET request, std::wstring& headers);
bool QueryDataAvailable(HINTERNET request, DWORD& bytes);
bool ReadData(HINTERNET request, void* buffer, DWORD size, DWORD& read);
bool ConnectedState(DWORD& flags);

}  // namespace inet
}  // namespace qs
