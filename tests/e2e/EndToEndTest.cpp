// The whole road, with the program as it ships: Quillsend.exe started in a fresh folder,
// its system proxy setting pointed at our nginx, driven with real mouse input, judged by
// files, the server's log, windows and exit codes.
#include <gtest/gtest.h>

#include <windows.h>

#include <wininet.h>

#include <functional>

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

// A real left click at a point of a window's client area.
void ClickIn(HWND wnd, int x, int y) {
  POINT pt{x, y};
  ::ClientToScreen(wnd, &pt);
  ::SetCursorPos(pt.x, pt.y);
  ::Sleep(30);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
}

// The first visible top-level window of a process whose client area has the given size.
HWND WaitForWindowOfSize(DWORD pid, int width, int height, DWORD ms) {
  struct TFind { DWORD Pid; int W, H; HWND Found; } find{pid, width, height, nullptr};
  WaitUntil([&] {
    ::EnumWindows([](HWND w, LPARAM lp) -> BOOL {
      auto f = reinterpret_cast<TFind*>(lp);
      DWORD owner = 0;
      ::GetWindowThreadProcessId(w, &owner);
      RECT r{};
      ::GetClientRect(w, &r);
      if (owner == f->Pid && ::IsWindowVisible(w) && r.right == f->W && r.bottom == f->H) { f->Found = w; return FALSE; }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    return find.Found != nullptr;
  }, ms);
  return find.Found;
}

// Clicks the visible child window (a dialog button) with this text; false when none.
bool ClickChild(HWND parent, const std::wstring& text) {
  struct TFind { const std::wstring* Text; HWND Found; } find{&text, nullptr};
  ::EnumChildWindows(parent, [](HWND w, LPARAM lp) -> BOOL {
    auto f = reinterpret_cast<TFind*>(lp);
    wchar_t buf[256] = {};
    ::GetWindowTextW(w, buf, 256);
    if (::IsWindowVisible(w) && *f->Text == buf) { f->Found = w; return FALSE; }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&find));
  if (!find.Found) return false;
  RECT r{};
  ::GetClientRect(find.Found, &r);
  ClickIn(find.Found, r.right / 2, r.bottom / 2);
  return true;
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
  void PressDownload() { Click(199 + 107, 241 + 42 + 28); }   // 立即下载 on the start page
  void PressInstall() { Click(209 + 97, 241 + 81 + 24); }     // 立即安装 on the progress page

private:
  TScratchDir FOwnDir{L"e2e"};
  TScratchDir* FDir;
  std::wstring FExe;
  std::unique_ptr<TChild> FChild;
  HWND FMain = nullptr;
};

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

// A package of the same name already in the folder: the question comes first; no leaves
// the file and sends nothing, yes downloads the package anew.
TEST(EndToEnd, PackageAlreadyPresentIsReplacedOnlyWhenTheUserSaysYes) {
  TScratchDir dir(L"e2e-present");
  ::CreateDirectoryW((dir.Path() + L"Velmora").c_str(), nullptr);
  const std::string older = "an older package";
  size_t logBefore = AccessLog(L"fast").size();
  TRunningApp app(ProxyFor(L"fast"), &dir);
  ASSERT_TRUE(app.Main());
  WriteFileBytes(app.Package(), older);

  app.PressDownload();
  HWND question = WaitForWindow(app.Process().Pid(), L"确认信息", 15000);
  ASSERT_TRUE(question) << "the question whether to download again";
  ASSERT_TRUE(ClickChild(question, L"取消"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question) || !::IsWindowVisible(question); }, 10000));
  ::Sleep(500);
  EXPECT_EQ(ReadFileBytes(app.Package()), older) << "no: the file stays as it was";
  EXPECT_EQ(AccessLog(L"fast").size(), logBefore) << "no: nothing was asked of the server";
  EXPECT_EQ(app.Process().Wait(0), -2) << "still running";

  app.PressDownload();  // the start page is still there
  question = WaitForWindow(app.Process().Pid(), L"确认信息", 15000);
  ASSERT_TRUE(question);
  ASSERT_TRUE(ClickChild(question, L"确定(&O)"));
  EXPECT_EQ(InstallWhenDone(app), -1);
}

// The server fails half-way (the flaky proxy cuts the answer after 1 000 000 bytes): the
// failure prompt, each of its three ways on.
class ServerFailing : public ::testing::Test {
protected:
  static constexpr int kCut = 1000000;
  void SetUp() override {
    ASSERT_EQ(LoopbackGet(L"flaky", L"/_cut/" + std::to_wstring(kCut)), "armed");
    FLogBefore = AccessLog(L"fast").size();
    FApp = std::make_unique<TRunningApp>(ProxyFor(L"flaky"));
    ASSERT_TRUE(FApp->Main());
    FApp->PressDownload();
    FPrompt = WaitForWindowOfSize(FApp->Process().Pid(), 413, 161, 60000);
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
  ClickIn(FPrompt, 331 + 33, 120 + 13);  // 重新下载
  EXPECT_EQ(InstallWhenDone(*FApp), -1);
  EXPECT_TRUE(ResumedAtTheCut());
}

TEST_F(ServerFailing, ClosingThePromptReturnsToTheStartPage) {
  ClickIn(FPrompt, 332 + 51 + 15, 13);  // the close glyph
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(FPrompt); }, 10000));
  EXPECT_EQ(FApp->Process().Wait(300), -2) << "the program goes on";
  FApp->PressDownload();  // only the start page has this picture
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
  ClickIn(FPrompt, 19 + 52, 120 + 8);  // 点击下载安装包
  EXPECT_EQ(FApp->Process().Wait(15000), -1);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(handedOver); }, 15000));
  std::string address = ReadFileBytes(handedOver);
  EXPECT_NE(address.find("/uploads/hub/Velmora"), std::string::npos) << address;
}

}  // namespace
