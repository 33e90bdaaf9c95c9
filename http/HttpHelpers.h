// Helpers of the engine that touch the system: file sizes by name.
#pragma once
#include <cstdint>
#include <string>

namespace qs {

// Size of the named file from its directory entry (the file is not opened); 0 when
// there is no such file.
int64_t GetFileSizeByName(const std::wstring& fileName);

}  // namespace qs
