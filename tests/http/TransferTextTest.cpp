// The engine's texts: URL encoding, speed and time, header values, sidecar dates.
#include "http/TransferText.h"

#include <gtest/gtest.h>

using namespace qs;

TEST(UrlEncoding, RunsOfNonAsciiBecomeUtf8PercentForms) {
  struct { std::wstring In, Out; } cases[] = {
      {L"", L""},
      {L"/a b/%20?x=1", L"/a b/%20?x=1"},  // ASCII untouched, spaces and percent signs included
      {L"/hub/包.exe", L"/hub/%E5%8C%85.exe"},
      {L"/湖北/包", L"/%E6%B9%96%E5%8C%97/%E5%8C%85"},  // two runs, the slash kept
      {L"/uploads/hub/Velmora（湖北）（完整安装包）.exe",
       L"/uploads/hub/Velmora%EF%BC%88%E6%B9%96%E5%8C%97%EF%BC%89%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85%E5%8C%85%EF%BC%89.exe"},
      {std::wstring(L"x") + static_cast<wchar_t>(0x80) + L"y", std::wstring(L"x") + static_cast<wchar_t>(0x80) + L"y"},
      {std::wstring(L"/") + static_cast<wchar_t>(0xD83D) + static_cast<wchar_t>(0xDE00), L"/%F0%9F%98%80"},
  };
  for (auto& c : cases) EXPECT_EQ(EncodeUrlNonAscii(c.In), c.Out);
  EXPECT_EQ(UrlEncodeUtf8(L"a b!$'()*-.@_~/"), L"a+b!$'()*-.@_%7E%2F");
}

TEST(TransferTexts, SpeedAndRemainingTime) {
  struct { double In; const char* Out; } speeds[] = {
      {-1, "--"}, {0, "0.00B/S"}, {1024, "1024.00B/S"}, {1025, "1.00KB/S"}, {1536, "1.50KB/S"},
      {1048576, "1024.00KB/S"}, {2305843009213693952.0, "2048.00PB/S"},
  };
  for (auto& c : speeds) EXPECT_EQ(FormatSpeed(c.In), c.Out) << c.In;
  struct { int64_t In; std::string Out; } times[] = {
      {-1, "--:--:--"}, {0, "00:00:00"}, {999, "00:00:00"}, {3725000, "01:02:05"}, {86399999, "23:59:59"},
      {86400000, "1\xCC\xEC "}, {86313600000, "999\xCC\xEC "}, {86400000000, "\xB4\xF3\xD3\xDA" "999\xCC\xEC..."},
  };
  for (auto& c : times) EXPECT_EQ(FormatRemainTime(c.In), c.Out) << c.In;
}

TEST(HeaderValues, LengthsDatesAndRanges) {
  EXPECT_EQ(ParseContentLength(L"5368709120"), 5368709120LL);  // past 4 GiB
  EXPECT_EQ(ParseContentLength(L" 12 "), 12);
  for (auto bad : {L"", L"-1", L"1e3", L"12a", L"9999999999999999999999"}) EXPECT_FALSE(ParseContentLength(bad)) << bad;

  THttpTime t{1994, 11, 6, 8, 49, 37};
  EXPECT_EQ(ParseHttpDate(L"Sun, 06 Nov 1994 08:49:37 GMT"), t);
  EXPECT_EQ(ParseHttpDate(L"Sunday, 06-Nov-94 08:49:37 GMT"), t);
  EXPECT_EQ(ParseHttpDate(L"Sun Nov  6 08:49:37 1994"), t);
  for (auto bad : {L"", L"yesterday", L"Sunday, 99-Foo-2024 25:61:00 GMT", L"Sun, 31 Feb 2026 00:00:00 GMT",
                   L"Sun, 06 Nov 1994 24:00:00 GMT"})
    EXPECT_FALSE(ParseHttpDate(bad)) << bad;

  EXPECT_EQ(FormatSidecarTime(t), L"1994-11-06 08:49:37");
  EXPECT_EQ(FormatSidecarTime(std::nullopt), L"1899-12-30 00:00:00");

  auto r = ParseContentRange(L"bytes 100-4999/5000");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->First, 100);
  EXPECT_EQ(r->Last, 4999);
  EXPECT_EQ(r->Total, 5000);
  EXPECT_EQ(ParseContentRange(L"bytes 0-9/*")->Total, -1);
  for (auto bad : {L"", L"bytes */5000", L"items 1-2/3", L"bytes 9-1/10", L"bytes 0-9/9"})
    EXPECT_FALSE(ParseContentRange(bad)) << bad;
}

TEST(HeaderValues, ExtraLinesAreSplitAndTrimmed) {
  EXPECT_EQ(SplitHeaderLines(L"  X-A: 1 \r\n\r\n\tX-B:2\n\rX-C:3\r"),
            (std::vector<std::wstring>{L"X-A: 1", L"X-B:2", L"X-C:3"}));
  EXPECT_TRUE(SplitHeaderLines(L" \r\n ").empty());
}
