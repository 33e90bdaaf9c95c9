// URL splitting and the way from a URL to an open session and HTTP connection.
#include <windows.h>

#include "base/Error.h"
#include "base/SysError.h"
#include "base/Text.h"
#include "http/HttpClientImpl.h"
#include "http/WinInet.h"

namespace qs {

bool THttpClient::ParseURL(const std::wstring& url, TURLParts& parts) {
  parts = TURLParts{};
  TURLParts cracked;
  if (!inet::CrackUrl(url, cracked)) return false;
  parts = cracked;
  return true;
}

bool THttpClient::CreateInternetConnect(std::wstring& url, TInternetConnection& conn, std::wstring& errorText,
                                        bool& isHttps) {
  conn.Close();
  errorText.clear();
  isHttps = false;
  try {
    if (url.empty()) {
      errorText = L"URL地址为空！";
      return false;
    }
    TURLParts parts;
    if (!ParseURL(url, parts)) {
      errorText = L"解析URL失败！";
      return false;
    }
    if (parts.Scheme != INTERNET_SCHEME_HTTP) {
      errorText = L"URL类型不是HTTP！";
      return false;
    }
    isHttps = _wcsicmp(parts.SchemeName.c_str(), L"https") == 0;
    conn.Session.Reset(inet::OpenSession(FSettings.Agent, FSettings.AccessType, FSettings.ProxyServer));
    if (!conn.Session) {
      errorText = L"打开一个Internet连接失败:" + LastErrorText();
      return false;
    }
    if (FSettings.AccessType == 2) {
      if (!FSettings.ProxyUserName.empty())
        inet::SetStringOption(conn.Session.Get(), INTERNET_OPTION_USERNAME, FSettings.ProxyUserName);
      if (!FSettings.ProxyPassword.empty())
        inet::SetStringOption(conn.Session.Get(), INTERNET_OPTION_PASSWORD, FSettings.ProxyPassword);
    }
    if (FSettings.Timeout != 0) inet::SetTimeouts(conn.Session.Get(), static_cast<DWORD>(FSettings.Timeout));
    conn.Connection.Reset(inet::Connect(conn.Session.Get(), parts));
    if (!conn.Connection) {
      errorText = L"打开HTTP连接失败:" + LastErrorText();
      conn.Close();
      return false;
    }
    url = (parts.UrlPath.empty() ? L"/" : parts.UrlPath) + parts.ExtraInfo;
    return true;
  } catch (const std::exception& e) {
    conn.Close();
    errorText = L"[THttpClient._CreateInternetConnect]" + ExceptionText(e);
    return false;
  }
}

}  // namespace qs
