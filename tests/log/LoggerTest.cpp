// TLogger against real files and real native controls.
#include "log/Logger.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "base/Error.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

std::wstring TodayName() {
  SYSTEMTIME st;
  ::GetLocalTime(&st);
  wchar_t buf[64];
  std::wstring exe = ExeFileName();
  swprintf(buf, 64, L"_%04u%02u%02u.log", st.wYear, st.wMonth, st.wDay);
  return exe.substr(0, exe.find_last_of(L'.')) + buf;
}

// Each line: "hh:nn:ss.zzz " then the rest.
void ExpectLine(const std::string& line, const std::string& rest) {
  ASSERT_GE(line.size(), 13u);
  EXPECT_EQ(line[2], ':');
  EXPECT_EQ(line[5], ':');
  EXPECT_EQ(line[8], '.');
  EXPECT_EQ(line[12], ' ');
  EXPECT_EQ(line.substr(13), rest);
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> out;
  size_t start = 0, crlf;
  while ((crlf = bytes.find("\r\n", start)) != std::string::npos) {
    out.push_back(bytes.substr(start, crlf - start));
    start = crlf + 2;
  }
  EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
  return out;
}

TEST(Logger, WritesDailyFileWithLevelsAppendsAndShares) {
  TScratchDir dir;
  std::wstring path = dir.Path() + TodayName();
  {
    TLogger log(nullptr, dir.Path());
    log.WriteLog(WideToAnsi(L"第一行"), llInformation);
    EXPECT_EQ(log.LogFileName(), TodayName());
    // Another process may read and write the file while the logger holds it.
    HANDLE other = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE) << "a new file is held without sharing until the next write";
    log.WriteLog("", llNotice);
    other = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE) << "an existing file is opened for shared writing";
    if (other != INVALID_HANDLE_VALUE) ::CloseHandle(other);
    log.WriteLog("warn", llWarning);
    log.WriteLog("err", llError);
    log.WriteLog("plain", 7);
    log.WriteLog("container only", -1);
  }
  auto lines = Lines(ReadFileBytes(path));
  ASSERT_EQ(lines.size(), 5u);
  ExpectLine(lines[0], WideToAnsi(L"[Information] 第一行"));
  ExpectLine(lines[1], "[Notice] ");
  ExpectLine(lines[2], "[Warning] warn");
  ExpectLine(lines[3], "[Error] err");
  ExpectLine(lines[4], "plain");
  // The Chinese text is stored in the ANSI code page (GBK), no byte-order mark.
  EXPECT_NE(ReadFileBytes(path).find("\xB5\xDA\xD2\xBB\xD0\xD0"), std::string::npos);

  // A later logger of the same day appends after the last byte.
  {
    TLogger again(nullptr, dir.Path());
    again.WriteLog("again", llInformation);
  }
  lines = Lines(ReadFileBytes(path));
  ASSERT_EQ(lines.size(), 6u);
  ExpectLine(lines[5], "[Information] again");
}

TEST(Logger, DefaultFolderIsBesideTheProgramAndBlanksSelectIt) {
  for (std::wstring folder : {std::wstring(), std::wstring(L"  \t ")}) {
    TLogger log(nullptr, folder);
    EXPECT_EQ(log.LogPath(), ExeDir() + L"Velmora\\Log\\");
    EXPECT_TRUE(DirectoryExists(log.LogPath()));
  }
}

TEST(Logger, FolderWithoutSeparatorGluesTheNameToIt) {
  TScratchDir dir;
  std::wstring folder = dir / L"logs";
  TLogger log(nullptr, folder);
  log.WriteLog("x", 0);
  EXPECT_TRUE(FileExists(folder + TodayName()));  // beside "logs", named "logs<exe>_<date>.log"
  EXPECT_TRUE(DirectoryExists(folder));
}

TEST(Logger, FailuresRaiseTheirTexts) {
  TScratchDir dir;
  // A folder that cannot be made: its parent is a file.
  WriteFileBytes(dir / L"file", "x");
  try {
    TLogger bad(nullptr, dir / L"file\\sub\\");
    FAIL() << "no exception";
  } catch (const EQsError& e) {
    EXPECT_EQ(e.Message(), L"日志路径错误，日志类对象不能被创建");
  }
  // The file held exclusively by another process: the write raises, the next one retries.
  TLogger log(nullptr, dir.Path());
  std::wstring path = dir.Path() + TodayName();
  HANDLE lock = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_THROW(log.WriteLog("locked", 0), EQsError);
  ::CloseHandle(lock);
  log.WriteLog("free", 0);
  auto lines = Lines(ReadFileBytes(path));
  ASSERT_EQ(lines.size(), 1u);
  ExpectLine(lines[0], "[Information] free");
}

TEST(Logger, MirrorsIntoMemoListBoxAndListView) {
  TScratchDir dir;
  HWND memo = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  HWND view = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    col.cx = 80;
    ::SendMessageW(view, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
  {
    TLogger toMemo(memo, dir.Path());
    toMemo.WriteLog(WideToAnsi(L"甲"), -1);  // negative: container only
    toMemo.WriteLog(WideToAnsi(L"乙"), 0);
    wchar_t buf[256] = {};
    ::GetWindowTextW(memo, buf, 256);
    std::wstring text = buf;
    EXPECT_EQ(::SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(text.substr(4, 1), L"/");  // "yyyy/mm/dd hh:nn:ss.zzz text"
    EXPECT_EQ(text.substr(24, 3), L"甲\r\n");
  }
  EXPECT_EQ(Lines(ReadFileBytes(dir.Path() + TodayName())).size(), 1u) << "the negative level reached no file";
  {
    TScratchDir listDir, viewDir;
    TLogger toList(list, listDir.Path());
    toList.WriteLog(WideToAnsi(L"丙"), 0);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);

    TLogger toView(view, viewDir.Path());
    toView.WriteLog(WideToAnsi(L"丁"), 2);
    EXPECT_EQ(::SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), 1);
    wchar_t sub[64] = {};
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = sub;
    item.cchTextMax = 64;
    ::SendMessageW(view, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(sub, L"丁");

    // The list box is cleared when its 1001st entry arrives.
    for (int i = 1; i < 1000; ++i) toList.WriteLog("x", -1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1000);
    toList.WriteLog("x", -1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  }
  // Any other kind of control is refused, and that entry reaches no file.
  HWND button = ::CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  TScratchDir other;
  TLogger toButton(button, other.Path());
  try {
    toButton.WriteLog("x", 0);
    FAIL() << "no exception";
  } catch (const EQsError& e) {
    EXPECT_EQ(e.Message(), L"日志容器类型不支持:Button");
  }
  EXPECT_FALSE(FileExists(other.Path() + TodayName()));
  for (HWND w : {memo, list, view, button}) ::DestroyWindow(w);
}

}  // namespace
