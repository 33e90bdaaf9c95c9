// An IHttpClient that plays a script: a ParseURL answer, a sequence of progress
// notifications and a result per DownloadFile call. Records what it was asked.
#pragma once
#include <deque>
#include <vector>

#include "http/HttpClient.h"

namespace qs::test {

struct TScriptedDownload {
  std::vector<THttpDownloadInfo> Notifications;
  int32_t Result = kDownloadOk;
  int32_t ResultIfCancelled = kDownloadCancelled;
};

class TScriptedClient : public IHttpClient {
public:
  bool ParseOk = true;
  std::wstring ParsedPath = L"/uploads/hub/Velmora（湖北）（完整安装包）.exe";
  std::deque<TScriptedDownload> Downloads;
  std::vector<std::wstring> DownloadedTargets;
  std::vector<std::wstring> DownloadedUrls;
  bool AllowResume = false;
  int AllowResumeCalls = 0;

  bool ParseURL(const std::wstring&, TURLParts& parts) override {
    parts = TURLParts{};
    if (ParseOk) parts.UrlPath = ParsedPath;
    return ParseOk;
  }
  int32_t DownloadFile(const std::wstring& url, std::wstring& fileName, const TDownloadProgressEvent& onProgress,
                       int32_t tag, const std::wstring& method, const std::wstring& extra) override {
    DownloadedUrls.push_back(url);
    DownloadedTargets.push_back(fileName);
    LastTag = tag; LastMethod = method; LastExtra = extra;
    if (Downloads.empty()) return kDownloadFailed;
    TScriptedDownload d = Downloads.front();
    Downloads.pop_front();
    for (auto& info : d.Notifications) {
      bool cancel = false;
      onProgress(info, cancel);
      if (cancel && info.State == dsProgress) return d.ResultIfCancelled;
      if (cancel && info.State == dsStart) return kDownloadFailed;
    }
    return d.Result;
  }
  void SetAllowResume(bool value) override { AllowResume = value; ++AllowResumeCalls; }
  bool GetAllowResume() const override { return AllowResume; }

  int32_t LastTag = -99;
  std::wstring LastMethod, LastExtra;

  // The rest of the interface is not used by the workflow.
  std::wstring GetAgent() const override { return {}; }
  uint8_t GetAccessType() const override { return 1; }
  int32_t GetTimeout() const override { return 0; }
  std::wstring GetProxyServer() const override { return {}; }
  std::wstring GetProxyUserName() const override { return {}; }
  std::wstring GetProxyPassword() const override { return {}; }
  int64_t GetMaxFileSize() const override { return 0; }
  int32_t GetBufferSize() const override { return 0; }
  int32_t GetRetryCount() const override { return 0; }
  TBeforeDownloadEvent GetOnBeforeDownload() const override { return {}; }
  std::wstring GetLastErrorText() const override { return {}; }
  void SetAgent(const std::wstring&) override {}
  void SetAccessType(uint8_t) override {}
  void SetTimeout(int32_t) override {}
  void SetProxyServer(const std::wstring&) override {}
  void SetProxyUserName(const std::wstring&) override {}
  void SetProxyPassword(const std::wstring&) override {}
  void SetMaxFileSize(int64_t) override {}
  void SetBufferSize(int32_t) override {}
  void SetRetryCount(int32_t) override {}
  void SetOnBeforeDownload(TBeforeDownloadEvent) override {}
  THttpClientRef Clone() const override { return nullptr; }
  void ResetSettings() override {}
  bool CheckUrl(const std::wstring&) override { return false; }
  std::wstring GetTempName(const std::wstring& f) const override { return f + L".tmp"; }
  uint64_t GetDownloadedSize(const std::wstring&) const override { return 0; }
  bool GetText(const std::wstring&, const std::wstring&, std::wstring&, bool) override { return false; }
  bool GetStream(const std::wstring&, const std::wstring&, const TStreamRef&) override { return false; }
  bool PostText(const std::wstring&, const std::wstring&, std::wstring&, const std::wstring&, std::wstring&, bool) override { return false; }
  bool PostStreamText(const std::wstring&, const std::wstring&, std::wstring&, const TStreamRef&, std::wstring&, bool) override { return false; }
  bool PostTextStream(const std::wstring&, const std::wstring&, std::wstring&, const std::wstring&, const TStreamRef&) override { return false; }
  bool Post(const std::wstring&, const std::wstring&, std::wstring&, const TStreamRef&, const TStreamRef&) override { return false; }
};

inline THttpDownloadInfo Note(uint8_t state, int64_t position = 0, int64_t total = 0, std::wstring message = {}) {
  THttpDownloadInfo info;
  info.State = state;
  info.Position = position;
  info.Total = total;
  info.Message = std::move(message);
  return info;
}

}  // namespace qs::test
