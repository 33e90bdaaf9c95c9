// The request/response calls: a GET or a POST whose whole answer goes into a stream or
// a text. A failure comes back as False with its text appended to the response: in the
// ANSI code page for a stream, in the caller's decoding for a text (so a UTF-8 caller
// reads the Chinese failure text, not mojibake).
#include <windows.h>

#include <memory>

#include "base/Error.h"
#include "base/SysError.h"
#include "base/Text.h"
#include "http/HttpClientImpl.h"
#include "http/HttpHelpers.h"
#include "http/TransferText.h"

namespace qs {
namespace {

std::wstring Decode(const std::string& bytes, bool utf8) { return utf8 ? Utf8ToWide(bytes) : AnsiToWide(bytes); }

TStreamRef TextStream(const std::wstring& text) { return std::make_shared<TMemoryStream>(WideToAnsi(text)); }

}  // namespace

bool THttpClient::HttpRequest(const std::wstring& method, const std::wstring& url, const std::wstring& extraHeaders,
                              std::wstring& responseHeaders, IByteStream* request, IByteStream& response,
                              bool utf8Failure) {
  bool result = false;
  std::wstring errorText;
  try {
    response.SetSize(0);
    std::wstring objectPath = EncodeUrlNonAscii(url);
    TInternetConnection conn;
    bool isHttps = false;
    if (CreateInternetConnect(objectPath, conn, errorText, isHttps)) {
      TInternetHandle req(inet::OpenRequest(conn.Connection.Get(), method, objectPath, isHttps));
      std::wstring headers;
      if (!AddRequestHeaders(req.Get(), extraHeaders, false, 0)) {
        errorText = L"组织请求头失败！";
      } else if (!SendRequestWithRetry(req.Get(), FSettings.RetryCount, request)) {
        errorText = L"发生下载请求失败:" + LastErrorText();
      } else if (!inet::QueryRawHeaders(req.Get(), headers)) {
        errorText = L"获取响应头失败:" + LastErrorText();
      } else {
        responseHeaders = headers;
        DWORD size = static_cast<DWORD>(FSettings.BufferSize > 0 ? FSettings.BufferSize : 1);
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
        if (!buffer) {
          ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
          errorText = L"创建缓冲区失败:" + LastErrorText();
        }
        while (buffer) {
          DWORD read = 0;
          if (!inet::ReadData(req.Get(), buffer.get(), size, read)) {
            errorText = L"读取响应报文失败：" + LastErrorText();
            break;
          }
          if (read == 0) {
            result = true;
            break;
          }
          if (response.Write(buffer.get(), read) != read) {
            errorText = L"将响应报文写入流失败：" + LastErrorText();
            break;
          }
        }
      }
    }
  } catch (const std::exception& e) {
    result = false;
    errorText = L"[THttpClient._HttpRequest]" + ExceptionText(e);
  }
  if (!errorText.empty()) {
    std::string bytes = utf8Failure ? WideToUtf8(errorText) : WideToAnsi(errorText);
    response.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  return result;
}

bool THttpClient::GetStream(const std::wstring& url, const std::wstring& extraHeaders, const TStreamRef& response) {
  std::wstring headers;
  return HttpRequest(L"GET", url, extraHeaders, headers, nullptr, *response);
}

bool THttpClient::GetText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& text, bool utf8) {
  text.clear();
  TMemoryStream answer;
  std::wstring headers;
  bool ok = HttpRequest(L"GET", url, extraHeaders, headers, nullptr, answer, utf8);
  text = Decode(answer.Bytes(), utf8);
  return ok;
}

bool THttpClient::Post(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                       const TStreamRef& request, const TStreamRef& response) {
  return HttpRequest(L"POST", url, extraHeaders, responseHeaders, request.get(), *response);
}

bool THttpClient::PostText(const std::wstring& url, const std::wstring& extraHeaders, std::wstring& responseHeaders,
                           const std::wstring& requestText, std::wstring& responseText, bool utf8) {
  responseText.clear();
  TMemoryStream answer;
  bool ok = HttpRequest(L"POST", url, extraHeaders, responseHeaders, TextStream(requestText).get(), answer, utf8);
  responseText = Decode(answer.Bytes(), utf8);
  return ok;
}

bool THttpClient::PostStreamText(const std::wstring& url, const std::wstring& extraHeaders,
                                 std::wstring& responseHeaders, const TStreamRef& request, std::wstring& responseText,
                                 bool utf8) {
  responseText.clear();
  TMemoryStream answer;
  bool ok = HttpRequest(L"POST", url, extraHeaders, responseHeaders, request.get(), answer, utf8);
  responseText = Decode(answer.Bytes(), utf8);
  return ok;
}

bool THttpClient::PostTextStream(const std::wstring& url, const std::wstring& extraHeaders,
                                 std::wstring& responseHeaders, const std::wstring& requestText,
                                 const TStreamRef& response) {
  return Post(url, extraHeaders, responseHeaders, TextStream(requestText), response);
}

bool THttpClient::CheckUrl(const std::wstring& url) {
  std::wstring text;
  return GetText(url, L"", text, true);
}

}  // namespace qs
