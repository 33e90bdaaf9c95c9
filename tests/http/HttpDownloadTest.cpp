// DownloadFile against our scriptable server on loopback: the notifications and their
// order, the failure table, resuming and every way a resume can go wrong, the partial
// file and the sidecar. Every finished file is compared byte for byte with the served one.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/http/DownloadTestSupport.h"

using namespace qs;
using namespace qs::test;

namespace {

class DownloadTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Server().Running()) << "the scripted server did not start";
    Client = std::make_shared<THttpClient>();
    Client->SetAllowResume(true);
    Target = Dir / L"包 file.exe";
    Key = testing::UnitTest::GetInstance()->current_test_info()->name();
    for (auto& c : Key)
      if (c == '/') c = '_';
  }
  std::wstring Url(const std::string& query) const { return Server().Url("/f/" + Key + "?" + query); }
  int32_t Download(const std::wstring& url, TRecorder& rec) {
    std::wstring name = Target;
    return Client->DownloadFile(url, name, rec.Event(), 7, L"GET", L"");
  }
  std::wstring Temp() const { return Target + L".tmp"; }
  std::wstring Sidecar() const { return Target + L".sdc"; }

  std::shared_ptr<THttpClient> Client;
  TScratchDir Dir{L"dl"};
  std::wstring Target;
  std::string Key;
};

TEST_F(DownloadTest, FreshDownloadNotifiesInOrderAndStoresTheExactFile) {
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=300000&seed=3"), rec), kDownloadOk) << WideToUtf8(rec.FailText());
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(300000, 3)), "");
  EXPECT_EQ(rec.Shape(), "SPE");
  ASSERT_GE(rec.Infos.size(), 4u);  // start, first progress, end-of-data progress, end
  const auto& start = rec.Infos.front();
  EXPECT_EQ(start.Position, 0);
  EXPECT_EQ(start.Total, 0);
  EXPECT_EQ(start.ResultCode, -1);
  const auto& first = rec.Infos[1];
  EXPECT_EQ(first.Position, 0);
  EXPECT_EQ(first.Total, 300000);
  EXPECT_EQ(first.SpeedText.Str(), "0.00B/S");
  EXPECT_EQ(first.RemainTimeText.Str(), "00:00:00");
  const auto& last = rec.Infos.back();
  EXPECT_EQ(last.State, dsEnd);
  EXPECT_EQ(last.Position, 300000);
  EXPECT_EQ(last.Total, 300000);
  EXPECT_EQ(last.ResultCode, 0);
  for (auto& i : rec.Infos) {
    EXPECT_EQ(i.Valid, 1);
    EXPECT_EQ(i.Tag, 7);
  }
  EXPECT_FALSE(FileExists(Temp()));
  EXPECT_FALSE(FileExists(Sidecar()));
  // The server's Last-Modified becomes the file's last-write time.
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(::GetFileAttributesExW(Target.c_str(), GetFileExInfoStandard, &data));
  SYSTEMTIME st;
  ::FileTimeToSystemTime(&data.ftLastWriteTime, &st);
  EXPECT_EQ(st.wYear, 1994);
  EXPECT_EQ(st.wMonth, 11);
  EXPECT_EQ(st.wDay, 6);
  EXPECT_EQ(st.wHour, 8);
  EXPECT_EQ(st.wMinute, 49);
  EXPECT_EQ(st.wSecond, 37);
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Method, "HEAD");
  EXPECT_EQ(log[1].Method, "GET");
  EXPECT_EQ(log[1].Range, "-");
}

TEST_F(DownloadTest, WithoutTheProbeNoHeadIsSentAndNoSidecarWritten) {
  Client->SetAllowResume(false);
  ASSERT_TRUE(WriteFileBytes(Temp(), "stale"));
  TRecorder rec;
  bool sawSidecar = false;
  rec.Hook = [&](const THttpDownloadInfo&, bool&) { sawSidecar |= FileExists(Sidecar()); };
  ASSERT_EQ(Download(Url("size=5000"), rec), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(5000)), "");
  EXPECT_FALSE(sawSidecar);
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Method, "GET");
}

