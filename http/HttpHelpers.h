// Helpers shared by the download and the request/response calls: file sizes by name,
// the fixed request headers, and the send-with-retry.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

#include "http/Stream.h"

namespace qs {

// Size of the named file from its directory entry (the file is not opened); 0 when
// there is no such file.
int64_t GetFileSizeByName(const std::wstring& fileName);

// The fixed headers in order, a Range from RangeStart when Ranged and RangeStart > 0,
// then each non-empty trimmed line of ExtraHeaders; false at the first that fails.
bool AddRequestHeaders(HINTERNET request, const std::wstring& extraHeaders, bool ranged, uint64_t rangeStart);

// Sends up to Attempts times until the answer is 200 or 206. Body (may be null) is read
// once from its current position. Status receives the last status seen (0 when none).
// Throws EQsError when the body stream cannot tell its size.
bool SendRequestWithRetry(HINTERNET request, int32_t attempts, IByteStream* body, DWORD* status = nullptr);

}  // namespace qs
