// The texts for a transfer speed and a remaining time that go into every progress
// record. Returned as UTF-16; the caller converts them to the ANSI code page where the
// record keeps them as 8-bit text. No Windows API here.
#pragma once
#include <cstdint>
#include <string>

namespace qs {

// "%.2f" of the value scaled by 1024 up to five times (strictly above 1024 each time),
// the unit B, KB, MB, GB, TB or PB, and "/S"; "--" for a negative value or NaN.
std::wstring FormatSpeed(double bytesPerSecond);

// "hh:nn:ss" below one day, "N天 " from one to 999 days, "大于999天..." beyond,
// "--:--:--" for a negative value (no estimate).
std::wstring FormatRemainTime(int64_t milliseconds);

}  // namespace qs