// The failure table: each condition, its text, its notifications and its result.
struct TFailCase {
  const char* Name;
  std::string Query;               // appended to the URL of the scripted server
  std::function<void(THttpClient&, std::wstring& url, std::wstring& target)> Arrange;
  std::wstring Text;               // the dsFail text begins with this
  std::string Shape;               // notifications, progress collapsed
};

void PrintTo(const TFailCase& c, std::ostream* os) { *os << c.Name; }

class DownloadFailureTest : public DownloadTest, public testing::WithParamInterface<TFailCase> {};

TEST_P(DownloadFailureTest, ReportsTheConditionAndReturnsMinusOne) {
  const TFailCase& c = GetParam();
  std::wstring url = Url(c.Query), target = Target;
  if (c.Arrange) c.Arrange(*Client, url, target);
  TRecorder rec;
  int32_t result = Client->DownloadFile(url, target, rec.Event(), 0, L"GET", L"");
  EXPECT_EQ(result, kDownloadFailed);
  EXPECT_EQ(rec.Shape(), c.Shape);
  EXPECT_TRUE(StartsWith(rec.FailText(), c.Text)) << WideToUtf8(rec.FailText());
  EXPECT_EQ(Client->GetLastErrorText(), rec.FailText());
  if (auto end = rec.Find(dsEnd)) EXPECT_EQ(end->ResultCode, -1);
  EXPECT_FALSE(FileExists(target) && ReadFileBytes(target) == Pattern(1000)) << "no failed call leaves the file";
}

const TFailCase kFailCases[] = {
    {"EmptyUrl", "", [](THttpClient&, std::wstring& u, std::wstring&) { u.clear(); }, L"URL地址为空！", "F"},
    {"EmptyFileName", "", [](THttpClient&, std::wstring&, std::wstring& t) { t.clear(); }, L"下载保存路径为空！", "F"},
    {"Https", "", [](THttpClient&, std::wstring& u, std::wstring&) { u = L"https://127.0.0.1:1/x"; },
     L"URL类型不是HTTP！", "F"},
    {"Ftp", "", [](THttpClient&, std::wstring& u, std::wstring&) { u = L"ftp://127.0.0.1/x"; },
     L"URL类型不是HTTP！", "F"},
    {"NoUrl", "", [](THttpClient&, std::wstring& u, std::wstring&) { u = L"no url at all"; }, L"解析URL失败！",
     "F"},
    {"AccessTypeUnknown", "", [](THttpClient& c, std::wstring&, std::wstring&) { c.SetAccessType(5); },
     L"打开一个Internet连接失败:", "F"},
    {"HeadRefused", "headstatus=405", nullptr, L"获取下载包信息失败:", "SFE"},
    {"ProbeAboveLimit", "len=2097152001", nullptr, L"超过下载文件大小限制！", "SFE"},
    {"ProbeFiveGiB", "len=5368709120", nullptr, L"超过下载文件大小限制！", "SFE"},
    {"ProbePastSixtyFourBits", "len=99999999999999999999999", nullptr, L"超过下载文件大小限制！", "SFE"},
    {"ZeroLimitRefusesALength", "size=10", [](THttpClient& c, std::wstring&, std::wstring&) { c.SetMaxFileSize(0); },
     L"超过下载文件大小限制！", "SFE"},
    {"TransferAnswerAboveLimit", "len=5368709120",
     [](THttpClient& c, std::wstring&, std::wstring&) { c.SetAllowResume(false); }, L"超过下载文件大小限制！",
     "SFE"},
    {"NotFound", "status=404", [](THttpClient& c, std::wstring&, std::wstring&) { c.SetAllowResume(false); },
     L"发生下载请求失败:", "SFE"},
    {"RetryCountZero", "", [](THttpClient& c, std::wstring&, std::wstring&) { c.SetAllowResume(false); c.SetRetryCount(0); },
     L"发生下载请求失败:", "SFE"},
    {"FolderMissing", "", [](THttpClient&, std::wstring&, std::wstring& t) { t += L"-missing\\x.exe"; },
     L"创建下载文件失败:", "SFE"},
    {"NoBuffer", "", [](THttpClient& c, std::wstring&, std::wstring&) { c.SetBufferSize(0); }, L"创建缓冲区失败:",
     "SFE"},
    {"ShortTransfer", "size=100000&drop=40000", nullptr, L"下载的数据不完整", "SPFE"},
    // Wine reports a reset either as a failing read or as an early end: both must fail.
    {"ConnectionReset", "size=3000000&drop=1000000&reset=1", nullptr, L"", "SPFE"},
};

