// The demo installer, run the way the program runs the package: under the package's name,
// with the filler the test servers append, from a folder other than the current one.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

TEST(DemoInstaller, RecordsItsCommandLineAndPathBesideItselfAndEndsWithZero) {
  TScratchDir dir(L"demo");
  std::wstring exe = dir / L"Velmora（湖北）（完整安装包）.exe";
  std::string program = ReadFileBytes(BinDir() + L"demo_installer.exe");
  ASSERT_GT(program.size(), 1024u);
  ASSERT_TRUE(WriteFileBytes(exe, program + std::string(256 * 1024, '\x5A')));

  TChild child(exe, L"/S --lang=zh", BinDir());
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(15000), 0);

  std::string record = ReadFileBytes(dir / L"demo-installer-ran.txt");
  EXPECT_EQ(record, "command line: \"" + WideToUtf8(exe) + "\" /S --lang=zh\r\npath: " + WideToUtf8(exe) + "\r\n");
}
