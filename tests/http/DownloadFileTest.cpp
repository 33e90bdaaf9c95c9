// DownloadFile against the scriptable server on loopback: the notifications, resume and
// restart, every failure text, and the file on disk after each case.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "http/HttpClientImpl.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

std::wstring ServerDir() {
  std::wstring d = L"Z:" + Utf8ToWide(QS_HTTP_SERVER_DIR);
  for (auto& c : d)
    if (c == L'/') c = L'\\';
  return IncludeTrailingBackslash(d);
}

std::wstring Url(const std::wstring& pathAndQuery) {
  std::string port = ReadFileBytes(ServerDir() + L"port");
  return L"http://127.0.0.1:" + Utf8ToWide(port) + pathAndQuery;
}

std::string Served(const std::wstring& name, int size, int version = 1) {
  return ReadFileBytes(ServerDir() + L"bodies\\" + name + L"_" + std::to_wstring(size) + L"_" +
                       std::to_wstring(version) + L".bin");
}

std::string Requests() { return ReadFileBytes(ServerDir() + L"requests.log"); }

struct TRun {
  int32_t Result = 99;
  std::vector<THttpDownloadInfo> Notes;
  std::string States() const {
    static const char* const kNames[] = {"start", "progress", "end", "fail", "error"};
    std::string s;
    for (auto& n : Notes) {
      if (!s.empty() && !(n.State == dsProgress && s.size() >= 8 && s.substr(s.size() - 8) == "progress")) s += ",";
      if (!(n.State == dsProgress && s.size() >= 8 && s.substr(s.size() - 8) == "progress")) s += kNames[n.State];
    }
    return s;  // runs of progress notifications count once
  }
  std::wstring FailText() const {
    for (auto& n : Notes)
      if (n.State == dsFail || n.State == dsError) return n.Message;
    return L"";
  }
};

class DownloadFileTest : public ::testing::Test {
protected:
  TScratchDir Dir{L"dl"};
  std::shared_ptr<THttpClient> Client = std::make_shared<THttpClient>();
  std::wstring Target = Dir / L"包（测试）.bin";

  DownloadFileTest() { Client->SetAllowResume(true); }

  TRun Download(const std::wstring& pathAndQuery,
                std::function<void(const THttpDownloadInfo&, bool&)> extra = nullptr) {
    TRun run;
    std::wstring target = Target;
    run.Result = Client->DownloadFile(Url(pathAndQuery), target, [&](const THttpDownloadInfo& info, bool& cancel) {
      run.Notes.push_back(info);
      if (extra) extra(info, cancel);
    }, 0, L"GET", L"");
    return run;
  }
  std::wstring Partial() const { return Target + L".tmp"; }
  std::wstring Sidecar() const { return Target + L".sdc"; }
};

TEST_F(DownloadFileTest, FreshDownloadArrivesWholeWithItsDateAndTheNotificationsInOrder) {
  TRun run = Download(L"/fresh?size=300000");
  ASSERT_EQ(run.Result, 0) << WideToUtf8(run.FailText());
  EXPECT_EQ(ReadFileBytes(Target), Served(L"fresh", 300000));
  EXPECT_FALSE(FileExists(Partial()));
  EXPECT_FALSE(FileExists(Sidecar()));
  EXPECT_EQ(run.States(), "start,progress,end");
  EXPECT_EQ(run.Notes.front().Position, 0);
  EXPECT_EQ(run.Notes.front().Total, 0);
  EXPECT_EQ(run.Notes[1].Position, 0);
  EXPECT_EQ(run.Notes[1].Total, 300000);
  EXPECT_EQ(run.Notes.back().Position, 300000);
  EXPECT_EQ(run.Notes.back().ResultCode, 0);
  EXPECT_EQ(run.Notes.back().SpeedText.Str(), "0.00B/S");
  EXPECT_EQ(run.Notes.back().RemainTimeText.Str(), "00:00:00");
  // The server's Last-Modified (Tue, 01 Dec 2026 10:20:30 GMT) becomes the file's write time.
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(::GetFileAttributesExW(Target.c_str(), GetFileExInfoStandard, &data));
  SYSTEMTIME st;
  ::FileTimeToSystemTime(&data.ftLastWriteTime, &st);
  EXPECT_EQ(st.wYear, 2026);
  EXPECT_EQ(st.wMonth, 12);
  EXPECT_EQ(st.wDay, 1);
  EXPECT_EQ(st.wHour, 10);
  EXPECT_EQ(st.wMinute, 20);
}

