// The resumable download of one URL into one file.
#include "http/HttpClientImpl.h"

namespace qs {

int32_t THttpClient::DownloadFile(const std::wstring&, std::wstring&, const TDownloadProgressEvent&, int32_t,
                                  const std::wstring&, const std::wstring&) {
  return kDownloadFailed;  // built with the WinInet layer
}

}  // namespace qs
