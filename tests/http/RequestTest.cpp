// The request/response calls against the scriptable server: answers as text and in
// streams, the ANSI request body, the stream positions, and the failure texts.
#include <gtest/gtest.h>

#include "http/HttpClientImpl.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

std::wstring ServerDir() {
  std::wstring d = L"Z:" + Utf8ToWide(QS_HTTP_SERVER_DIR);
  for (auto& c : d)
    if (c == L'/') c = L'\\';
  return IncludeTrailingBackslash(d);
}

std::wstring Url(const std::wstring& pathAndQuery) {
  return L"http://127.0.0.1:" + Utf8ToWide(ReadFileBytes(ServerDir() + L"port")) + pathAndQuery;
}

size_t CountRequests(const std::string& prefix) {
  std::string log = ReadFileBytes(ServerDir() + L"requests.log");
  size_t n = 0;
  for (size_t p = log.find(prefix); p != std::string::npos; p = log.find(prefix, p + 1)) ++n;
  return n;
}

// A stream that cannot tell its size.
struct TSizelessStream : TMemoryStream {
  int64_t Size() const override { return -1; }
};

TEST(HttpRequest, GetTextOfAnEmptyBodyAndOfFailures) {
  THttpClient client;
  std::wstring text = L"old";
  EXPECT_TRUE(client.GetText(Url(L"/empty?size=0"), L"", text, true));
  EXPECT_EQ(text, L"");

  client.SetRetryCount(2);
  EXPECT_FALSE(client.GetText(Url(L"/missing?status=404"), L"", text, true));
  EXPECT_EQ(text.rfind(L"发生下载请求失败:", 0), 0u) << WideToUtf8(text);
  EXPECT_EQ(CountRequests("GET /missing?status=404"), 2u);

  client.SetRetryCount(0);
  EXPECT_FALSE(client.GetText(Url(L"/never?size=1"), L"", text, false));
  EXPECT_EQ(text.rfind(L"发生下载请求失败:", 0), 0u);
  EXPECT_EQ(CountRequests("GET /never"), 0u) << "nothing is sent";

  EXPECT_FALSE(client.CheckUrl(L"https://127.0.0.1/x"));
  EXPECT_FALSE(client.GetText(L"https://127.0.0.1/x", L"", text, true));
  EXPECT_EQ(text, L"URL类型不是HTTP！");
  EXPECT_TRUE(THttpClient().CheckUrl(Url(L"/ok?size=10")));
  EXPECT_EQ(client.GetLastErrorText(), L"") << "the request calls leave the last download error alone";
}

TEST(HttpRequest, PostSendsTheAnsiBodyAndReturnsTheAnswerAndHeaders) {
  THttpClient client;
  std::wstring headers, answer;
  const std::wstring body = L"名称=湖北&x=1";
  ASSERT_TRUE(client.PostText(Url(L"/echo"), L"X-Test: 1", headers, body, answer, false));
  EXPECT_EQ(ReadFileBytes(ServerDir() + L"echo.bin"), WideToAnsi(body));
  EXPECT_EQ(answer, body);
  EXPECT_EQ(headers.rfind(L"HTTP/1.", 0), 0u);
  EXPECT_NE(headers.find(L"X-Method: POST\r\n"), std::wstring::npos);

  auto response = std::make_shared<TMemoryStream>(std::string("stale bytes"));
  ASSERT_TRUE(client.PostTextStream(Url(L"/echo"), L"", headers, L"abc", response));
  EXPECT_EQ(response->Bytes(), "abc") << "the response stream is emptied first";
}

TEST(HttpRequest, ARequestStreamIsSentFromItsPosition) {
  THttpClient client;
  auto request = std::make_shared<TMemoryStream>(std::string("0123456789"));
  request->Seek(6);
  std::wstring headers, answer;
  ASSERT_TRUE(client.PostStreamText(Url(L"/echo"), L"", headers, request, answer, true));
  EXPECT_EQ(answer, L"6789");
  auto out = std::make_shared<TMemoryStream>();
  request->Seek(8);
  ASSERT_TRUE(client.Post(Url(L"/echo"), L"", headers, request, out));
  EXPECT_EQ(out->Bytes(), "89");
}

TEST(HttpRequest, AStreamWithoutASizeIsReportedNotThrown) {
  THttpClient client;
  std::wstring headers;
  auto out = std::make_shared<TMemoryStream>();
  EXPECT_FALSE(client.Post(Url(L"/echo"), L"", headers, std::make_shared<TSizelessStream>(), out));
  EXPECT_EQ(AnsiToWide(out->Bytes()), L"[THttpClient._HttpRequest]Assertion failure (f_HttpClientImpl, line 1444)");
}

}  // namespace