INSTANTIATE_TEST_SUITE_P(Table, DownloadFailureTest, testing::ValuesIn(kFailCases),
                         [](const testing::TestParamInfo<TFailCase>& i) { return std::string(i.param.Name); });

TEST_F(DownloadTest, ARefusedProbeIsSentRetryCountTimes) {
  TRecorder rec;
  EXPECT_EQ(Download(Url("headstatus=404"), rec), kDownloadFailed);
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 3u);
  for (auto& r : log) EXPECT_EQ(r.Method, "HEAD");
}

TEST_F(DownloadTest, AStatusIsRetriedUntilItSucceeds) {
  Client->SetAllowResume(false);
  TRecorder rec;
  ASSERT_EQ(Download(Url("status=500,503,200&size=2000"), rec), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(2000)), "");
  EXPECT_EQ(Server().Log(Key).size(), 3u);
}

// Cut at a byte, then resumed by the next call with a Range request from exactly there.
TEST_F(DownloadTest, ADroppedTransferIsResumedFromThePartialFilesSize) {
  const std::string full = Pattern(700001, 5);
  TRecorder first;
  EXPECT_EQ(Download(Url("size=700001&seed=5&drop=123457"), first), kDownloadFailed);
  EXPECT_EQ(Mismatch(ReadFileBytes(Temp()), full.substr(0, 123457)), "");
  EXPECT_EQ(ReadProfileValue(Sidecar(), L"ContentLen"), L"700001");
  EXPECT_EQ(ReadProfileValue(Sidecar(), L"LastModified"), L"1994-11-06 08:49:37");
  EXPECT_FALSE(FileExists(Target)) << "a short file is never put in place";

  TRecorder second;
  ASSERT_EQ(Download(Url("size=700001&seed=5"), second), kDownloadOk) << WideToUtf8(second.FailText());
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), full), "");
  ASSERT_GE(second.Infos.size(), 2u);
  EXPECT_EQ(second.Infos[1].State, dsProgress);
  EXPECT_EQ(second.Infos[1].Position, 123457);
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[3].Range, "bytes=123457-");
  EXPECT_FALSE(FileExists(Sidecar()));
}

// What a server does with the Range request of a resume, and what ends on disk.
struct TResumeCase {
  const char* Name;
  std::string SecondQuery;    // the resumed call's query (the first is cut at 30000)
  std::vector<std::string> RangesSent;  // Range headers of the GET requests after the first call
  size_t Size;                          // the file the server has at the second call
  int Seed;
};

void PrintTo(const TResumeCase& c, std::ostream* os) { *os << c.Name; }

class DownloadResumeTest : public DownloadTest, public testing::WithParamInterface<TResumeCase> {};

TEST_P(DownloadResumeTest, TheFinishedFileIsAlwaysTheServersFile) {
  const TResumeCase& c = GetParam();
  TRecorder first, second;
  EXPECT_EQ(Download(Url("size=100000&drop=30000"), first), kDownloadFailed);
  ASSERT_EQ(ReadFileBytes(Temp()).size(), 30000u);
  ASSERT_EQ(Download(Url(c.SecondQuery), second), kDownloadOk) << WideToUtf8(second.FailText());
  std::string expected = Pattern(c.Size, c.Seed);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), expected), "");
  std::vector<std::string> ranges;
  auto log = Server().Log(Key);
  for (size_t i = 2; i < log.size(); ++i)
    if (log[i].Method == "GET") ranges.push_back(log[i].Range);
  EXPECT_EQ(ranges, c.RangesSent);
}

