#include "http/HttpHelpers.h"

#include <memory>

#include "base/Error.h"
#include "http/TransferText.h"
#include "http/WinInet.h"

namespace qs {

int64_t GetFileSizeByName(const std::wstring& fileName) {
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW(fileName.c_str(), &data));
  if (!find) return 0;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool AddRequestHeaders(HINTERNET request, const std::wstring& extraHeaders, bool ranged, uint64_t rangeStart) {
  static const wchar_t* const kFixed[] = {
      L"User-Agent:Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0) AppleWebKit/537.36 "
      L"(KHTML, like Gecko) Chrome/30.0.1599.101 Safari/537.36",
      L"Accept:text/html,application/xhtml+xml,application/xml,application/json;q=0.9,*/*;q=0.8",
      L"Cache-control:no-cache",
      L"Content-type:application/octet-stream",
  };
  for (const wchar_t* header : kFixed)
    if (!inet::AddHeader(request, header)) return false;
  if (ranged && rangeStart > 0) {
    if (!inet::AddHeader(request, L"Accept-Ranges:bytes")) return false;
    if (!inet::AddHeader(request, L"Range: bytes=" + std::to_wstring(rangeStart) + L"-")) return false;
  }
  for (const auto& line : SplitHeaderLines(extraHeaders))
    if (!inet::AddHeader(request, line)) return false;
  return true;
}

bool SendRequestWithRetry(HINTERNET request, int32_t attempts, IByteStream* body, DWORD* status) {
  if (status) *status = 0;
  std::unique_ptr<char[]> bytes;
  DWORD length = 0;
  if (body) {
    int64_t size = body->Size();
    if (size < 0) throw EQsError(L"Assertion failure (f_HttpClientImpl, line 1444)");
    if (size > 0) {
      bytes = std::make_unique<char[]>(static_cast<size_t>(size));
      length = static_cast<DWORD>(body->Read(bytes.get(), size));
    }
  }
  bool ok = false;
  while (request && attempts > 0) {
    DWORD code = 0;
    ok = inet::SendRequest(request, bytes.get(), length) && inet::QueryStatus(request, code) &&
         (code == 200 || code == 206);
    if (status) *status = code;
    if (ok) break;
    --attempts;
  }
  return ok;
}

}  // namespace qs
