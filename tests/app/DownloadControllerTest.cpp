// The download workflow against a scripted client and recorded widgets and dialogs.
#include "app/DownloadController.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "tests/support/ScriptedClient.h"

using namespace qs;
using namespace qs::test;

namespace {

struct TFakeView : IDownloadView {
  TWorkflowPage Page = pgStart;
  std::wstring Folder;
  bool DX = true, LT = false;
  std::wstring Caption = L"正在下载（0%）";
  int Track = 551, Fill = 0;
  bool InstallVisible = false;
  std::vector<TWorkflowPage> PageHistory;

  TWorkflowPage ActivePage() const override { return Page; }
  void SetActivePage(TWorkflowPage p) override { Page = p; PageHistory.push_back(p); }
  std::wstring FolderText() const override { return Folder; }
  bool LineDXChecked() const override { return DX; }
  bool LineLTChecked() const override { return LT; }
  void SetProgressCaption(const std::wstring& t) override { Caption = t; }
  int TrackWidth() const override { return Track; }
  void SetFillWidth(int w) override { Fill = w; }
  void ShowInstall() override { InstallVisible = true; }
};

struct TFakeHost : IWorkflowHost {
  std::shared_ptr<TScriptedClient> Scripted = std::make_shared<TScriptedClient>();
  std::vector<std::wstring> Notices, Questions, Logs, Opened, Deleted;
  std::deque<bool> Answers;          // Confirm answers, in order; no answer counts as no
  std::deque<int> Prompts;           // FailurePrompt answers
  std::set<std::wstring> Files;
  bool Connected = true, ShellOk = true;
  int HardExits = 0, Pumps = 0, Closes = 0;
  std::function<void()> OnPump;

