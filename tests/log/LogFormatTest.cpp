// The log's line layout and file name.
#include "log/LogFormat.h"

#include <gtest/gtest.h>

using namespace qs;

TEST(LogFormat, LinesCarryTimeLevelPrefixTextAndCrLf) {
  TLocalTime t{2026, 12, 9, 14, 3, 27, 52};
  std::string time = FormatLogTime(t, ":");
  EXPECT_EQ(time, "14:03:27.052");
  struct { int Level; std::string Text, Line; } cases[] = {
      {llInformation, "下载失败", "14:03:27.052 [Information] 下载失败\r\n"},
      {llNotice, "", "14:03:27.052 [Notice] \r\n"},
      {llWarning, "w", "14:03:27.052 [Warning] w\r\n"},
      {llError, "e", "14:03:27.052 [Error] e\r\n"},
      {7, "plain", "14:03:27.052 plain\r\n"},
      {0, std::string("cut\0here", 8), "14:03:27.052 [Information] cut"},  // up to the first NUL
  };
  for (auto& c : cases) EXPECT_EQ(ComposeLogLine(time, c.Level, c.Text), c.Line) << c.Level;
}

TEST(LogFormat, FileNameAndContainerStamp) {
  TLocalTime t{2026, 12, 9, 0, 1, 2, 3};
  EXPECT_EQ(LogFileName("Quillsend", t), "Quillsend_20261209.log");
  EXPECT_EQ(FormatLogStamp(t, "/", ":"), "2026/12/09 00:01:02.003");
  EXPECT_EQ(FormatLogStamp(t, "-", "."), "2026-12-09 00.01.02.003");
}
