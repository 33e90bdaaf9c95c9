// Conformance against a real server: a private nginx on loopback serves the package path
// (percent-encoded UTF-8 on the wire). Fresh download, interrupted then resumed with a
// real Range request, already complete, changed file; and the qsget harness reaching
// nginx through the system proxy setting (http_proxy), as the program does.
#include <gtest/gtest.h>

#include <random>

#include "tests/http/DownloadTestSupport.h"

using namespace qs;
using namespace qs::test;

namespace {

const char kPackagePath[] = "/uploads/hub/Velmora（湖北）（完整安装包）.exe";
const char kEncodedPath[] =
    "/uploads/hub/Velmora%EF%BC%88%E6%B9%96%E5%8C%97%EF%BC%89%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85"
    "%E5%8C%85%EF%BC%89.exe";

void SetWriteTime(const std::wstring& file, WORD year) {
  HANDLE h = ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME st{year, 1, 0, 2, 3, 4, 5, 0};
  FILETIME ft;
  ::SystemTimeToFileTime(&st, &ft);
  ::SetFileTime(h, nullptr, nullptr, &ft);
  ::CloseHandle(h);
}

class NginxTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Nginx.Running()) << "nginx did not start";
    Served = Nginx.ServedFile(kPackagePath);
    ForceDirectories(Nginx.Dir().Win("www/uploads/hub"));
    Content = Pattern(3000000, 11);
    ASSERT_TRUE(WriteFileBytes(Served, Content));
    SetWriteTime(Served, 2021);
    Client = std::make_shared<THttpClient>();
    Client->SetAllowResume(true);
    Target = Dir / L"Velmora（湖北）（完整安装包）.exe";
  }
  int32_t Download(const std::string& path, TRecorder& rec) {
    std::wstring name = Target;
    return Client->DownloadFile(Nginx.Url(path), name, rec.Event(), 0, L"GET", L"");
  }
  // Interrupts a transfer through the rate-limited location at its first timed report.
  void Interrupt() {
    TRecorder rec;
    rec.Hook = [](const THttpDownloadInfo& i, bool& cancel) { cancel = i.State == dsProgress && i.Position > 0; };
    ASSERT_EQ(Download(std::string("/slow") + kPackagePath, rec), kDownloadCancelled);
    Partial = ReadFileBytes(Target + L".tmp").size();
    ASSERT_GT(Partial, 0u);
    ASSERT_LT(Partial, Content.size());
  }

  TNginxServer Nginx;
  TScratchDir Dir{L"ngx"};
  std::wstring Served, Target;
  std::string Content;
  size_t Partial = 0;
  std::shared_ptr<THttpClient> Client;
};

TEST_F(NginxTest, FreshDownloadOfThePackagePath) {
  TRecorder rec;
  ASSERT_EQ(Download(kPackagePath, rec), kDownloadOk) << WideToUtf8(rec.FailText());
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Content), "");
  std::string log = Nginx.AccessLog();
  EXPECT_NE(log.find(std::string("HEAD \"") + kEncodedPath + "\" 200"), std::string::npos) << log;
  EXPECT_NE(log.find(std::string("GET \"") + kEncodedPath + "\" 200 range=\"-\""), std::string::npos) << log;
}

TEST_F(NginxTest, InterruptedThenResumedWithARangeRequest) {
  Interrupt();
  TRecorder rec;
  ASSERT_EQ(Download(kPackagePath, rec), kDownloadOk) << WideToUtf8(rec.FailText());
  EXPECT_EQ(rec.Infos.at(1).Position, static_cast<int64_t>(Partial));
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Content), "");
  std::string log = Nginx.AccessLog();
  std::string resumed = std::string("GET \"") + kEncodedPath + "\" 206 range=\"bytes=" + std::to_string(Partial) + "-\"";
  EXPECT_NE(log.find(resumed), std::string::npos) << log;
}

TEST_F(NginxTest, AlreadyCompleteNeedsNoTransfer) {
  Interrupt();
  ASSERT_TRUE(WriteFileBytes(Target + L".tmp", Content));
  TRecorder rec;
  ASSERT_EQ(Download(kPackagePath, rec), kDownloadOk);
  EXPECT_EQ(rec.States(), "SE");
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Content), "");
  EXPECT_EQ(Nginx.AccessLog().find(std::string("GET \"") + kEncodedPath), std::string::npos);
}