TEST_F(DownloadFileTest, BodiesWithoutLengthStillComplete) {
  for (std::wstring query : {L"nolen=1", L"chunked=1"}) {
    TRun run = Download(L"/open?size=70000&" + query);
    ASSERT_EQ(run.Result, 0) << WideToUtf8(query);
    EXPECT_EQ(ReadFileBytes(Target), Served(L"open", 70000)) << WideToUtf8(query);
    EXPECT_EQ(run.Notes.back().Total, 0) << WideToUtf8(query);
  }
}

TEST_F(DownloadFileTest, ConnectionDroppedEarlyFailsKeepsThePartAndTheNextCallResumes) {
  TRun cut = Download(L"/cut?size=400000&drop=123457");
  EXPECT_EQ(cut.Result, -1);
  EXPECT_EQ(cut.States(), "start,progress,fail,end");
  EXPECT_NE(cut.FailText().find(L"下载未完成"), std::wstring::npos) << WideToUtf8(cut.FailText());
  EXPECT_FALSE(FileExists(Target)) << "a short file is never put in place";
  EXPECT_EQ(GetFileSizeOf(Partial()), 123457);
  EXPECT_TRUE(FileExists(Sidecar()));
  EXPECT_EQ(Client->GetLastErrorText(), cut.FailText());

  size_t before = Requests().size();
  TRun resumed = Download(L"/cut?size=400000");
  ASSERT_EQ(resumed.Result, 0) << WideToUtf8(resumed.FailText());
  EXPECT_NE(Requests().substr(before).find("GET /cut?size=400000 range=[bytes=123457-]"), std::string::npos);
  EXPECT_EQ(resumed.Notes[1].Position, 123457) << "the first progress starts at the partial size";
  EXPECT_EQ(ReadFileBytes(Target), Served(L"cut", 400000));
}

TEST_F(DownloadFileTest, AResumeAnsweredWithAnythingButTheRightRangeStartsOver) {
  for (std::wstring mode : {L"ignore", L"wrong"}) {
    std::wstring name = L"/r" + mode;
    ASSERT_EQ(Download(name + L"?size=200000&drop=50000").Result, -1);
    ASSERT_EQ(GetFileSizeOf(Partial()), 50000);
    size_t before = Requests().size();
    TRun run = Download(name + L"?size=200000&range=" + mode);
    ASSERT_EQ(run.Result, 0) << WideToUtf8(mode) << " " << WideToUtf8(run.FailText());
    EXPECT_EQ(ReadFileBytes(Target), Served(name.substr(1), 200000)) << WideToUtf8(mode);
    EXPECT_NE(Requests().substr(before).find("range=[bytes=50000-]"), std::string::npos) << WideToUtf8(mode);
  }
}

TEST_F(DownloadFileTest, AChangedServerFileIsFetchedAfreshWithoutRange) {
  ASSERT_EQ(Download(L"/chg?size=90000&drop=30000").Result, -1);
  size_t before = Requests().size();
  TRun run = Download(L"/chg?size=90000&v=2");  // another date: the partial file is not its beginning
  ASSERT_EQ(run.Result, 0);
  std::string log = Requests().substr(before);
  EXPECT_NE(log.find("GET /chg?size=90000&v=2 range=[-]"), std::string::npos) << log;
  EXPECT_EQ(ReadFileBytes(Target), Served(L"chg", 90000, 2));
}

