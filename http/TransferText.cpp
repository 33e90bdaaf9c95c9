#include "http/TransferText.h"

#include <cmath>
#include <cstdio>

namespace qs {

std::wstring FormatSpeed(double bytesPerSecond) {
  if (std::isnan(bytesPerSecond) || bytesPerSecond < 0) return L"--";
  static const wchar_t* const kUnits[] = {L"B", L"KB", L"MB", L"GB", L"TB", L"PB"};
  double value = bytesPerSecond;
  int unit = 0;
  for (int i = 0; i < 5; ++i) {
    if (value > 1024) {
      value /= 1024;
      ++unit;
    }
  }
  wchar_t buf[64];
  std::swprintf(buf, sizeof buf / sizeof buf[0], L"%.2f%ls/S", value, kUnits[unit]);
  return buf;
}

std::wstring FormatRemainTime(int64_t milliseconds) {
  if (milliseconds < 0) return L"--:--:--";
  int64_t seconds = milliseconds / 1000;
  int64_t s = seconds % 60, m = (seconds / 60) % 60, h = (seconds / 3600) % 24, d = seconds / 86400;
  if (d > 999) return L"大于999天...";
  if (d >= 1) return std::to_wstring(d) + L"天 ";
  wchar_t buf[16];
  std::swprintf(buf, sizeof buf / sizeof buf[0], L"%02lld:%02lld:%02lld", static_cast<long long>(h),
                static_cast<long long>(m), static_cast<long long>(s));
  return buf;
}

}  // namespace qs
