// The whole road, with the program as it ships: Quillsend.exe started in a fresh folder,
// its system proxy setting pointed at our nginx, driven with real mouse input, judged by
// files, the server's log, windows and exit codes.
#include <gtest/gtest.h>

#include <windows.h>

#include <wininet.h>

#include <functional>

#include "base/Text.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

const std::wstring kPackageName = L"Velmora（湖北）（完整安装包）.exe";

std::wstring WinPath(const std::string& unixPath) {
  std::wstring p = L"Z:" + Utf8ToWide(unixPath);
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

std::wstring E2EDir() { return IncludeTrailingBackslash(WinPath(QS_E2E_DIR)); }

std::wstring ProxyFor(const std::wstring& server) {
  std::string port = ReadFileBytes(E2EDir() + server + L"\\port");
  while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
  return L"http://127.0.0.1:" + Utf8ToWide(port);
}

std::string AccessLog(const std::wstring& server) { return ReadFileBytes(E2EDir() + server + L"\\logs\\access.log"); }

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  ULONGLONG end = ::GetTickCount64() + ms;
  while (!done()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(50);
  }
  return true;
}

// A real left click at a point of the screen.
void ClickScreen(POINT pt) {
  ::SetCursorPos(pt.x, pt.y);
  ::Sleep(30);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

// A real left click at a point of a window's client area.
void ClickIn(HWND wnd, int x, int y) {
  POINT pt{x, y};
  ::ClientToScreen(wnd, &pt);
  ClickScreen(pt);
}

// GET on one of our loopback servers, directly; the answer's body.
std::string LoopbackGet(const std::wstring& server, const std::wstring& path) {
  std::wstring url = ProxyFor(server) + path;
  std::string body;
  HINTERNET net = ::InternetOpenW(L"e2e", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET req = net ? ::InternetOpenUrlW(net, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0) : nullptr;
  char buf[4096];
  DWORD n = 0;
  while (req && ::InternetReadFile(req, buf, sizeof buf, &n) && n) body.append(buf, n);
  if (req) ::InternetCloseHandle(req);
  if (net) ::InternetCloseHandle(net);
  return body;
}

// One installed copy of the program, started with the given proxy.
class TRunningApp {
public:
  explicit TRunningApp(const std::wstring& proxy, TScratchDir* dir = nullptr) : FDir(dir ? dir : &FOwnDir) {
    FExe = FDir->Path() + L"Quillsend.exe";
    ::CopyFileW((BinDir() + L"Quillsend.exe").c_str(), FExe.c_str(), FALSE);
    Start(proxy);
  }
  void Start(const std::wstring& proxy) {
    ::SetEnvironmentVariableW(L"http_proxy", proxy.c_str());
    FChild = std::make_unique<TChild>(FExe, L"");
    ::SetEnvironmentVariableW(L"http_proxy", nullptr);
    FMain = WaitForWindow(FChild->Pid(), L"Velmora", 20000);
  }
  HWND Main() const { return FMain; }
  TChild& Process() { return *FChild; }
  std::wstring Folder() const { return FDir->Path() + L"Velmora\\"; }
  std::wstring Package() const { return Folder() + kPackageName; }

  // A real left click at a point of the main window's client area.
  void Click(int x, int y) { ClickIn(FMain, x, y); }
  // A real left-button drag from a client point by dx, dy.
  void Drag(int x, int y, int dx, int dy) {
    POINT pt{x, y};
    ::ClientToScreen(FMain, &pt);
    ::SetCursorPos(pt.x, pt.y);
    ::Sleep(30);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &in, sizeof(INPUT));
    for (int step = 1; step <= 5; ++step) {
      ::Sleep(30);
      ::SetCursorPos(pt.x + dx * step / 5, pt.y + dy * step / 5);
    }
    ::Sleep(30);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(INPUT));
    // The window follows the pointer before the program has read the release: the drag
    // is over only when its thread leaves the system's move loop (the next click would
    // otherwise end that loop instead of reaching a button).
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = ::GetWindowThreadProcessId(FMain, nullptr);
    WaitUntil([&] { return ::GetGUIThreadInfo(thread, &info) && !(info.flags & GUI_INMOVESIZE); }, 5000);
  }
  void PressDownload() { Click(199 + 107, 241 + 42 + 28); }   // 立即下载 on the start page
  void PressInstall() { Click(209 + 97, 241 + 81 + 24); }     // 立即安装 on the progress page

private:
  TScratchDir FOwnDir{L"e2e"};
  TScratchDir* FDir;
  std::wstring FExe;
  std::unique_ptr<TChild> FChild;
  HWND FMain = nullptr;
};

