// The engine's pure text work: URL encoding, speed and time texts, header values read
// as text, the sidecar's date form and the request header lines.
#include <gtest/gtest.h>

#include <cmath>

#include "http/HeaderValues.h"
#include "http/TransferText.h"
#include "http/UrlEncoding.h"

using namespace qs;

TEST(UrlEncoding, EncodeUrlNonAscii) {
  struct { const wchar_t* In; const wchar_t* Out; } cases[] = {
      {L"", L""},
      {L"http://h/a b%20c?x=1&y=~", L"http://h/a b%20c?x=1&y=~"},  // ASCII untouched, spaces included
      {L"/hub/包.exe", L"/hub/%E5%8C%85.exe"},
      {L"a湖北b", L"a%E6%B9%96%E5%8C%97b"},                   // one run, one sequence
      {L"湖/北", L"%E6%B9%96/%E5%8C%97"},                     // two runs around "/"
      {L"/uploads/hub/Velmora（湖北）（完整安装包）.exe",
       L"/uploads/hub/Velmora%EF%BC%88%E6%B9%96%E5%8C%97%EF%BC%89%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85"
       L"%E5%8C%85%EF%BC%89.exe"},
      {L"\x80", L"\x80"},                                     // 0x80 counts as ASCII
      {L"\x81", L"%C2%81"},
      {L"é", L"%C3%A9"},
  };
  for (auto& c : cases) EXPECT_EQ(EncodeUrlNonAscii(c.In), c.Out) << testing::PrintToString(std::wstring(c.In));
}

TEST(UrlEncoding, UrlEncodeUtf8KeepsTheSafeSetAndEncodesTheRest) {
  EXPECT_EQ(UrlEncodeUtf8(L"aZ09!$'()*-.@_"), L"aZ09!$'()*-.@_");
  EXPECT_EQ(UrlEncodeUtf8(L"a b"), L"a+b");
  EXPECT_EQ(UrlEncodeUtf8(L"/?&=%~"), L"%2F%3F%26%3D%25%7E");
  EXPECT_EQ(UrlEncodeUtf8(L"包"), L"%E5%8C%85");
}

TEST(UrlEncoding, CharactersBeyondTheBasicPlane) {
  // U+1F600 as a surrogate pair (Windows) or one code point (Linux): the same four bytes.
  std::wstring smile;
  if constexpr (sizeof(wchar_t) == 2) smile = {wchar_t(0xD83D), wchar_t(0xDE00)};
  else smile = {wchar_t(0x1F600)};
  EXPECT_EQ(UrlEncodeUtf8(smile), L"%F0%9F%98%80");
  EXPECT_EQ(EncodeUrlNonAscii(L"a" + smile), L"a%F0%9F%98%80");
}

TEST(TransferText, FormatSpeed) {
  struct { double In; const wchar_t* Out; } cases[] = {
      {-1, L"--"}, {std::nan(""), L"--"}, {0, L"0.00B/S"}, {1024, L"1024.00B/S"}, {1025, L"1.00KB/S"},
      {1536, L"1.50KB/S"}, {1048576, L"1024.00KB/S"}, {1048577, L"1.00MB/S"},
      {1024.0 * 1024 * 1024 * 1024 * 1024 * 2, L"2.00PB/S"},
      {1024.0 * 1024 * 1024 * 1024 * 1024 * 1024 * 4, L"4096.00PB/S"},  // PB is the last unit
  };
  for (auto& c : cases) EXPECT_EQ(FormatSpeed(c.In), c.Out) << c.In;
}

TEST(TransferText, FormatRemainTime) {
  struct { int64_t In; const wchar_t* Out; } cases[] = {
      {-1, L"--:--:--"}, {0, L"00:00:00"}, {999, L"00:00:00"}, {3725000, L"01:02:05"},
      {86399999, L"23:59:59"}, {86400000, L"1天 "}, {86313600000, L"999天 "},
      {86400000000, L"大于999天..."}, {INT64_MAX, L"大于999天..."},
  };
  for (auto& c : cases) EXPECT_EQ(FormatRemainTime(c.In), c.Out) << c.In;
}

TEST(HeaderValues, ContentLengthIsReadAsSixtyFourBits) {
  struct { const char* In; TLengthKind Kind; uint64_t Value; } cases[] = {
      {"0", lkValue, 0}, {" 1234 ", lkValue, 1234}, {"4294967296", lkValue, 4294967296ULL},
      {"18446744073709551615", lkValue, UINT64_MAX}, {"18446744073709551616", lkTooLarge, 0},
      {"99999999999999999999999999", lkTooLarge, 0}, {"", lkNone, 0}, {"-5", lkNone, 0}, {"12a", lkNone, 0},
      {"1 2", lkNone, 0}, {"+3", lkNone, 0},
  };
  for (auto& c : cases) {
    TContentLength got = ParseContentLength(c.In);
    EXPECT_EQ(got.Kind, c.Kind) << c.In;
    EXPECT_EQ(got.Value, c.Value) << c.In;
  }
}

