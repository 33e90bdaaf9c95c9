// The request/response calls: GET and POST, as text or into streams.
#include "http/HttpClientImpl.h"

namespace qs {

bool THttpClient::CheckUrl(const std::wstring&) { return false; }
bool THttpClient::GetText(const std::wstring&, const std::wstring&, std::wstring&, bool) { return false; }
bool THttpClient::GetStream(const std::wstring&, const std::wstring&, const TStreamRef&) { return false; }
bool THttpClient::PostText(const std::wstring&, const std::wstring&, std::wstring&, const std::wstring&, std::wstring&,
                           bool) { return false; }
bool THttpClient::PostStreamText(const std::wstring&, const std::wstring&, std::wstring&, const TStreamRef&,
                                 std::wstring&, bool) { return false; }
bool THttpClient::PostTextStream(const std::wstring&, const std::wstring&, std::wstring&, const std::wstring&,
                                 const TStreamRef&) { return false; }
bool THttpClient::Post(const std::wstring&, const std::wstring&, std::wstring&, const TStreamRef&, const TStreamRef&) {
  return false;
}

}  // namespace qs