// A real key press, with modifiers held around it.
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {}) {
  auto send = [](WORD key, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = flags;
    ::SendInput(1, &in, sizeof in);
  };
  for (WORD m : modifiers) send(m, 0);
  send(vk, 0);
  send(vk, KEYEVENTF_KEYUP);
  for (WORD m : modifiers) send(m, KEYEVENTF_KEYUP);
}

// A point of a window, from its top-left corner.
POINT In(HWND wnd, int x, int y) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  return {r.left + x, r.top + y};
}

bool Gone(HWND wnd) {
  return WaitUntil([&] { return !::IsWindowVisible(wnd); }, 10000);
}

std::string Served() { return ReadFileBytes(E2EDir() + L"package.exe"); }

// Waits for the complete package under its name, then presses install until the program
// ends (the install picture shows once the download call has returned).
long long InstallWhenDone(TRunningApp& app) {
  std::string served = Served();
  EXPECT_TRUE(WaitUntil([&] { return FileExists(app.Package()) && !FileExists(app.Package() + L".tmp"); }, 60000));
  EXPECT_EQ(ReadFileBytes(app.Package()), served) << "the package is byte for byte the served file";
  long long code = -2;
  for (int i = 0; i < 20 && code == -2; ++i) {
    app.PressInstall();
    code = app.Process().Wait(500);
  }
  return code;
}

TEST(EndToEnd, FirstPressDownloadsThePackageAndInstallLaunchesIt) {
  ASSERT_GT(Served().size(), 3u * 1048576);
  TRunningApp app(ProxyFor(L"fast"));
  ASSERT_TRUE(app.Main());
  app.PressDownload();
  EXPECT_EQ(InstallWhenDone(app), -1) << "the hard exit after launching the installer";
  EXPECT_TRUE(WaitUntil([&] { return FileExists(app.Folder() + L"demo-installer-ran.txt"); }, 15000))
      << "the downloaded installer ran";
  EXPECT_FALSE(FileExists(app.Package() + L".sdc"));
}

TEST(EndToEnd, KilledHalfWayResumesWithARangeRequest) {
  TScratchDir dir(L"e2e-resume");
  std::wstring partial;
  {
    TRunningApp slow(ProxyFor(L"slow"), &dir);
    ASSERT_TRUE(slow.Main());
    slow.PressDownload();
    partial = slow.Package() + L".tmp";
    ASSERT_TRUE(WaitUntil([&] { return GetFileSizeOf(partial) > 300 * 1024; }, 30000));
    slow.Process().Kill();
    slow.Process().Wait(5000);
  }
  ASSERT_TRUE(FileExists(partial)) << "the partial file stays for the next run";
  ASSERT_TRUE(FileExists(dir.Path() + L"Velmora\\" + kPackageName + L".sdc")) << "and its sidecar";
  long long kept = GetFileSizeOf(partial);

  size_t logBefore = AccessLog(L"fast").size();
  TRunningApp again(ProxyFor(L"fast"), &dir);
  ASSERT_TRUE(again.Main());
  again.PressDownload();
  EXPECT_EQ(InstallWhenDone(again), -1);
  std::string log = AccessLog(L"fast").substr(logBefore);
  EXPECT_NE(log.find("range=[bytes=" + std::to_string(kept) + "-] status=206"), std::string::npos) << log;
}