TEST(HeaderValues, HttpDateForms) {
  THttpDate want{1994, 11, 6, 8, 49, 37};
  EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), want);
  EXPECT_EQ(ParseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT"), want);
  EXPECT_EQ(ParseHttpDate("Sun Nov  6 08:49:37 1994"), want);
  EXPECT_EQ(ParseHttpDate("Thu, 29 Feb 2024 23:59:59 GMT"), (THttpDate{2024, 2, 29, 23, 59, 59}));
  EXPECT_EQ(ParseHttpDate("Wed, 01-Jan-25 00:00:00 GMT"), (THttpDate{2025, 1, 1, 0, 0, 0}));
}

TEST(HeaderValues, MalformedDatesCountAsNone) {
  const char* bad[] = {"", "garbage", "Sun, 06 Nov 1994 08:49:37", "Sun, 06 Foo 1994 08:49:37 GMT",
                       "Sun, 31 Feb 1994 08:49:37 GMT", "Sun, 06 Nov 1994 24:00:00 GMT", "Sun, 06 Nov 1994 8:49 GMT",
                       "Sun, 29 Feb 2023 00:00:00 GMT", "Sun, 06 Nov 0000 08:49:37 GMT", "Sun, -1 Nov 1994 08:49:37 GMT",
                       "Sun Nov  6 08:49:37 94", ",", "Sun, 06 Nov 1994 08:49:37 GMT trailing"};
  for (const char* b : bad) EXPECT_FALSE(ParseHttpDate(b)) << b;
}

TEST(HeaderValues, ContentRange) {
  auto r = ParseContentRange("bytes 100-199/200");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->First, 100u);
  EXPECT_EQ(r->Last, 199u);
  EXPECT_EQ(r->Total, 200u);
  auto big = ParseContentRange("bytes 5000000000-5000000009/5000000010");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->First, 5000000000ULL);
  auto star = ParseContentRange("bytes 0-9/*");
  ASSERT_TRUE(star);
  EXPECT_FALSE(star->Total);
  for (const char* bad : {"", "bytes", "bytes 9-1/10", "bytes 0-10/10", "items 0-1/2", "bytes 0-1/2x", "bytes */10"})
    EXPECT_FALSE(ParseContentRange(bad)) << bad;
}

TEST(HeaderValues, SidecarDate) {
  EXPECT_EQ(FormatSidecarDate(0), "1899-12-30 00:00:00");
  double dt = DateTimeFromHttpDate({1994, 11, 6, 8, 49, 37});
  EXPECT_NEAR(dt, 34644.36779, 1e-5);
  EXPECT_EQ(FormatSidecarDate(dt), "1994-11-06 08:49:37");
  EXPECT_EQ(FormatSidecarDate(DateTimeFromHttpDate({2024, 2, 29, 23, 59, 59})), "2024-02-29 23:59:59");
  EXPECT_EQ(FormatSidecarDate(DateTimeFromHttpDate({1601, 1, 1, 0, 0, 0})), "1601-01-01 00:00:00");
}

TEST(HeaderValues, RequestHeaderLines) {
  auto base = RequestHeaderLines("", false, 0);
  ASSERT_EQ(base.size(), 4u);
  EXPECT_EQ(base[0].rfind("User-Agent:Mozilla/5.0 (compatible; MSIE 9.0;", 0), 0u);
  EXPECT_EQ(base[1], "Accept:text/html,application/xhtml+xml,application/xml,application/json;q=0.9,*/*;q=0.8");
  EXPECT_EQ(base[2], "Cache-control:no-cache");
  EXPECT_EQ(base[3], "Content-type:application/octet-stream");

  EXPECT_EQ(RequestHeaderLines("", true, 0).size(), 4u);  // a range from 0 is no range
  EXPECT_EQ(RequestHeaderLines("", false, 10).size(), 4u);
  auto ranged = RequestHeaderLines("", true, 5000000000ULL);
  ASSERT_EQ(ranged.size(), 6u);
  EXPECT_EQ(ranged[4], "Accept-Ranges:bytes");
  EXPECT_EQ(ranged[5], "Range: bytes=5000000000-");

  auto extra = RequestHeaderLines("  X-One: 1 \r\n\r\n\t\nX-Two:2\rX-Three:3\n", true, 7);
  ASSERT_EQ(extra.size(), 9u);
  EXPECT_EQ(extra[6], "X-One: 1");
  EXPECT_EQ(extra[7], "X-Two:2");
  EXPECT_EQ(extra[8], "X-Three:3");
}
