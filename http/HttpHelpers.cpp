#include "http/HttpHelpers.h"

#include <exception>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "http/HeaderValues.h"
#include "http/WinInet.h"

namespace qs {

int64_t GetFileSizeByName(const std::wstring& fileName) {
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW(fileName.c_str(), &data));
  if (!find) return 0;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool AddRequestHeaders(HINTERNET request, const std::string& extraHeaders, bool ranged, uint64_t rangeStart) {
  for (const std::string& line : RequestHeaderLines(extraHeaders, ranged, rangeStart))
    if (!TWinInet::AddRequestHeader(request, line)) return false;
  return true;
}

bool SendRequestWithRetry(HINTERNET request, int32_t attempts, const TStreamRef& body) {
  bool result = false;
  std::vector<char> bytes;
  if (body) {
    int64_t size = body->Size();
    // The text callers see when the body stream cannot tell its size.
    if (size < 0) throw EQsError(L"Assertion failure (f_HttpClientImpl, line 1444)");
    if (size > 0) {
      bytes.resize(static_cast<size_t>(size));
      bytes.resize(static_cast<size_t>(body->Read(bytes.data(), size)));
    }
  }
  while (request && attempts > 0) {
    DWORD status = 0;
    if (TWinInet::SendRequest(request, bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size())) &&
        TWinInet::QueryStatusCode(request, status) && (status == 200 || status == 206)) {
      result = true;
      break;
    }
    result = false;
    --attempts;
  }
  return result;
}

std::wstring CurrentExceptionMessage() {
  try {
    throw;
  } catch (const EQsError& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return AnsiToWide(e.what());
  } catch (...) {
    return L"未知异常";
  }
}

}  // namespace qs