TEST_F(NginxTest, AChangedFileIsFetchedAfresh) {
  Interrupt();
  std::string changed = Pattern(3000000, 12);
  ASSERT_TRUE(WriteFileBytes(Served, changed));
  SetWriteTime(Served, 2022);
  TRecorder rec;
  ASSERT_EQ(Download(kPackagePath, rec), kDownloadOk);
  EXPECT_EQ(rec.Infos.at(1).Position, 0);
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), changed), "");
  EXPECT_NE(Nginx.AccessLog().find(std::string("GET \"") + kEncodedPath + "\" 200 range=\"-\""), std::string::npos);
}

// The connection dropped at a random byte (our server as the proxy in front of nginx,
// closing the answer there), then resumed by the next call with a Range request.
TEST_F(NginxTest, DroppedAtARandomByteThenResumedThroughAProxy) {
  TScriptedServer proxy;
  ASSERT_TRUE(proxy.Running());
  Client->SetAccessType(2);
  Client->SetProxyServer(L"127.0.0.1:" + std::to_wstring(proxy.Port()));
  std::mt19937 random(static_cast<unsigned>(::GetTickCount64()));
  size_t cut = std::uniform_int_distribution<size_t>(1, Content.size() - 1)(random);
  SCOPED_TRACE("cut at byte " + std::to_string(cut));
  ASSERT_EQ(RawGet(proxy.Port(), "/_cut/" + std::to_string(cut)).Status, 200);
  TRecorder first, second;
  EXPECT_EQ(Download(kPackagePath, first), kDownloadFailed);
  EXPECT_EQ(ReadFileBytes(Target + L".tmp").size(), cut);
  ASSERT_EQ(Download(kPackagePath, second), kDownloadOk) << WideToUtf8(second.FailText());
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Content), "");
  std::string resumed = std::string("GET \"") + kEncodedPath + "\" 206 range=\"bytes=" + std::to_string(cut) + "-\"";
  EXPECT_NE(Nginx.AccessLog().find(resumed), std::string::npos) << Nginx.AccessLog();
}

// Runs qsget.exe with http_proxy pointing at nginx; returns its exit code and output.
long long RunQsget(const TNginxServer& proxy, const std::wstring& args, std::string& output) {
  std::wstring proxyUrl = L"http://127.0.0.1:" + std::to_wstring(proxy.Port());
  ::SetEnvironmentVariableW(L"http_proxy", proxyUrl.c_str());
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ::CreatePipe(&readEnd, &writeEnd, &sa, 0);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::wstring exe = BinDir() + L"qsget.exe";
  std::wstring cmd = L"\"" + exe + L"\" " + args;
  BOOL started = ::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  ::SetEnvironmentVariableW(L"http_proxy", nullptr);
  ::CloseHandle(writeEnd);
  if (!started) {
    ::CloseHandle(readEnd);
    return -2;
  }
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n) output.append(buf, n);
  ::CloseHandle(readEnd);
  ::WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return static_cast<int>(code);
}

TEST_F(NginxTest, QsgetReachesTheServerThroughTheSystemProxy) {
  std::string out;
  std::wstring url = L"http://dl.velmora.com.cn" + Utf8ToWide(kPackagePath);
  ASSERT_EQ(RunQsget(Nginx, L"\"" + url + L"\" \"" + Target + L"\"", out), 0) << out;
  EXPECT_EQ(Mismatch(ReadFileBytes(Target), Content), "");
  EXPECT_EQ(out.rfind("dsStart\t0\t0\t-1\t0.00B/S\t00:00:00\t\n", 0), 0u) << out;
  EXPECT_NE(out.find("dsProgress\t0\t3000000\t-1\t"), std::string::npos) << out;
  EXPECT_NE(out.find("dsEnd\t3000000\t3000000\t0\t0.00B/S\t00:00:00\t\nresult\t0\n"), std::string::npos) << out;
  // nginx saw the absolute-form request of a client that uses a proxy.
  EXPECT_NE(Nginx.AccessLog().find(std::string("GET \"") + kEncodedPath), std::string::npos);
}

TEST_F(NginxTest, QsgetExitCodeIsTheResult) {
  std::string out;
  std::wstring missing = L"http://dl.velmora.com.cn/uploads/hub/missing.exe";
  EXPECT_EQ(RunQsget(Nginx, L"\"" + missing + L"\" \"" + Target + L"\" --no-resume", out), -1) << out;
  EXPECT_NE(out.find("dsFail\t0\t0\t-1\t0.00B/S\t00:00:00\t发生下载请求失败:"), std::string::npos) << out;
  EXPECT_NE(out.find("result\t-1\n"), std::string::npos) << out;
  EXPECT_EQ(Nginx.AccessLog().find("HEAD"), std::string::npos) << "--no-resume sends no probe";
}

}  // namespace
