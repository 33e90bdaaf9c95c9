#include "http/WinInet.h"

#include <vector>

namespace qs {

void detail::CloseInternet(HINTERNET h) { ::InternetCloseHandle(h); }

namespace inet {

bool CrackUrl(const std::wstring& url, TURLParts& parts) {
  // Component capacities in characters, terminating zero included.
  std::vector<wchar_t> scheme(32), host(256), user(128), password(128), path(2055), extra(2048);
  URL_COMPONENTSW uc{};
  uc.dwStructSize = sizeof uc;
  uc.lpszScheme = scheme.data();
  uc.dwSchemeLength = static_cast<DWORD>(scheme.size());
  uc.lpszHostName = host.data();
  uc.dwHostNameLength = static_cast<DWORD>(host.size());
  uc.lpszUserName = user.data();
  uc.dwUserNameLength = static_cast<DWORD>(user.size());
  uc.lpszPassword = password.data();
  uc.dwPasswordLength = static_cast<DWORD>(password.size());
  uc.lpszUrlPath = path.data();
  uc.dwUrlPathLength = static_cast<DWORD>(path.size());
  uc.lpszExtraInfo = extra.data();
  uc.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  if (!::InternetCrackUrlW(url.c_str(), 0, 0, &uc)) return false;
  parts.Scheme = uc.nScheme;
  parts.SchemeName.assign(uc.lpszScheme, uc.dwSchemeLength);
  parts.HostName.assign(uc.lpszHostName, uc.dwHostNameLength);
  parts.Port = uc.nPort;
  parts.UserName.assign(uc.lpszUserName, uc.dwUserNameLength);
  parts.Password.assign(uc.lpszPassword, uc.dwPasswordLength);
  parts.UrlPath.assign(uc.lpszUrlPath, uc.dwUrlPathLength);
  parts.ExtraInfo.assign(uc.lpszExtraInfo, uc.dwExtraInfoLength);
  return true;
}

HINTERNET OpenSession(const std::wstring& agent, uint8_t accessType, const std::wstring& proxy) {
  switch (accessType) {
    case 0: return ::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    case 1: return ::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    case 2: return ::InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), nullptr, 0);
    default: return nullptr;
  }
}

void SetStringOption(HINTERNET session, DWORD option, const std::wstring& value) {
  ::InternetSetOptionW(session, option, const_cast<wchar_t*>(value.c_str()),
                       static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

void SetTimeouts(HINTERNET session, DWORD ms) {
  for (DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    ::InternetSetOptionW(session, option, &ms, sizeof ms);
}

HINTERNET Connect(HINTERNET session, const TURLParts& parts) {
  return ::InternetConnectW(session, parts.HostName.c_str(), parts.Port, parts.UserName.c_str(),
                            parts.Password.c_str(), INTERNET_SERVICE_HTTP, 0, 0);
}

HINTERNET OpenRequest(HINTERNET connection, const std::wstring& verb, const std::wstring& objectPath, bool secure) {
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | (secure ? INTERNET_FLAG_SECURE : 0);
  return ::HttpOpenRequestW(connection, verb.c_str(), objectPath.c_str(), L"HTTP/1.1", nullptr, nullptr, flags, 0);
}

bool AddHeader(HINTERNET request, const std::wstring& line) {
  return ::HttpAddRequestHeadersW(request, line.c_str(), static_cast<DWORD>(line.size()),
                                  HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE) != FALSE;
}

bool SendRequest(HINTERNET request, const void* body, DWORD length) {
  return ::HttpSendRequestW(request, nullptr, 0, const_cast<void*>(body), length) != FALSE;
}

bool QueryStatus(HINTERNET request, DWORD& status) {
  DWORD size = sizeof status, index = 0;
  return ::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, &index) != FALSE;
}

bool QueryHeader(HINTERNET request, DWORD infoLevel, std::wstring& value) {
  std::vector<wchar_t> buf(256);
  for (;;) {
    DWORD size = static_cast<DWORD>(buf.size() * sizeof(wchar_t)), index = 0;
    if (::HttpQueryInfoW(request, infoLevel, buf.data(), &size, &index)) {
      value.assign(buf.data(), size / sizeof(wchar_t));
      return true;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    buf.resize(size / sizeof(wchar_t) + 1);
  }
}

bool QueryRawHeaders(HINTERNET request, std::wstring& headers) {
  return QueryHeader(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers);
}

bool QueryDataAvailable(HINTERNET request, DWORD& bytes) {
  return ::InternetQueryDataAvailable(request, &bytes, 0, 0) != FALSE;
}

bool ReadData(HINTERNET request, void* buffer, DWORD size, DWORD& read) {
  read = 0;
  return ::InternetReadFile(request, buffer, size, &read) != FALSE;
}

bool ConnectedState(DWORD& flags) {
  flags = 0;
  return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace inet
}  // namespace qs
