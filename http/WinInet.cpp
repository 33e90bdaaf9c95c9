#include "http/WinInet.h"

#include <vector>

namespace qs {

void detail::CloseInternet(HINTERNET h) { ::InternetCloseHandle(h); }

namespace {

struct TPartBuffer {
  explicit TPartBuffer(size_t size) : Data(size, '\0') {}
  std::vector<char> Data;
  DWORD Capacity() const { return static_cast<DWORD>(Data.size()); }
  std::string Str(DWORD length) const { return std::string(Data.data(), length); }
};

}  // namespace

bool TWinInet::CrackUrl(const std::string& url, TCrackedUrl& parts) {
  TPartBuffer scheme(32), host(256), user(128), password(128), path(2055), extra(2048);
  URL_COMPONENTSA c{};
  c.dwStructSize = sizeof c;
  c.lpszScheme = scheme.Data.data();
  c.dwSchemeLength = scheme.Capacity();
  c.lpszHostName = host.Data.data();
  c.dwHostNameLength = host.Capacity();
  c.lpszUserName = user.Data.data();
  c.dwUserNameLength = user.Capacity();
  c.lpszPassword = password.Data.data();
  c.dwPasswordLength = password.Capacity();
  c.lpszUrlPath = path.Data.data();
  c.dwUrlPathLength = path.Capacity();
  c.lpszExtraInfo = extra.Data.data();
  c.dwExtraInfoLength = extra.Capacity();
  if (!::InternetCrackUrlA(url.c_str(), 0, 0, &c)) return false;
  parts.Scheme = static_cast<int32_t>(c.nScheme);
  parts.Port = static_cast<uint16_t>(c.nPort);
  parts.SchemeName = scheme.Str(c.dwSchemeLength);
  parts.HostName = host.Str(c.dwHostNameLength);
  parts.UserName = user.Str(c.dwUserNameLength);
  parts.Password = password.Str(c.dwPasswordLength);
  parts.UrlPath = path.Str(c.dwUrlPathLength);
  parts.ExtraInfo = extra.Str(c.dwExtraInfoLength);
  return true;
}

TInternetHandle TWinInet::OpenSession(const std::string& agent, DWORD accessType, const std::string& proxy) {
  return TInternetHandle(::InternetOpenA(agent.c_str(), accessType, proxy.empty() ? nullptr : proxy.c_str(), nullptr, 0));
}

void TWinInet::SetOption(HINTERNET handle, DWORD option, const void* data, DWORD size) {
  ::InternetSetOptionA(handle, option, const_cast<void*>(data), size);
}

TInternetHandle TWinInet::Connect(HINTERNET session, const std::string& host, uint16_t port, const std::string& user,
                                  const std::string& password) {
  return TInternetHandle(::InternetConnectA(session, host.c_str(), port, user.c_str(), password.c_str(),
                                            INTERNET_SERVICE_HTTP, 0, 0));
}

TInternetHandle TWinInet::OpenRequest(HINTERNET connection, const std::string& verb, const std::string& objectPath,
                                      bool secure) {
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | (secure ? INTERNET_FLAG_SECURE : 0);
  return TInternetHandle(
      ::HttpOpenRequestA(connection, verb.c_str(), objectPath.c_str(), "HTTP/1.1", nullptr, nullptr, flags, 0));
}

bool TWinInet::AddRequestHeader(HINTERNET request, const std::string& line) {
  return ::HttpAddRequestHeadersA(request, line.c_str(), static_cast<DWORD>(line.size()),
                                  HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE) != FALSE;
}

bool TWinInet::SendRequest(HINTERNET request, const void* body, DWORD size) {
  return ::HttpSendRequestA(request, nullptr, 0, const_cast<void*>(body), size) != FALSE;
}

bool TWinInet::QueryStatusCode(HINTERNET request, DWORD& status) {
  DWORD size = sizeof status;
  return ::HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) != FALSE;
}

std::optional<std::string> TWinInet::QueryHeaderText(HINTERNET request, DWORD infoLevel) {
  std::vector<char> buf(256);
  for (;;) {
    DWORD size = static_cast<DWORD>(buf.size());
    if (::HttpQueryInfoA(request, infoLevel, buf.data(), &size, nullptr)) return std::string(buf.data(), size);
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buf.size()) return std::nullopt;
    buf.resize(size + 1);
  }
}

bool TWinInet::QueryRawHeaders(HINTERNET request, std::string& headers) {
  DWORD size = 0;
  ::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
  std::vector<char> buf(size + 1);
  DWORD got = static_cast<DWORD>(buf.size());
  if (!::HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buf.data(), &got, nullptr)) return false;
  headers.assign(buf.data(), got);
  return true;
}

bool TWinInet::QueryDataAvailable(HINTERNET request, DWORD& available) {
  available = 0;
  return ::InternetQueryDataAvailable(request, &available, 0, 0) != FALSE;
}

bool TWinInet::ReadData(HINTERNET request, void* buffer, DWORD size, DWORD& read) {
  read = 0;
  return ::InternetReadFile(request, buffer, size, &read) != FALSE;
}

bool TWinInet::GetConnectedState(DWORD& flags) {
  flags = 0;
  return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace qs
