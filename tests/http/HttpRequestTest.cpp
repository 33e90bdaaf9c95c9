// The request/response calls against our scriptable server on loopback: texts and
// streams, the failure texts appended to the answer, the raw response headers, the ANSI
// request body, the decoding, and the streams' positions.
#include <gtest/gtest.h>

#include "base/SysError.h"
#include "tests/http/DownloadTestSupport.h"

using namespace qs;
using namespace qs::test;

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

// A stream that cannot tell its size, or refuses to be written.
class TBrokenStream : public IByteStream {
public:
  explicit TBrokenStream(bool noSize) : FNoSize(noSize) {}
  int64_t Read(void* b, int64_t n) override { return FData.Read(b, n); }
  int64_t Write(const void* b, int64_t n) override { return FNoSize ? FData.Write(b, n) : 0; }
  void SetSize(int64_t size) override { FData.SetSize(size); }
  int64_t Size() const override { return FNoSize ? -1 : FData.Size(); }
  int64_t Position() const override { return FData.Position(); }
  void Seek(int64_t position) override { FData.Seek(position); }

private:
  bool FNoSize;
  TMemoryStream FData;
};

class RequestTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Server().Running());
    Key = testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  std::wstring Url(const std::string& kind, const std::string& query = "") const {
    return Server().Url("/" + kind + "/" + Key + (query.empty() ? "" : "?" + query));
  }
  THttpClient Client;
  std::string Key;
};

TEST_F(RequestTest, EmptyBodyIsASuccessWithAnEmptyText) {
  std::wstring text = L"old";
  EXPECT_TRUE(Client.GetText(Url("f", "body="), L"", text, true));
  EXPECT_EQ(text, L"");
  EXPECT_TRUE(Client.CheckUrl(Url("f", "body=")));
}

TEST_F(RequestTest, NotFoundIsSentRetryCountTimesAndAnswersTheFailureText) {
  std::wstring text;
  EXPECT_FALSE(Client.GetText(Url("f", "status=404"), L"", text, true));
  EXPECT_TRUE(StartsWith(text, L"发生下载请求失败:")) << WideToUtf8(text);
  EXPECT_EQ(Server().Log(Key).size(), 3u);
  EXPECT_FALSE(Client.CheckUrl(Url("f", "status=404")));
}

TEST_F(RequestTest, RetryCountZeroSendsNothing) {
  Client.SetRetryCount(0);
  std::wstring text;
  EXPECT_FALSE(Client.GetText(Url("f"), L"", text, false));
  EXPECT_TRUE(StartsWith(text, L"发生下载请求失败:")) << WideToUtf8(text);
  EXPECT_TRUE(Server().Log(Key).empty());
}

TEST_F(RequestTest, ConnectionFailuresAnswerTheirTextAlone) {
  struct { const wchar_t* Url; const wchar_t* Text; } cases[] = {
      {L"https://127.0.0.1:1/x", L"URL类型不是HTTP！"},
      {L"ftp://127.0.0.1/x", L"URL类型不是HTTP！"},
      {L"", L"URL地址为空！"},
      {L"not a url", L"解析URL失败！"},
  };
  for (auto& c : cases) {
    std::wstring text;
    // The failure text reads right in either decoding of the answer.
    for (bool utf8 : {false, true}) {
      EXPECT_FALSE(Client.GetText(c.Url, L"", text, utf8)) << WideToUtf8(c.Url);
      EXPECT_EQ(text, c.Text) << WideToUtf8(c.Url);
    }
  }
  Client.SetAccessType(9);
  std::wstring text;
  EXPECT_FALSE(Client.GetText(Url("f"), L"", text, false));
  EXPECT_TRUE(StartsWith(text, L"打开一个Internet连接失败:")) << WideToUtf8(text);
  EXPECT_EQ(Client.GetLastErrorText(), L"") << "the request calls leave the last download error alone";
}

TEST_F(RequestTest, TextIsDecodedAsUtf8OrFromTheAnsiCodePage) {
  std::wstring text;
  ASSERT_TRUE(Client.GetText(Url("f", "bodyhex=e4bda0e5a5bd"), L"", text, true));
  EXPECT_EQ(text, L"你好");
  ASSERT_TRUE(Client.GetText(Url("f", "bodyhex=c4e3bac3"), L"", text, false));  // GBK
  EXPECT_EQ(text, L"你好");
}