TEST(EndToEnd, SystemCloseDuringADownloadEndsInOrderAndKeepsThePartialFile) {
  TRunningApp app(ProxyFor(L"slow"));
  ASSERT_TRUE(app.Main());
  app.PressDownload();
  std::wstring partial = app.Package() + L".tmp";
  ASSERT_TRUE(WaitUntil([&] { return GetFileSizeOf(partial) > 100 * 1024; }, 30000));
  ::PostMessageW(app.Main(), WM_CLOSE, 0, 0);  // Alt+F4, the taskbar's close
  EXPECT_EQ(app.Process().Wait(15000), 0);
  EXPECT_TRUE(FileExists(partial));
  EXPECT_TRUE(FileExists(app.Package() + L".sdc"));
  EXPECT_FALSE(FileExists(app.Package()));
}

TEST(EndToEnd, DuringADownloadTheBannerDragsAndTheMinimiseButtonWorks) {
  TRunningApp app(ProxyFor(L"slow"));
  ASSERT_TRUE(app.Main());
  app.PressDownload();
  std::wstring partial = app.Package() + L".tmp";
  ASSERT_TRUE(WaitUntil([&] { return GetFileSizeOf(partial) > 100 * 1024; }, 30000));

  RECT before{};
  ::GetWindowRect(app.Main(), &before);
  app.Drag(200, 120, 60, 40);
  EXPECT_TRUE(WaitUntil([&] {
    RECT now{};
    ::GetWindowRect(app.Main(), &now);
    return now.left == before.left + 60 && now.top == before.top + 40;
  }, 5000)) << "the window follows the banner while the download runs";

  app.Click(605, 13);  // the minimise button in the top-right corner
  EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(app.Main()) != FALSE; }, 5000)) << [&] {
    RECT now{};
    ::GetWindowRect(app.Main(), &now);
    POINT cur{};
    ::GetCursorPos(&cur);
    return "window at " + std::to_string(now.left) + "," + std::to_string(now.top) + " (dragged from " +
           std::to_string(before.left) + "," + std::to_string(before.top) + "), pointer at " +
           std::to_string(cur.x) + "," + std::to_string(cur.y);
  }();
  long long size = GetFileSizeOf(partial);
  EXPECT_TRUE(WaitUntil([&] { return GetFileSizeOf(partial) > size + 100 * 1024; }, 10000))
      << "the download goes on while minimised";
  ::ShowWindow(app.Main(), SW_RESTORE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(app.Main()); }, 5000));

  ::PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Process().Wait(15000), 0);
}

TEST(EndToEnd, APackageAlreadyThereIsDownloadedAgainOnlyWhenTheQuestionIsConfirmed) {
  TRunningApp app(ProxyFor(L"fast"));
  ASSERT_TRUE(app.Main());
  ASSERT_TRUE(WaitUntil([&] { return DirectoryExists(app.Folder()); }, 10000));
  WriteFileBytes(app.Package(), "an older package");
  size_t logBefore = AccessLog(L"fast").size();

  // Esc answers no: the file stays and nothing is requested.
  app.PressDownload();
  HWND question = WaitForWindow(app.Process().Pid(), L"确认信息", 15000);
  ASSERT_TRUE(question) << "the question about the present package";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(Gone(question));
  ::Sleep(500);
  EXPECT_EQ(ReadFileBytes(app.Package()), "an older package");
  EXPECT_EQ(AccessLog(L"fast").size(), logBefore);

  // Enter answers with the confirm button: the file is replaced by the served package.
  app.PressDownload();
  question = WaitForWindow(app.Process().Pid(), L"确认信息", 15000);
  ASSERT_TRUE(question);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !FileExists(app.Package()); }, 10000)) << "the older package deleted";
  EXPECT_EQ(InstallWhenDone(app), -1);
}

