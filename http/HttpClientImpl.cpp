// THttpClient's construction, settings, copies and the partial-file names.
#include "http/HttpClientImpl.h"

#include "base/Paths.h"
#include "http/HttpHelpers.h"

namespace qs {

THttpClient::THttpClient() { ResetSettings(); }

void THttpClient::ResetSettings() {
  // OnBeforeDownload and LastErrorText survive a reset.
  FSettings = THttpSettings{};
  FSettings.Agent = ExeFileName();
}

THttpClientRef THttpClient::Clone() const {
  auto copy = std::make_shared<THttpClient>();
  copy->FSettings = FSettings;
  copy->FOnBeforeDownload = FOnBeforeDownload;
  copy->FLastErrorText = FLastErrorText;
  return copy;
}

std::wstring THttpClient::GetTempName(const std::wstring& fileName) const { return fileName + L".tmp"; }

uint64_t THttpClient::GetDownloadedSize(const std::wstring& fileName) const {
  std::wstring temp = GetTempName(fileName);
  return static_cast<uint64_t>(GetFileSizeByName(FileExists(temp) ? temp : fileName));
}

}  // namespace qs
