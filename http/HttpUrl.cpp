// URL splitting and the session/connection set-up that every request begins with.
#include <cwctype>

#include "base/SysError.h"
#include "base/Text.h"
#include "http/HttpClientImpl.h"
#include "http/HttpHelpers.h"
#include "http/WinInet.h"

namespace qs {

bool THttpClient::ParseURL(const std::wstring& url, TURLParts& parts) {
  parts = TURLParts{};
  TCrackedUrl cracked;
  if (!TWinInet::CrackUrl(WideToAnsi(url), cracked)) return false;
  parts.Scheme = cracked.Scheme;
  parts.SchemeName = AnsiToWide(cracked.SchemeName);
  parts.HostName = AnsiToWide(cracked.HostName);
  parts.Port = cracked.Port;
  parts.UserName = AnsiToWide(cracked.UserName);
  parts.Password = AnsiToWide(cracked.Password);
  parts.UrlPath = AnsiToWide(cracked.UrlPath);
  parts.ExtraInfo = AnsiToWide(cracked.ExtraInfo);
  return true;
}

namespace {

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

}  // namespace

bool THttpClient::_CreateInternetConnect(std::string& url, TInternetHandle& session, TInternetHandle& connection,
                                         std::wstring& errorText, bool& isHttps) {
  session.Reset();
  connection.Reset();
  errorText.clear();
  try {
    if (url.empty()) {
      errorText = L"URL地址为空！";
      return false;
    }
    std::string agent = WideToAnsi(FSettings.Agent), proxy = WideToAnsi(FSettings.ProxyServer);
    std::string proxyUser = WideToAnsi(FSettings.ProxyUserName), proxyPassword = WideToAnsi(FSettings.ProxyPassword);
    TURLParts parts;
    if (!ParseURL(AnsiToWide(url), parts)) {
      errorText = L"解析URL失败！";
      return false;
    }
    if (parts.Scheme != INTERNET_SCHEME_HTTP) {
      errorText = L"URL类型不是HTTP！";
      return false;
    }
    isHttps = SameTextIgnoringCase(parts.SchemeName, L"https");

    switch (FSettings.AccessType) {
      case 0:
        session = TWinInet::OpenSession(agent, INTERNET_OPEN_TYPE_DIRECT, "");
        break;
      case 1:
        session = TWinInet::OpenSession(agent, INTERNET_OPEN_TYPE_PRECONFIG, "");
        break;
      case 2:
        session = TWinInet::OpenSession(agent, INTERNET_OPEN_TYPE_PROXY, proxy);
        if (session && !proxyUser.empty())
          TWinInet::SetOption(session.Get(), INTERNET_OPTION_USERNAME, proxyUser.c_str(),
                              static_cast<DWORD>(proxyUser.size()));
        if (session && !proxyPassword.empty())
          TWinInet::SetOption(session.Get(), INTERNET_OPTION_PASSWORD, proxyPassword.c_str(),
                              static_cast<DWORD>(proxyPassword.size()));
        break;
      default:
        break;
    }
    if (!session) {
      errorText = L"打开一个Internet连接失败:" + LastErrorText();
      return false;
    }
    if (FSettings.Timeout != 0) {
      DWORD timeout = static_cast<DWORD>(FSettings.Timeout);
      for (DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                           INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        TWinInet::SetOption(session.Get(), option, &timeout, sizeof timeout);
    }
    connection = TWinInet::Connect(session.Get(), WideToAnsi(parts.HostName), parts.Port, WideToAnsi(parts.UserName),
                                   WideToAnsi(parts.Password));
    if (!connection) {
      errorText = L"打开HTTP连接失败:" + LastErrorText();
      session.Reset();
      return false;
    }
    url = WideToAnsi((parts.UrlPath.empty() ? L"/" : parts.UrlPath) + parts.ExtraInfo);
    return true;
  } catch (...) {
    errorText = L"[THttpClient._CreateInternetConnect]" + CurrentExceptionMessage();
    connection.Reset();
    session.Reset();
    return false;
  }
}

}  // namespace qs
