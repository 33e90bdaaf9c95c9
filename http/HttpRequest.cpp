// The request/response calls: GET and POST, with the answer collected into a stream or
// a text. A failure is reported by the result and by its text appended to the response.
#include <memory>
#include <new>

#include "base/SysError.h"
#include "base/Text.h"
#include "http/HeaderValues.h"
#include "http/HttpClientImpl.h"
#include "http/HttpHelpers.h"
#include "http/UrlEncoding.h"
#include "http/WinInet.h"

namespace qs {
namespace {

void AppendText(const TStreamRef& stream, const std::wstring& text, bool utf8) {
  std::string bytes = utf8 ? WideToUtf8(text) : WideToAnsi(text);
  if (!bytes.empty()) stream->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::wstring Decode(const TMemoryStream& stream, bool utf8) {
  return utf8 ? Utf8ToWide(stream.Bytes()) : AnsiToWide(stream.Bytes());
}

}  // namespace

bool THttpClient::_HttpRequest(const std::wstring& method, const std::wstring& url, const std::wstring& extraHeaders,
                               std::wstring& responseHeaders, const TStreamRef& request, const TStreamRef& response,
                               bool utf8Failure) {
  if (!response) return false;
  bool result = false;
  std::wstring errorText;
  try {
    response->SetSize(0);
    {
      std::string objectPath = WideToAnsi(EncodeUrlNonAscii(url));
      TInternetHandle session, connection;
      bool isHttps = false;
      if (_CreateInternetConnect(objectPath, session, connection, errorText, isHttps)) {
        TInternetHandle req = TWinInet::OpenRequest(connection.Get(), WideToAnsi(method), objectPath, isHttps);
        std::string rawHeaders;
        if (!AddRequestHeaders(req.Get(), WideToAnsi(extraHeaders), false, 0)) {
          errorText = L"组织请求头失败！";
        } else if (!SendRequestWithRetry(req.Get(), FSettings.RetryCount, request)) {
          errorText = L"发生下载请求失败:" + LastErrorText();
        } else if (!TWinInet::QueryRawHeaders(req.Get(), rawHeaders)) {
          errorText = L"获取响应头失败:" + LastErrorText();
        } else {
          responseHeaders = AnsiToWide(rawHeaders);
          const int32_t bufferSize = FSettings.BufferSize;
          std::unique_ptr<char[]> buffer(bufferSize > 0 ? new (std::nothrow) char[static_cast<size_t>(bufferSize)]
                                                        : nullptr);
          if (!buffer) {
            if (bufferSize <= 0) ::SetLastError(ERROR_INVALID_PARAMETER);
            errorText = L"创建缓冲区失败:" + LastErrorText();
          }
          // An answer cut short ends like a complete one: the announced length tells.
          TContentLength announced;
          if (auto text = TWinInet::QueryHeaderText(req.Get(), HTTP_QUERY_CONTENT_LENGTH))
            announced = ParseContentLength(*text);
          uint64_t received = 0;
          while (buffer) {
            DWORD got = 0;
            bool ok = TWinInet::ReadData(req.Get(), buffer.get(), static_cast<DWORD>(bufferSize), got);
            std::wstring readError = ok ? L"" : LastErrorText();
            // Bytes handed over by a failing read still belong to the answer.
            if (got > 0 && response->Write(buffer.get(), got) != static_cast<int64_t>(got)) {
              errorText = L"将响应报文写入流失败：" + LastErrorText();
              break;
            }
            if (!ok) {
              errorText = L"读取响应报文失败：" + readError;
              break;
            }
            received += got;
            if (got == 0) {
              if (announced.Kind == lkValue && received != announced.Value)
                errorText = L"读取响应报文失败：收到" + std::to_wstring(received) + L"字节，应为" +
                            std::to_wstring(announced.Value) + L"字节。";
              else
                result = true;
              break;
            }
          }
        }
      }
    }
    if (!errorText.empty()) AppendText(response, errorText, utf8Failure);
  } catch (...) {
    result = false;
    try {
      AppendText(response, L"[THttpClient._HttpRequest]" + CurrentExceptionMessage(), utf8Failure);
    } catch (...) {
      // The response stream itself failed: the result alone reports the failure.
    }
  }
  return result;
}

bool THttpClient::GetStream(const std::wstring& url, const std::wstring& extraHeaders, const TStreamRef& response) {
  std::wstring headers;
  return _HttpRequest(L"GET", url, extraHeaders, headers, nullptr, response);
}

bool THttpClient::GetText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& text, bool utf8) {
  text.clear();
  auto stream = std::make_shared<TMemoryStream>();
  std::wstring headers;
  // The failure text is written so that it reads right in the decoding asked for.
  bool result = _HttpRequest(L"GET", url, extraHeaders, headers, nullptr, stream, utf8);
  text = Decode(*stream, utf8);
  return result;
}

bool THttpClient::CheckUrl(const std::wstring& url) {
  std::wstring text;
  return GetText(url, L"", text, true);
}

bool THttpClient::Post(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                       const TStreamRef& request, const TStreamRef& response) {
  return _HttpRequest(L"POST", url, extraHeaders, responseHeaders, request, response);
}

bool THttpClient::PostText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                           const std::wstring& requestText, std::wstring& responseText, bool utf8) {
  responseText.clear();
  auto request = std::make_shared<TMemoryStream>(WideToAnsi(requestText));
  auto response = std::make_shared<TMemoryStream>();
  bool result = _HttpRequest(L"POST", url, extraHeaders, responseHeaders, request, response, utf8);
  responseText = Decode(*response, utf8);
  return result;
}

bool THttpClient::PostStreamText(const std::wstring& url, const std::wstring& extraHeaders,
                                 std::wstring& responseHeaders, const TStreamRef& request, std::wstring& responseText,
                                 bool utf8) {
  responseText.clear();
  auto response = std::make_shared<TMemoryStream>();
  bool result = _HttpRequest(L"POST", url, extraHeaders, responseHeaders, request, response, utf8);
  responseText = Decode(*response, utf8);
  return result;
}

bool THttpClient::PostTextStream(const std::wstring& url, const std::wstring& extraHeaders,
                                 std::wstring& responseHeaders, const std::wstring& requestText,
                                 const TStreamRef& response) {
  auto request = std::make_shared<TMemoryStream>(WideToAnsi(requestText));
  return Post(url, extraHeaders, responseHeaders, request, response);
}

}  // namespace qs