const TResumeCase kResumeCases[] = {
    {"Honoured", "size=100000", {"bytes=30000-"}, 100000, 0},
    // Range ignored: the 200 answer is the whole file and is taken as a fresh transfer.
    {"Ignored", "size=100000&range=ignore", {"bytes=30000-"}, 100000, 0},
    // A 206 for another range is dropped and the whole file asked for.
    {"WrongRange", "size=100000&range=wrong", {"bytes=30000-", "-"}, 100000, 0},
    // The file changed: no Range at all, the partial file is replaced.
    {"LastModifiedChanged", "size=100000&seed=9&lm=Mon,%2007%20Nov%201994%2008:49:37%20GMT", {"-"}, 100000, 9},
    {"LengthChanged", "size=90000", {"-"}, 90000, 0},
    // The sidecar recorded a date and the server now sends none that can be read: the
    // identity of the file cannot be confirmed, so it is fetched afresh.
    {"DateNowMalformed", "size=100000&seed=9&lm=Sun,%2099%20Foo%201994%2008:49:37%20GMT", {"-"}, 100000, 9},
    {"DateNowMissing", "size=100000&seed=9&lm=none", {"-"}, 100000, 9},
};

INSTANTIATE_TEST_SUITE_P(Table, DownloadResumeTest, testing::ValuesIn(kResumeCases),
                         [](const testing::TestParamInfo<TResumeCase>& i) { return std::string(i.param.Name); });

TEST_F(DownloadTest, AResetConnectionKeepsWhatArrivedAndTheNextCallFinishes) {
  TRecorder first, second;
  EXPECT_EQ(Download(Url("size=3000000&seed=2&drop=1500000&reset=1"), first), kDownloadFailed);
  std::string part = ReadFileBytes(Temp());
  EXPECT_LE(part.size(), 1500000u);
  EXPECT_EQ(Mismatch(part, Pattern(3000000, 2).substr(0, part.size())), "") << "the partial file is a prefix";
  ASSERT_EQ(Download(Url("size=3000000&seed=2"), second), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(3000000, 2)), "");
}

TEST_F(DownloadTest, ACompletePartialFileIsPutInPlaceWithoutATransfer) {
  TRecorder first, second;
  first.Hook = [](const THttpDownloadInfo& i, bool& cancel) { cancel = i.State == dsProgress; };
  ASSERT_EQ(Download(Url("size=4000"), first), kDownloadCancelled);
  ASSERT_TRUE(WriteFileBytes(Temp(), Pattern(4000)));  // as if the rest had arrived
  ASSERT_EQ(Download(Url("size=4000"), second), kDownloadOk);
  EXPECT_EQ(second.States(), "SE");
  EXPECT_EQ(second.Infos.back().Position, 4000);
  EXPECT_EQ(second.Infos.back().Total, 4000);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(4000)), "");
  EXPECT_TRUE(FileExists(Sidecar())) << "the sidecar is left as it is";
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 3u);  // HEAD, GET (cancelled), HEAD
  EXPECT_EQ(log[2].Method, "HEAD");
}

TEST_F(DownloadTest, APartialFileWithoutSidecarIsReplaced) {
  ASSERT_TRUE(WriteFileBytes(Temp(), std::string(500, 'x')));
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=2000"), rec), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(2000)), "");
  EXPECT_EQ(Server().Log(Key).back().Range, "-");
}

TEST_F(DownloadTest, CancelAnsweredToStartReturnsMinusOne) {
  TRecorder rec;
  rec.Hook = [](const THttpDownloadInfo& i, bool& cancel) { cancel = i.State == dsStart; };
  EXPECT_EQ(Download(Url("size=1000"), rec), kDownloadFailed);
  EXPECT_EQ(rec.States(), "SE");
  EXPECT_EQ(rec.Infos.back().ResultCode, -1);
  EXPECT_TRUE(Server().Log(Key).empty());
}

