#include "http/HttpHelpers.h"

#include <windows.h>

#include "base/Handle.h"

namespace qs {

int64_t GetFileSizeByName(const std::wstring& fileName) {
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW(fileName.c_str(), &data));
  if (!find) return 0;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace qs