  void Notice(const std::wstring& t) override { Notices.push_back(t); }
  bool Confirm(const std::wstring& t) override {
    Questions.push_back(t);
    bool yes = !Answers.empty() && Answers.front();
    if (!Answers.empty()) Answers.pop_front();
    return yes;
  }
  int FailurePrompt() override {
    int code = Prompts.empty() ? 0 : Prompts.front();
    if (!Prompts.empty()) Prompts.pop_front();
    return code;
  }
  void ProcessMessages() override { ++Pumps; if (OnPump) OnPump(); }
  bool IsConnected() override { return Connected; }
  bool FileExists(const std::wstring& p) override { return Files.count(p) > 0; }
  void DeleteFile(const std::wstring& p) override { Deleted.push_back(p); Files.erase(p); }
  bool ShellOpen(const std::wstring& t) override { Opened.push_back(t); return ShellOk; }
  void HardExit() override { ++HardExits; }
  void Log(const std::wstring& t) override { Logs.push_back(t); }
  void CloseMainWindow() override { ++Closes; }
  THttpClientRef Client() override { return Scripted; }
};

const std::wstring kFolder = L"C:\\Program Files\\Quillsend\\Velmora\\";
const std::wstring kTarget = kFolder + L"Velmora（湖北）（完整安装包）.exe";

class DownloadControllerTest : public ::testing::Test {
protected:
  TFakeView View;
  TFakeHost Host;
  TDownloadController Ctl{View, Host};
  void SetUp() override {
    Ctl.ResetDownload();
    Ctl.SetSaveFolder(kFolder);
  }
  void Script(std::vector<THttpDownloadInfo> notes, int32_t result) {
    Host.Scripted->Downloads.push_back({std::move(notes), result});
  }
};

TEST(ProgressArithmetic, RoundsHalvesAwayAndNeverClamps) {
  struct { int32_t Position, Total; int64_t Percent; int Track; int64_t Fill; } cases[] = {
      {0, 100, 0, 551, 0},
      {1, 8, 13, 551, 71},             // 12.5 % rounds away from zero
      {37, 100, 37, 551, 203},
      {100, 100, 100, 551, 551},
      {150, 100, 150, 551, 826},       // past the total: over 100 % and wider than the track
      {5, 1000, 1, 551, 5},            // 0.5 % rounds up
      {-1, 8, -13, 551, -71},          // negative halves round away from zero as well
      {2147483647, 2147483647, 100, 551, 551},
  };
  for (auto& c : cases) {
    int64_t percent = ProgressPercent(c.Position, c.Total);
    EXPECT_EQ(percent, c.Percent) << c.Position << "/" << c.Total;
    EXPECT_EQ(ProgressFillWidth(percent, c.Track), c.Fill) << c.Position << "/" << c.Total;
  }
}

TEST_F(DownloadControllerTest, FirstPressDownloadsIntoTheSaveFolderAndShowsInstall) {
  Script({Note(dsStart), Note(dsProgress, 0, 800), Note(dsProgress, 100, 800), Note(dsProgress, 800, 800), Note(dsEnd)},
         kDownloadOk);
  Ctl.StartDownload();
  ASSERT_EQ(Host.Scripted->DownloadedTargets.size(), 1u);
  EXPECT_EQ(Host.Scripted->DownloadedTargets[0], kTarget);
  EXPECT_EQ(Host.Scripted->DownloadedUrls[0], PackageURL());
  EXPECT_EQ(Host.Scripted->LastTag, 0);
  EXPECT_EQ(Host.Scripted->LastMethod, L"GET");
  EXPECT_EQ(Host.Scripted->LastExtra, L"");
  EXPECT_EQ(View.Page, pgProgress);
  EXPECT_TRUE(View.InstallVisible);
  EXPECT_TRUE(Ctl.DownloadFinished());
  EXPECT_EQ(View.Caption, L"正在下载(100%)");
  EXPECT_EQ(View.Fill, 551);
  EXPECT_EQ(Host.Pumps, 5);  // every notification pumps
  EXPECT_TRUE(Host.Notices.empty());
  EXPECT_TRUE(Host.Scripted->AllowResume);
}

TEST_F(DownloadControllerTest, PackageAddressAndTargetAreTheSameForBothLines) {
  EXPECT_EQ(PackageURL().substr(0, 7), L"http://");
  EXPECT_NE(PackageURL().find(L"/uploads/hub/Velmora（湖北）（完整安装包）.exe"), std::wstring::npos);
  View.DX = false;
  View.LT = true;
  Script({}, kDownloadOk);
  Ctl.StartDownload();
  EXPECT_EQ(Host.Scripted->DownloadedTargets.at(0), kTarget);
  EXPECT_EQ(Host.Scripted->DownloadedUrls.at(0), PackageURL());
}

TEST(DownloadControllerChecks, StopWithTheirNoticeAndChangeNothing) {
  using TArrange = std::function<void(TFakeView&, TFakeHost&, TDownloadController&)>;
  struct { const char* Name; TArrange Arrange; std::wstring Notice; TWorkflowPage Page; } cases[] = {
      {"no folder", [](auto&, auto&, auto& c) { c.SetSaveFolder(L""); }, L"请选择保存路径。", pgStart},
      {"no line", [](auto& v, auto&, auto&) { v.DX = v.LT = false; }, L"找不到下载文件。", pgStart},
      {"parse fails", [](auto&, auto& h, auto&) { h.Scripted->ParseOk = false; }, L"解析URL失败！", pgStart},
      {"no file name", [](auto&, auto& h, auto&) { h.Scripted->ParsedPath = L"/uploads/hub/"; }, L"不存在下载文件！", pgStart},
      {"folder page, empty edit", [](auto& v, auto&, auto&) { v.Page = pgFolder; v.Folder = L""; }, L"请选择保存路径。", pgFolder},
  };
  for (auto& c : cases) {
    TFakeView view;
    TFakeHost host;
    TDownloadController ctl(view, host);
    ctl.ResetDownload();
    ctl.SetSaveFolder(kFolder);
    c.Arrange(view, host, ctl);
    ctl.StartDownload();
    EXPECT_EQ(host.Notices, std::vector<std::wstring>{c.Notice}) << c.Name;
    EXPECT_TRUE(host.Scripted->DownloadedTargets.empty()) << c.Name;
    EXPECT_EQ(view.Page, c.Page) << c.Name;
    EXPECT_EQ(host.HardExits, 0) << c.Name;
  }
}

TEST_F(DownloadControllerTest, NoNetworkResetsAndReturnsToTheStartPage) {
  Host.Connected = false;
  View.Page = pgProgress;  // as after a failed attempt's retry
  Ctl.SetProgressPosition(50);
  Ctl.StartDownload();
  EXPECT_EQ(Host.Notices, std::vector<std::wstring>{L"网络异常，请检查网络后重试！"});
  EXPECT_EQ(View.Page, pgStart);
  EXPECT_EQ(Ctl.Position(), 0);
  EXPECT_EQ(Ctl.Total(), 100);
  EXPECT_TRUE(Host.Scripted->DownloadedTargets.empty());
}

TEST_F(DownloadControllerTest, FolderPageTakesTheEditText) {
  View.Page = pgFolder;
  View.Folder = L"D:\\下载";  // no trailing backslash: one is added
  Script({}, kDownloadOk);
  Ctl.StartDownload();
  EXPECT_EQ(Ctl.SaveFolder(), L"D:\\下载");
  EXPECT_EQ(Host.Scripted->DownloadedTargets.at(0), L"D:\\下载\\Velmora（湖北）（完整安装包）.exe");
}

TEST_F(DownloadControllerTest, PresentPackageAsksFirst) {
  Host.Files.insert(kTarget);
  Host.Answers = {false};
  Ctl.StartDownload();
  EXPECT_EQ(Host.Questions, std::vector<std::wstring>{kTarget + L"已存在，需要重新下载吗？"});
  EXPECT_TRUE(Host.Deleted.empty());
  EXPECT_TRUE(Host.Scripted->DownloadedTargets.empty());
  EXPECT_EQ(View.Page, pgStart);

  Host.Answers = {true};
  Script({}, kDownloadOk);
  Ctl.StartDownload();
  EXPECT_EQ(Host.Deleted, std::vector<std::wstring>{kTarget});
  EXPECT_EQ(Host.Scripted->DownloadedTargets.size(), 1u);
}

TEST_F(DownloadControllerTest, ProgressUsesLow32BitsAndKeepsTotalOnZero) {
  Script({Note(dsProgress, 37, 0)}, kDownloadOk);
  Ctl.StartDownload();
  // Total 0 keeps the reset total of 100: the label shows the byte count itself.
  EXPECT_EQ(View.Caption, L"正在下载(37%)");
  EXPECT_EQ(Ctl.Total(), 100);

  Ctl.ResetDownload();
  Script({Note(dsProgress, (int64_t{1} << 32) + 1, (int64_t{1} << 32) + 8)}, kDownloadOk);
  Ctl.StartDownload();
  EXPECT_EQ(View.Caption, L"正在下载(13%)");
  EXPECT_EQ(View.Fill, 71);
}

TEST_F(DownloadControllerTest, FailuresAreLoggedAndThePromptDecides) {
  // Give up: reset and start page.
  Script({Note(dsStart), Note(dsFail, 0, 0, L"连接失败"), Note(dsEnd)}, kDownloadFailed);
  Host.Prompts = {0};
  Ctl.StartDownload();
  EXPECT_EQ(Host.Logs, std::vector<std::wstring>{L"下载失败dsFail。[连接失败]"});
  EXPECT_EQ(View.Page, pgStart);
  EXPECT_FALSE(Ctl.DownloadFailed());
  EXPECT_EQ(Host.HardExits, 0);

  // Download again: the same folder, a second call; then success.
  Script({Note(dsError, 0, 0, L"boom"), Note(dsEnd)}, kDownloadFailed);
  Script({Note(dsProgress, 10, 10)}, kDownloadOk);
  Host.Prompts = {2};
  Ctl.StartDownload();
  EXPECT_EQ(Host.Logs.back(), L"下载失败dsError。[boom]");
  ASSERT_EQ(Host.Scripted->DownloadedTargets.size(), 3u);
  EXPECT_EQ(Host.Scripted->DownloadedTargets[2], kTarget);
  EXPECT_TRUE(View.InstallVisible);

  // Browser: the package address goes to the shell, then the hard exit.
  Script({}, kDownloadFailed);
  Host.Prompts = {1};
  Ctl.StartDownload();
  EXPECT_EQ(Host.Opened.back(), PackageURL());
  EXPECT_EQ(Host.HardExits, 1);
}

TEST_F(DownloadControllerTest, CloseButtonCancelsARunningDownloadThenAsks) {
  Host.OnPump = [this] { if (Ctl.Downloading() && Host.Pumps == 2) Ctl.CloseClick(); };
  Script({Note(dsStart), Note(dsProgress, 1, 10), Note(dsProgress, 2, 10)}, kDownloadOk);
  Script({Note(dsProgress, 10, 10)}, kDownloadOk);
  Host.Answers = {false};  // no: reset and download again
  Ctl.StartDownload();
  ASSERT_EQ(Host.Questions.size(), 1u);
  EXPECT_EQ(Host.Questions[0], L"当前下载还没有完成，如果关闭软件，需要重新下载，确定关闭软件吗？");
  EXPECT_EQ(Host.Scripted->DownloadedTargets.size(), 2u);
  EXPECT_TRUE(View.InstallVisible);
  EXPECT_EQ(Host.HardExits, 0);

  // Finished: the close button ends the program at once.
  Ctl.CloseClick();
  EXPECT_EQ(Host.HardExits, 1);

  // Yes to the question: the hard exit.
  Ctl.ResetDownload();
  Host.Pumps = 0;
  Host.OnPump = [this] { if (Ctl.Downloading()) Ctl.CloseClick(); };
  Script({Note(dsProgress, 1, 10), Note(dsProgress, 2, 10)}, kDownloadOk);
  Host.Answers = {true};
  Ctl.StartDownload();
  EXPECT_EQ(Host.HardExits, 2);
}

TEST_F(DownloadControllerTest, SystemCloseDuringADownloadStopsItAndClosesWithoutQuestions) {
  Host.OnPump = [this] { if (Ctl.Downloading()) EXPECT_FALSE(Ctl.CloseQuery()); };
  Script({Note(dsStart), Note(dsProgress, 1, 10), Note(dsProgress, 2, 10)}, kDownloadOk);
  Ctl.StartDownload();
  EXPECT_EQ(Host.Closes, 1);
  EXPECT_TRUE(Host.Questions.empty());
  EXPECT_EQ(Host.HardExits, 0);
  EXPECT_FALSE(View.InstallVisible);
  EXPECT_TRUE(Ctl.CloseQuery());  // nothing runs now: the window may close
}

TEST_F(DownloadControllerTest, InstallOpensTheTargetOrSaysItCannot) {
  Script({}, kDownloadOk);
  Ctl.StartDownload();
  Host.ShellOk = false;
  Ctl.InstallClick();
  EXPECT_EQ(Host.Notices, std::vector<std::wstring>{L"无法自动打开下载的文件。"});
  EXPECT_EQ(Host.HardExits, 0);
  Host.ShellOk = true;
  Ctl.InstallClick();
  EXPECT_EQ(Host.Opened, (std::vector<std::wstring>{kTarget, kTarget}));
  EXPECT_EQ(Host.HardExits, 1);
}

TEST_F(DownloadControllerTest, CloseButtonOnTheStartPageEndsAtOnce) {
  Ctl.CloseClick();
  EXPECT_EQ(Host.HardExits, 1);
}

}  // namespace
