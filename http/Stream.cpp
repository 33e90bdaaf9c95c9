#include "http/Stream.h"

#include <algorithm>
#include <cstring>

namespace qs {

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  int64_t n = std::clamp<int64_t>(Size() - FPosition, 0, std::max<int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (FPosition + count > Size()) FData.resize(static_cast<size_t>(FPosition + count));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition += count;
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
  FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Seek(int64_t position) { FPosition = std::clamp<int64_t>(position, 0, Size()); }

}  // namespace qs
