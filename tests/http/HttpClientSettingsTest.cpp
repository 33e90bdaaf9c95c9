// The client's settings, copies, the shared instance and the partial-file names.
#include <gtest/gtest.h>

#include "http/HttpClientImpl.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

void ChangeEverything(IHttpClient& c) {
  c.SetAgent(L"agent");
  c.SetAccessType(2);
  c.SetTimeout(5);
  c.SetProxyServer(L"proxy:1");
  c.SetProxyUserName(L"u");
  c.SetProxyPassword(L"p");
  c.SetMaxFileSize(7);
  c.SetBufferSize(9);
  c.SetRetryCount(1);
  c.SetAllowResume(true);
}

void ExpectDefaults(const IHttpClient& c) {
  EXPECT_EQ(c.GetAgent(), ExeFileName());
  EXPECT_EQ(c.GetAccessType(), 1);
  EXPECT_EQ(c.GetTimeout(), 60000);
  EXPECT_EQ(c.GetProxyServer(), L"");
  EXPECT_EQ(c.GetProxyUserName(), L"");
  EXPECT_EQ(c.GetProxyPassword(), L"");
  EXPECT_EQ(c.GetMaxFileSize(), 2097152000);
  EXPECT_EQ(c.GetBufferSize(), 524288);
  EXPECT_EQ(c.GetRetryCount(), 3);
  EXPECT_FALSE(c.GetAllowResume());
}

TEST(HttpClientSettings, FreshClientHasTheDefaults) {
  THttpClient c;
  ExpectDefaults(c);
  EXPECT_EQ(c.GetLastErrorText(), L"");
  EXPECT_FALSE(c.GetOnBeforeDownload());
}

TEST(HttpClientSettings, SharedInstanceIsOneObject) {
  auto a = GetHttpClient();
  auto b = GetHttpClient();
  EXPECT_EQ(a.get(), b.get());
  a->SetRetryCount(5);
  EXPECT_EQ(b->GetRetryCount(), 5);
  a->ResetSettings();
}

TEST(HttpClientSettings, ResetRestoresDefaultsButKeepsHandlerAndError) {
  THttpClient c;
  int calls = 0;
  c.SetOnBeforeDownload([&](IHttpClient&, std::wstring&, std::wstring&, int32_t&, const std::wstring&, std::wstring&,
                            uint64_t&, uint64_t&, bool&, bool&) { ++calls; });
  ChangeEverything(c);
  c.ResetSettings();
  ExpectDefaults(c);
  EXPECT_TRUE(c.GetOnBeforeDownload());
}

TEST(HttpClientSettings, CloneCopiesAndStaysSeparate) {
  auto original = std::make_shared<THttpClient>();
  ChangeEverything(*original);
  auto copy = original->Clone();
  ASSERT_NE(copy.get(), original.get());
  EXPECT_EQ(copy->GetAgent(), L"agent");
  EXPECT_EQ(copy->GetAccessType(), 2);
  EXPECT_EQ(copy->GetTimeout(), 5);
  EXPECT_EQ(copy->GetProxyServer(), L"proxy:1");
  EXPECT_EQ(copy->GetProxyUserName(), L"u");
  EXPECT_EQ(copy->GetProxyPassword(), L"p");
  EXPECT_EQ(copy->GetMaxFileSize(), 7);
  EXPECT_EQ(copy->GetBufferSize(), 9);
  EXPECT_EQ(copy->GetRetryCount(), 1);
  EXPECT_TRUE(copy->GetAllowResume());
  copy->ResetSettings();
  EXPECT_EQ(original->GetAgent(), L"agent");
  EXPECT_NE(copy.get(), GetHttpClient().get());
}

TEST(HttpClientSettings, TempNameAndDownloadedSize) {
  THttpClient c;
  EXPECT_EQ(c.GetTempName(L"C:\\a\\pkg.exe"), L"C:\\a\\pkg.exe.tmp");
  EXPECT_EQ(c.GetTempName(L"name"), L"name.tmp");
  TScratchDir dir;
  std::wstring target = dir / L"安装包.exe";
  EXPECT_EQ(c.GetDownloadedSize(target), 0u);
  WriteFileBytes(target, std::string(10, 'x'));
  EXPECT_EQ(c.GetDownloadedSize(target), 10u);
  WriteFileBytes(target + L".tmp", std::string(3, 'x'));  // the partial file wins
  EXPECT_EQ(c.GetDownloadedSize(target), 3u);
}

TEST(HttpDownloadInfo, ShortStringsHoldAtMostSixteenBytes) {
  THttpDownloadInfo info;
  EXPECT_EQ(info.Valid, 1);
  info.SpeedText.Assign("0123456789abcdefXYZ");
  EXPECT_EQ(info.SpeedText.Length, 16);
  EXPECT_EQ(info.SpeedText.Str(), "0123456789abcdef");
  info.RemainTimeText.Assign("00:00:00");
  EXPECT_EQ(info.RemainTimeText.Str(), "00:00:00");
}

}  // namespace