TEST_F(DownloadTest, CancelAnsweredToProgressReturnsOneAndKeepsThePartialState) {
  TRecorder rec;
  rec.Hook = [](const THttpDownloadInfo& i, bool& cancel) { cancel = i.State == dsProgress; };
  EXPECT_EQ(Download(Url("size=1000"), rec), kDownloadCancelled);
  EXPECT_EQ(rec.States(), "SPE");
  EXPECT_EQ(rec.Infos.back().ResultCode, 1);
  EXPECT_TRUE(FileExists(Temp()));
  EXPECT_TRUE(FileExists(Sidecar()));
  EXPECT_FALSE(FileExists(Target));
}

TEST_F(DownloadTest, ReadOnlyTargetEndsWithTheDeleteFailure) {
  ASSERT_TRUE(WriteFileBytes(Target, "old"));
  ::SetFileAttributesW(Target.c_str(), FILE_ATTRIBUTE_READONLY);
  TRecorder rec;
  EXPECT_EQ(Download(Url("size=3000"), rec), kDownloadFailed);
  EXPECT_EQ(rec.Shape(), "SPFE");
  ASSERT_TRUE(rec.Find(dsFail));
  EXPECT_EQ(rec.FailText().rfind(L"删除[" + Target + L"]文件失败:", 0), 0u) << WideToUtf8(rec.FailText());
  EXPECT_EQ(rec.Find(dsFail)->ResultCode, 0);
  EXPECT_EQ(rec.Infos.back().ResultCode, -1);
  EXPECT_EQ(ReadFileBytes(Target), "old");
  EXPECT_EQ(Mismatch(ReadFileBytes(Temp()), Pattern(3000)), "") << "the finished partial file stays";
}

TEST_F(DownloadTest, AFailedRenameIsAFailureAndKeepsThePartialFile) {
  ASSERT_TRUE(::CreateDirectoryW(Target.c_str(), nullptr));  // the target name is taken by a folder
  TRecorder rec;
  EXPECT_EQ(Download(Url("size=3000"), rec), kDownloadFailed);
  EXPECT_EQ(rec.Shape(), "SPFE");
  EXPECT_NE(rec.FailText().find(Target), std::wstring::npos) << WideToUtf8(rec.FailText());
  EXPECT_EQ(Mismatch(ReadFileBytes(Temp()), Pattern(3000)), "");
}

TEST_F(DownloadTest, AThrowingCallbackReleasesEverythingAndBecomesAnError) {
  TRecorder rec;
  rec.Hook = [](const THttpDownloadInfo& i, bool&) {
    if (i.State == dsProgress) throw std::runtime_error("boom");
  };
  EXPECT_EQ(Download(Url("size=3000"), rec), kDownloadFailed);
  EXPECT_EQ(rec.States(), "SPEX");
  EXPECT_EQ(rec.Infos.back().Message, L"boom");
  EXPECT_EQ(Client->GetLastErrorText(), L"boom");
  // The partial file was closed: it can be deleted at once.
  EXPECT_TRUE(::DeleteFileW(Temp().c_str()));
}

TEST_F(DownloadTest, WithoutACallbackItStillDownloadsAndKeepsTheLastError) {
  TRecorder failing;
  std::wstring empty;
  Client->DownloadFile(L"", Target, failing.Event(), 0, L"GET", L"");
  ASSERT_EQ(Client->GetLastErrorText(), L"URL地址为空！");
  std::wstring name = Target;
  ASSERT_EQ(Client->DownloadFile(Url("size=2500"), name, nullptr, 0, L"GET", L""), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(2500)), "");
  EXPECT_EQ(Client->DownloadFile(Url("status=404"), name, nullptr, 0, L"GET", L""), kDownloadFailed);
  EXPECT_EQ(Client->GetLastErrorText(), L"URL地址为空！");
}