TEST_F(DownloadFileTest, ACompletePartialFileIsPutInPlaceWithoutATransfer) {
  ASSERT_EQ(Download(L"/done?size=40000&drop=40000&len=40000").Result, 0);
  // Rebuild the state of a complete partial file with its sidecar.
  ASSERT_EQ(Download(L"/done?size=40000&drop=10000").Result, -1);
  WriteFileBytes(Partial(), Served(L"done", 40000));
  size_t before = Requests().size();
  TRun run = Download(L"/done?size=40000");
  ASSERT_EQ(run.Result, 0);
  EXPECT_EQ(run.States(), "start,end");
  EXPECT_EQ(run.Notes.back().Position, 40000);
  EXPECT_EQ(Requests().substr(before).find("GET /done"), std::string::npos) << "only the probe went out";
  EXPECT_EQ(ReadFileBytes(Target), Served(L"done", 40000));
}

TEST_F(DownloadFileTest, FailuresReportTheirTextsAndLeaveNoTarget) {
  struct TCase { std::wstring Path; std::function<void(THttpClient&)> Setup; std::wstring TextStart; };
  std::vector<TCase> cases = {
      {L"/x?status=404", [](THttpClient& c) { c.SetAllowResume(false); }, L"发生下载请求失败:"},
      {L"/x?head=404", nullptr, L"获取下载包信息失败:"},
      {L"/x?size=1000", [](THttpClient& c) { c.SetMaxFileSize(999); }, L"超过下载文件大小限制！"},
      {L"/x?size=10&len=5368709120", nullptr, L"超过下载文件大小限制！"},  // 5 GiB announced
      {L"/x?size=1000", [](THttpClient& c) { c.SetMaxFileSize(999); c.SetAllowResume(false); },
       L"超过下载文件大小限制！"},
  };
  for (auto& c : cases) {
    auto client = std::make_shared<THttpClient>();
    client->SetAllowResume(true);
    if (c.Setup) c.Setup(*client);
    std::wstring target = Target;
    std::vector<uint8_t> states;
    std::wstring text;
    int32_t result = client->DownloadFile(Url(c.Path), target, [&](const THttpDownloadInfo& i, bool&) {
      states.push_back(i.State);
      if (i.State == dsFail) text = i.Message;
    }, 0, L"GET", L"");
    EXPECT_EQ(result, -1) << WideToUtf8(c.Path);
    EXPECT_EQ(text.rfind(c.TextStart, 0), 0u) << WideToUtf8(c.Path) << ": " << WideToUtf8(text);
    EXPECT_EQ(states, (std::vector<uint8_t>{dsStart, dsFail, dsEnd})) << WideToUtf8(c.Path);
    EXPECT_FALSE(FileExists(Target)) << WideToUtf8(c.Path);
  }
}

TEST_F(DownloadFileTest, A404IsSentRetryCountTimes) {
  Client->SetAllowResume(false);
  Client->SetRetryCount(2);
  size_t before = Requests().size();
  EXPECT_EQ(Download(L"/count?status=404").Result, -1);
  std::string log = Requests().substr(before);
  size_t n = 0;
  for (size_t p = log.find("GET /count"); p != std::string::npos; p = log.find("GET /count", p + 1)) ++n;
  EXPECT_EQ(n, 2u);
}

TEST_F(DownloadFileTest, ArgumentsRefusedBeforeTheNetwork) {
  struct { std::wstring Url, File, Text; } cases[] = {
      {Url(L"/a"), L"", L"下载保存路径为空！"},
      {L"", Target, L"URL地址为空！"},
      {L"https://127.0.0.1:1/a", Target, L"URL类型不是HTTP！"},
      {L"ftp://127.0.0.1/a", Target, L"URL类型不是HTTP！"},
      {L"no url at all", Target, L"解析URL失败！"},
  };
  for (auto& c : cases) {
    std::wstring file = c.File;
    std::vector<THttpDownloadInfo> notes;
    int32_t result = Client->DownloadFile(c.Url, file, [&](const THttpDownloadInfo& i, bool&) { notes.push_back(i); },
                                          0, L"GET", L"");
    EXPECT_EQ(result, -1);
    ASSERT_EQ(notes.size(), 1u) << WideToUtf8(c.Text);
    EXPECT_EQ(notes[0].State, dsFail);
    EXPECT_EQ(notes[0].Message, c.Text);
    EXPECT_EQ(notes[0].Valid, 1);
  }
}