TEST(EndToEnd, FailurePromptRetriesOnReloadAndReturnsToTheStartPageOnClose) {
  TRunningApp app(ProxyFor(L"dead"));
  ASSERT_TRUE(app.Main());
  const DWORD pid = app.Process().Pid();
  app.PressDownload();
  HWND first = WaitForWindow(pid, L"frm_Info", 30000);
  ASSERT_TRUE(first) << "the failure prompt";
  ClickScreen(In(first, 331 + 33, 120 + 8 + 13));  // 重新下载: the download runs again and fails again
  ASSERT_TRUE(Gone(first));
  HWND second = WaitForWindow(pid, L"frm_Info", 30000);
  ASSERT_TRUE(second) << "a fresh prompt after the second failure";
  ClickScreen(In(second, 332 + 51 + 15, 13));  // its close button: back to the start page
  ASSERT_TRUE(Gone(second));
  EXPECT_EQ(app.Process().Wait(500), -2) << "the program goes on";

  // The start page again: its download picture brings the prompt back; Alt+F4 gives up too.
  app.PressDownload();
  HWND third = WaitForWindow(pid, L"frm_Info", 30000);
  ASSERT_TRUE(third);
  PressKey(VK_F4, {VK_MENU});
  ASSERT_TRUE(Gone(third));
  EXPECT_EQ(app.Process().Wait(500), -2);
  ::PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Process().Wait(15000), 0);
  EXPECT_FALSE(FileExists(app.Package()));
  // Each of the three failures left its line in the day's log.
  std::string log;
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW((app.Folder() + L"Log\\*.log").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do log += ReadFileBytes(app.Folder() + L"Log\\" + found.cFileName);
    while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  const std::string line = WideToAnsi(L"下载失败dsFail。[");
  size_t lines = 0;
  for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++lines;
  EXPECT_EQ(lines, 3u) << log;
}

// The server fails half-way (the flaky proxy cuts the answer after 1 000 000 bytes): what
// arrived is kept; downloading again asks for the rest only; the browser choice hands the
// package address over and ends the program.
class ServerFailing : public ::testing::Test {
protected:
  static constexpr int kCut = 1000000;
  void SetUp() override {
    ASSERT_EQ(LoopbackGet(L"flaky", L"/_cut/" + std::to_wstring(kCut)), "armed");
    FLogBefore = AccessLog(L"fast").size();
    FApp = std::make_unique<TRunningApp>(ProxyFor(L"flaky"));
    ASSERT_TRUE(FApp->Main());
    FApp->PressDownload();
    FPrompt = WaitForWindow(FApp->Process().Pid(), L"frm_Info", 60000);
    ASSERT_TRUE(FPrompt) << "the failure prompt";
    EXPECT_EQ(GetFileSizeOf(FApp->Package() + L".tmp"), kCut) << "what arrived is kept";
    EXPECT_TRUE(FileExists(FApp->Package() + L".sdc"));
    EXPECT_FALSE(FileExists(FApp->Package()));
  }
  // The resumed transfer asked nginx for the rest only.
  bool ResumedAtTheCut() const {
    return AccessLog(L"fast").substr(FLogBefore).find("range=[bytes=" + std::to_string(kCut) + "-] status=206") !=
           std::string::npos;
  }
  std::unique_ptr<TRunningApp> FApp;
  HWND FPrompt = nullptr;
  size_t FLogBefore = 0;
};

TEST_F(ServerFailing, DownloadAgainResumesWhereTheTransferBroke) {
  ClickScreen(In(FPrompt, 331 + 33, 120 + 8 + 13));  // 重新下载
  EXPECT_EQ(InstallWhenDone(*FApp), -1);
  EXPECT_TRUE(ResumedAtTheCut());
}

TEST_F(ServerFailing, BrowserChoiceHandsTheAddressOverAndEnds) {
  // Wine opens addresses with the programs named here: ours only writes the address down.
  std::wstring browser = Utf8ToWide(std::string(QS_E2E_DIR) + "/browser.sh");
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                              browser.c_str(), static_cast<DWORD>((browser.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  std::wstring handedOver = E2EDir() + L"browser.txt";
  ::DeleteFileW(handedOver.c_str());
  ClickScreen(In(FPrompt, 19 + 52, 120 + 15 + 8));  // 点击下载安装包
  EXPECT_EQ(FApp->Process().Wait(15000), -1);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(handedOver); }, 15000));
  std::string address = ReadFileBytes(handedOver);
  EXPECT_NE(address.find("/uploads/hub/Velmora"), std::string::npos) << address;
}

}  // namespace
