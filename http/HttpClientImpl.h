// THttpClient: the WinInet implementation of IHttpClient. Its settings are plain fields
// with the defaults below; the operations live in the files named beside each group.
#pragma once
#include "http/WinInet.h"
#include "http/HttpClient.h"

namespace qs {

struct THttpSettings {
  std::wstring Agent;                     // default: the running executable's file name
  uint8_t AccessType = 1;                 // 0 direct, 1 system settings, 2 ProxyServer
  int32_t Timeout = 60000;                // ms; 0 keeps the system's timeouts
  std::wstring ProxyServer;
  std::wstring ProxyUserName;
  std::wstring ProxyPassword;
  int64_t MaxFileSize = 2000LL * 1048576;
  int32_t BufferSize = 524288;
  int32_t RetryCount = 3;
  bool AllowResume = false;
};

class THttpClient final : public IHttpClient, public std::enable_shared_from_this<THttpClient> {
public:
  THttpClient();

  // Settings (HttpClientImpl.cpp).
  std::wstring GetAgent() const override { return FSettings.Agent; }
  uint8_t GetAccessType() const override { return FSettings.AccessType; }
  int32_t GetTimeout() const override { return FSettings.Timeout; }
  std::wstring GetProxyServer() const override { return FSettings.ProxyServer; }
  std::wstring GetProxyUserName() const override { return FSettings.ProxyUserName; }
  std::wstring GetProxyPassword() const override { return FSettings.ProxyPassword; }
  int64_t GetMaxFileSize() const override { return FSettings.MaxFileSize; }
  int32_t GetBufferSize() const override { return FSettings.BufferSize; }
  int32_t GetRetryCount() const override { return FSettings.RetryCount; }
  bool GetAllowResume() const override { return FSettings.AllowResume; }
  TBeforeDownloadEvent GetOnBeforeDownload() const override { return FOnBeforeDownload; }
  std::wstring GetLastErrorText() const override { return FLastErrorText; }
  void SetAgent(const std::wstring& value) override { FSettings.Agent = value; }
  void SetAccessType(uint8_t value) override { FSettings.AccessType = value; }
  void SetTimeout(int32_t value) override { FSettings.Timeout = value; }
  void SetProxyServer(const std::wstring& value) override { FSettings.ProxyServer = value; }
  void SetProxyUserName(const std::wstring& value) override { FSettings.ProxyUserName = value; }
  void SetProxyPassword(const std::wstring& value) override { FSettings.ProxyPassword = value; }
  void SetMaxFileSize(int64_t value) override { FSettings.MaxFileSize = value; }
  void SetBufferSize(int32_t value) override { FSettings.BufferSize = value; }
  void SetRetryCount(int32_t value) override { FSettings.RetryCount = value; }
  void SetAllowResume(bool value) override { FSettings.AllowResume = value; }
  void SetOnBeforeDownload(TBeforeDownloadEvent value) override { FOnBeforeDownload = std::move(value); }
  THttpClientRef Clone() const override;
  void ResetSettings() override;
  std::wstring GetTempName(const std::wstring& fileName) const override;
  uint64_t GetDownloadedSize(const std::wstring& fileName) const override;

  // URL splitting (HttpUrl.cpp).
  bool ParseURL(const std::wstring& url, TURLParts& parts) override;

  // The resumable download (HttpDownload.cpp).
  int32_t DownloadFile(const std::wstring& url, std::wstring& fileName, const TDownloadProgressEvent& onProgress,
                       int32_t tag, const std::wstring& method, const std::wstring& extraHeaders) override;

  // Request/response calls (HttpRequest.cpp).
  bool CheckUrl(const std::wstring& url) override;
  bool GetText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& text, bool utf8) override;
  bool GetStream(const std::wstring& url, const std::wstring& extraHeaders, const TStreamRef& response) override;
  bool PostText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                const std::wstring& requestText, std::wstring& responseText, bool utf8) override;
  bool PostStreamText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                      const TStreamRef& request, std::wstring& responseText, bool utf8) override;
  bool PostTextStream(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                      const std::wstring& requestText, const TStreamRef& response) override;
  bool Post(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
            const TStreamRef& request, const TStreamRef& response) override;

private:
  friend class TDownloadJob;

  // Opens a session and an HTTP connection for url (8-bit, non-ASCII already encoded)
  // and rewrites url into the object path; on failure both handles stay empty and
  // errorText says why (HttpUrl.cpp).
  bool _CreateInternetConnect(std::string& url, TInternetHandle& session, TInternetHandle& connection,
                              std::wstring& errorText, bool& isHttps);
  // One whole GET or POST exchange; a failure text is appended to response, in UTF-8 when
  // the caller decodes the answer as UTF-8, else in the ANSI code page (HttpRequest.cpp).
  bool _HttpRequest(const std::wstring& method, const std::wstring& url, const std::wstring& extraHeaders,
                    std::wstring& responseHeaders, const TStreamRef& request, const TStreamRef& response,
                    bool utf8Failure = false);

  THttpSettings FSettings;
  TBeforeDownloadEvent FOnBeforeDownload;
  std::wstring FLastErrorText;
};

}  // namespace qs
