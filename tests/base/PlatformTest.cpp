// The test bench itself: the code page of the target systems, Chinese file names, and
// the small base helpers.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/Paths.h"
#include "base/SysError.h"
#include "base/Text.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

TEST(Platform, AnsiCodePageIs936AndChineseFileNamesRoundTrip) {
  EXPECT_EQ(::GetACP(), 936u);
  // GBK bytes of "湖北" through the ANSI conversions.
  EXPECT_EQ(WideToAnsi(L"湖北"), "\xBA\xFE\xB1\xB1");
  EXPECT_EQ(AnsiToWide("\xBA\xFE\xB1\xB1"), L"湖北");
  EXPECT_EQ(WideToUtf8(L"湖北"), "\xE6\xB9\x96\xE5\x8C\x97");

  TScratchDir dir;
  const std::wstring name = L"Velmora（湖北）（完整安装包）.exe";
  ASSERT_TRUE(WriteFileBytes(dir / name, "MZ"));
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((dir.Path() + L"*.exe").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(std::wstring(fd.cFileName), name);
  ::FindClose(h);
  // The ANSI call sees the same file under its GBK name.
  EXPECT_NE(::GetFileAttributesA(WideToAnsi(dir / name).c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder outside the ANSI code page works through the wide calls.
  std::wstring korean = dir / L"한국어\\深层";
  EXPECT_TRUE(ForceDirectories(korean));
  EXPECT_TRUE(DirectoryExists(korean));
  EXPECT_TRUE(WriteFileBytes(korean + L"\\f", "x"));
  EXPECT_TRUE(FileExists(korean + L"\\f"));
}

TEST(Platform, SystemErrorTextIsTrimmed) {
  std::wstring text = SysErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'.');
  EXPECT_NE(text.back(), L'。');
  EXPECT_GT(text.back(), L' ');
  EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
  EXPECT_EQ(SysErrorText(0x7FFFFFF0), L"错误代码 2147483632");
}