TEST_F(RequestTest, PostTextSendsTheAnsiBodyAndReturnsTheAnswerAndRawHeaders) {
  std::wstring headers, answer;
  ASSERT_TRUE(Client.PostText(Url("echo"), L"X-Test: 1", headers, L"中文 text", answer, false));
  EXPECT_EQ(answer, L"中文 text");
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Method, "POST");
  EXPECT_EQ(log[0].BodyHex, Hex("\xD6\xD0\xCE\xC4 text"));  // the ANSI code page (936), not UTF-8
  EXPECT_NE(log[0].HeaderNames.find("X-Test"), std::string::npos);
  EXPECT_TRUE(StartsWith(headers, L"HTTP/1.1 200")) << WideToUtf8(headers);
  EXPECT_NE(headers.find(L"\r\nContent-Type: application/octet-stream\r\n"), std::wstring::npos);
  EXPECT_EQ(headers.substr(headers.size() - 4), L"\r\n\r\n");

  auto response = std::make_shared<TMemoryStream>();
  ASSERT_TRUE(Client.PostTextStream(Url("echo"), L"", headers, L"中文 text", response));
  EXPECT_EQ(response->Bytes(), "\xD6\xD0\xCE\xC4 text");
  EXPECT_EQ(Server().Log(Key).at(1).BodyHex, Hex("\xD6\xD0\xCE\xC4 text"));
}

TEST_F(RequestTest, RequestStreamIsReadFromItsPositionAndResponseIsEmptiedFirst) {
  auto request = std::make_shared<TMemoryStream>("0123456789");
  request->Seek(6);
  auto response = std::make_shared<TMemoryStream>("previous answer, longer than the new one");
  response->Seek(5);
  std::wstring headers = L"kept";
  ASSERT_TRUE(Client.Post(Url("echo"), L"", headers, request, response));
  EXPECT_EQ(response->Bytes(), "6789");
  std::wstring text;
  request->Seek(8);
  ASSERT_TRUE(Client.PostStreamText(Url("echo"), L"", headers, request, text, true));
  EXPECT_EQ(text, L"89");
}

TEST_F(RequestTest, ResponseHeadersStayWhenTheCallStopsEarly) {
  std::wstring headers = L"kept";
  auto response = std::make_shared<TMemoryStream>();
  EXPECT_FALSE(Client.Post(L"https://127.0.0.1:1/", L"", headers, nullptr, response));
  EXPECT_EQ(headers, L"kept");
}

TEST_F(RequestTest, ABodyThatCannotTellItsSizeIsAnAssertionText) {
  std::wstring headers, text;
  auto request = std::make_shared<TBrokenStream>(true);
  EXPECT_FALSE(Client.PostStreamText(Url("echo"), L"", headers, request, text, false));
  EXPECT_EQ(text, L"[THttpClient._HttpRequest]Assertion failure (f_HttpClientImpl, line 1444)");
  EXPECT_TRUE(Server().Log(Key).empty());
}

TEST_F(RequestTest, StreamCallsAppendTheFailureTextInTheAnsiCodePage) {
  auto response = std::make_shared<TMemoryStream>();
  EXPECT_FALSE(Client.GetStream(L"https://127.0.0.1:1/", L"", response));
  EXPECT_EQ(response->Bytes(), "URL\xC0\xE0\xD0\xCD\xB2\xBB\xCA\xC7HTTP\xA3\xA1");  // GBK
}

TEST_F(RequestTest, AResponseStreamThatRefusesWritesFails) {
  auto response = std::make_shared<TBrokenStream>(false);
  EXPECT_FALSE(Client.GetStream(Url("f", "size=100"), L"", response));
}

// A connection closed before the announced length ends like a complete answer in the
// library; the call counts the bytes and fails, after whatever part arrived.
TEST_F(RequestTest, AnAnswerCutShortFailsAfterThePartThatArrived) {
  std::wstring text;
  EXPECT_FALSE(Client.GetText(Url("f", "body=abcdefghij&drop=4"), L"", text, false));
  EXPECT_EQ(text, L"abcd读取响应报文失败：收到4字节，应为10字节。");
}

TEST_F(RequestTest, ResponseWithoutLengthIsReadToTheEnd) {
  std::wstring text;
  EXPECT_TRUE(Client.GetText(Url("f", "body=whole%20answer&nolen=1"), L"", text, true));
  EXPECT_EQ(text, L"whole answer");
  EXPECT_TRUE(Client.GetText(Url("f", "body=chunked%20answer&chunked=1"), L"", text, true));
  EXPECT_EQ(text, L"chunked answer");
}

}  // namespace