TEST_F(DownloadFileTest, CancelAtStartFailsCancelLaterReturnsOneAndKeepsThePart) {
  TRun atStart = Download(L"/c?size=50000", [](const THttpDownloadInfo& i, bool& c) { c = i.State == dsStart; });
  EXPECT_EQ(atStart.Result, -1);
  EXPECT_EQ(atStart.States(), "start,end");

  TRun later = Download(L"/c?size=900000&rate=300000",
                        [](const THttpDownloadInfo& i, bool& c) { c = i.State == dsProgress && i.Position > 0; });
  EXPECT_EQ(later.Result, 1);
  EXPECT_EQ(later.Notes.back().State, dsEnd);
  EXPECT_EQ(later.Notes.back().ResultCode, 1);
  EXPECT_GT(GetFileSizeOf(Partial()), 0);
  EXPECT_TRUE(FileExists(Sidecar()));
  EXPECT_FALSE(FileExists(Target));
}

TEST_F(DownloadFileTest, AThrowingCallbackBecomesAnErrorAndReleasesTheFile) {
  TRun run = Download(L"/t?size=50000", [](const THttpDownloadInfo& i, bool&) {
    if (i.State == dsProgress) throw std::runtime_error("callback broke");
  });
  EXPECT_EQ(run.Result, -1);
  ASSERT_GE(run.Notes.size(), 2u);
  EXPECT_EQ(run.Notes[run.Notes.size() - 2].State, dsEnd);
  EXPECT_EQ(run.Notes.back().State, dsError);
  EXPECT_EQ(run.Notes.back().Message, L"callback broke");
  EXPECT_TRUE(::DeleteFileW(Partial().c_str())) << "the partial file is closed";
}

TEST_F(DownloadFileTest, MalformedDateCountsAsNoneAndAReadOnlyTargetIsReported) {
  TRun run = Download(L"/bad?size=20000&lm=bad");
  ASSERT_EQ(run.Result, 0);
  EXPECT_EQ(ReadFileBytes(Target), Served(L"bad", 20000));

  ::SetFileAttributesW(Target.c_str(), FILE_ATTRIBUTE_READONLY);
  TRun blocked = Download(L"/bad?size=20000&lm=bad&v=2");
  EXPECT_EQ(blocked.Result, -1);
  EXPECT_EQ(blocked.FailText().rfind(L"删除[" + Target + L"]文件失败:", 0), 0u) << WideToUtf8(blocked.FailText());
  EXPECT_TRUE(FileExists(Partial())) << "the finished partial file stays";
  ::SetFileAttributesW(Target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DownloadFileTest, ASlowLineReportsWhileDataTrickles) {
  Client->SetAllowResume(false);
  TRun run = Download(L"/slow?size=200000&rate=60000");  // about 3.3 s
  ASSERT_EQ(run.Result, 0);
  size_t timed = 0;
  for (auto& n : run.Notes)
    if (n.State == dsProgress && n.Position > 0 && n.Position < 200000) ++timed;
  EXPECT_GE(timed, 3u) << "progress arrives during the transfer, not only at its end";
}

TEST(DownloadFileNoCallback, StillDownloadsAndKeepsTheLastErrorText) {
  TScratchDir dir;
  THttpClient client;
  std::wstring target = dir / L"a.bin";
  client.DownloadFile(L"", target, [](const THttpDownloadInfo&, bool&) {}, 0, L"GET", L"");
  EXPECT_EQ(client.GetLastErrorText(), L"URL地址为空！");
  EXPECT_EQ(client.DownloadFile(Url(L"/quiet?size=1000"), target, nullptr, 0, L"GET", L""), 0);
  EXPECT_EQ(client.GetLastErrorText(), L"URL地址为空！");
  EXPECT_EQ(ReadFileBytes(target), Served(L"quiet", 1000));
}

}  // namespace
