// The process's one shared client.
#include "http/HttpClient.h"
#include "http/HttpClientImpl.h"

namespace qs {
namespace {
THttpClientRef& Shared() {
  static THttpClientRef client;
  return client;
}
}  // namespace

THttpClientRef GetHttpClient() {
  auto& client = Shared();
  if (!client) client = std::make_shared<THttpClient>();
  return client;
}

void ReleaseHttpClient() { Shared().reset(); }

}  // namespace qs
