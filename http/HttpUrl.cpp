// URL splitting and the session/connection set-up.
#include "http/HttpClientImpl.h"

namespace qs {

bool THttpClient::ParseURL(const std::wstring&, TURLParts& parts) {
  parts = TURLParts{};
  return false;  // built with the WinInet layer
}

}  // namespace qs
