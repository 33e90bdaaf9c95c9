// Helpers shared by the download and the request/response calls: file sizes by name,
// the request headers, the send-with-retry, and the text of a caught exception.
#pragma once
#include <cstdint>
#include <string>

#include "http/WinInet.h"
#include "http/Stream.h"

namespace qs {

// Size of the named file from its directory entry (the file is not opened); 0 when
// there is no such file.
int64_t GetFileSizeByName(const std::wstring& fileName);

// Adds the request header lines (fixed four, the range pair when ranged from a non-zero
// offset, the extra lines) one at a time; false at the first that cannot be added.
bool AddRequestHeaders(HINTERNET request, const std::string& extraHeaders, bool ranged, uint64_t rangeStart);

// Sends the request up to attempts times until the answer is 200 or 206. The body is
// read once from the stream's current position. Raises EQsError when the body stream
// cannot report its size.
bool SendRequestWithRetry(HINTERNET request, int32_t attempts, const TStreamRef& body);

// The message of the exception being handled; call only inside a catch block.
std::wstring CurrentExceptionMessage();

}  // namespace qs
