// IHttpClient: the one way to the download engine, and GetHttpClient, the process's
// shared instance. Operations are declared in the interface's fixed order.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "http/HttpTypes.h"
#include "http/Stream.h"

namespace qs {

class IHttpClient;
using THttpClientRef = std::shared_ptr<IHttpClient>;

class IHttpClient {
public:
  virtual ~IHttpClient() = default;

  virtual std::wstring GetAgent() const = 0;
  virtual uint8_t GetAccessType() const = 0;
  virtual int32_t GetTimeout() const = 0;
  virtual std::wstring GetProxyServer() const = 0;
  virtual std::wstring GetProxyUserName() const = 0;
  virtual std::wstring GetProxyPassword() const = 0;
  virtual int64_t GetMaxFileSize() const = 0;
  virtual int32_t GetBufferSize() const = 0;
  virtual int32_t GetRetryCount() const = 0;
  virtual bool GetAllowResume() const = 0;
  virtual TBeforeDownloadEvent GetOnBeforeDownload() const = 0;
  virtual std::wstring GetLastErrorText() const = 0;
  virtual void SetAgent(const std::wstring& value) = 0;
  virtual void SetAccessType(uint8_t value) = 0;
  virtual void SetTimeout(int32_t value) = 0;
  virtual void SetProxyServer(const std::wstring& value) = 0;
  virtual void SetProxyUserName(const std::wstring& value) = 0;
  virtual void SetProxyPassword(const std::wstring& value) = 0;
  virtual void SetMaxFileSize(int64_t value) = 0;
  virtual void SetBufferSize(int32_t value) = 0;
  virtual void SetRetryCount(int32_t value) = 0;
  virtual void SetAllowResume(bool value) = 0;
  virtual void SetOnBeforeDownload(TBeforeDownloadEvent value) = 0;
  virtual THttpClientRef Clone() const = 0;
  virtual void ResetSettings() = 0;
  virtual bool CheckUrl(const std::wstring& url) = 0;
  virtual bool ParseURL(const std::wstring& url, TURLParts& parts) = 0;
  virtual int32_t DownloadFile(const std::wstring& url, std::wstring& fileName, const TDownloadProgressEvent& onProgress,
                               int32_t tag, const std::wstring& method, const std::wstring& extraHeaders) = 0;
  virtual std::wstring GetTempName(const std::wstring& fileName) const = 0;
  virtual uint64_t GetDownloadedSize(const std::wstring& fileName) const = 0;
  virtual bool GetText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& text, bool utf8) = 0;
  virtual bool GetStream(const std::wstring& url, const std::wstring& extraHeaders, const TStreamRef& response) = 0;
  virtual bool PostText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                        const std::wstring& requestText, std::wstring& responseText, bool utf8) = 0;
  virtual bool PostStreamText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                              const TStreamRef& request, std::wstring& responseText, bool utf8) = 0;
  virtual bool PostTextStream(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                              const std::wstring& requestText, const TStreamRef& response) = 0;
  virtual bool Post(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                    const TStreamRef& request, const TStreamRef& response) = 0;
};

// The shared client: made on the first call with default settings, the same object after.
THttpClientRef GetHttpClient();
// Drops the shared reference (the orderly shutdown); the object goes with its last holder.
void ReleaseHttpClient();

}  // namespace qs