// Lengths unknown: chunked or ended by the connection; the total stays 0.
TEST_F(DownloadTest, NoContentLengthCompletesWithTotalZero) {
  for (const char* q : {"size=300000&nolen=1&rate=200000", "size=50000&chunked=1"}) {
    TRecorder rec;
    ASSERT_EQ(Download(Url(q), rec), kDownloadOk) << q;
    EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(q[5] == '3' ? 300000 : 50000)), "") << q;
    for (auto& i : rec.Infos) EXPECT_EQ(i.Total, 0) << q;
  }
}

TEST_F(DownloadTest, NoContentLengthGivesNoEstimateOnceAWindowCloses) {
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=400000&nolen=1&rate=150000"), rec), kDownloadOk);
  bool sawEstimate = false;
  for (auto& i : rec.Infos)
    if (i.State == dsProgress && i.Speed > 0) {
      sawEstimate = true;
      EXPECT_EQ(i.RemainTime, -1);
      EXPECT_EQ(i.RemainTimeText.Str(), "--:--:--");
    }
  EXPECT_TRUE(sawEstimate);
}

// A slow line with the default 512 KiB buffer: the loop reports while data flows.
TEST_F(DownloadTest, ASlowLineStillReportsProgressBeforeTheEnd) {
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=300000&rate=100000"), rec), kDownloadOk);
  int between = 0;
  for (auto& i : rec.Infos)
    if (i.State == dsProgress && i.Position > 0 && i.Position < 300000) ++between;
  EXPECT_GE(between, 1) << "a full-buffer read would have blocked until the end";
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(300000)), "");
}

TEST_F(DownloadTest, AMalformedLastModifiedCountsAsNone) {
  TRecorder rec;
  rec.Hook = [&](const THttpDownloadInfo& i, bool& cancel) { cancel = i.State == dsProgress; };
  ASSERT_EQ(Download(Url("size=1000&lm=Sun,%2031%20Feb%201994%2099:99:99%20GMT"), rec), kDownloadCancelled);
  EXPECT_EQ(ReadProfileValue(Sidecar(), L"LastModified"), L"1899-12-30 00:00:00");
  TRecorder done;
  ASSERT_EQ(Download(Url("size=1000&lm=garbage"), done), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(1000)), "");
}

TEST_F(DownloadTest, ZeroLimitAcceptsADownloadOfUnknownLength) {
  Client->SetMaxFileSize(0);
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=1000&nolen=1"), rec), kDownloadOk);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(1000)), "");
}

TEST_F(DownloadTest, BeforeDownloadSeesTheProbeAndMayRedirect) {
  uint64_t seenLength = 0;
  Client->SetOnBeforeDownload([&](IHttpClient&, std::wstring& objectPath, std::wstring&, int32_t& tag,
                                  const std::wstring& method, std::wstring&, uint64_t&, uint64_t& length, bool&,
                                  bool& handled) {
    seenLength = length;
    EXPECT_EQ(method, L"GET");
    tag = 42;
    objectPath = Utf8ToWide("/f/" + Key + "-other?size=1234&seed=4");
    handled = true;
  });
  TRecorder rec;
  ASSERT_EQ(Download(Url("size=999"), rec), kDownloadOk);
  EXPECT_EQ(seenLength, 999u);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Pattern(1234, 4)), "");
  EXPECT_EQ(rec.Infos.back().Tag, 42);
  EXPECT_EQ(Server().Log(Key + "-other").size(), 1u);
}

TEST_F(DownloadTest, TheRequestCarriesTheFixedHeadersAndTheExtraLines) {
  std::wstring name = Target;
  TRecorder rec;
  ASSERT_EQ(Client->DownloadFile(Url("size=10"), name, rec.Event(), 0, L"GET", L" X-One: 1 \r\n\r\nX-Two: 2"),
            kDownloadOk);
  auto log = Server().Log(Key);
  ASSERT_EQ(log.size(), 2u);
  for (const char* h : {"User-Agent", "Accept", "Cache-control", "Content-type", "X-One", "X-Two"})
    EXPECT_NE(log[1].HeaderNames.find(h), std::string::npos) << h << " in " << log[1].HeaderNames;
}

}  // namespace
