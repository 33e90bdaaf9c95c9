// The engine's text work, free of any system call: URL percent-encoding, the speed and
// remaining-time texts, HTTP header values (lengths, dates, content ranges), the
// sidecar's date form and the splitting of extra header lines.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qs {

// Every run of code units above 0x80 becomes UTF-8 percent-encoded; ASCII stays as it is.
std::wstring EncodeUrlNonAscii(const std::wstring& text);
// Text as UTF-8: letters, digits and ! $ ' ( ) * - . @ _ kept, space as "+", else %XX.
std::wstring UrlEncodeUtf8(const std::wstring& text);

// "1.50KB/S"; "--" for a negative value.
std::string FormatSpeed(double bytesPerSecond);
// "01:02:05", "3天 ", "大于999天...", "--:--:--" (8-bit, code page 936).
std::string FormatRemainTime(int64_t milliseconds);

// A calendar time as the server sends it (GMT).
struct THttpTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool operator==(const THttpTime&) const = default;
};

// Content-Length as text: decimal digits only, 64-bit; nothing for anything else.
std::optional<int64_t> ParseContentLength(const std::wstring& text);
// The three HTTP date forms (RFC 1123, RFC 850, asctime); nothing for a malformed date.
std::optional<THttpTime> ParseHttpDate(const std::wstring& text);
// "yyyy-mm-dd hh:nn:ss"; no time gives the zero date-time 1899-12-30 00:00:00.
std::wstring FormatSidecarTime(const std::optional<THttpTime>& time);

struct TContentRange {
  int64_t First = 0, Last = 0;
  int64_t Total = -1;  // -1 for "*"
};
// "bytes FIRST-LAST/TOTAL" (TOTAL may be "*").
std::optional<TContentRange> ParseContentRange(const std::wstring& text);

// Extra header text split at CR, LF or CR LF, each line trimmed of blanks and control
// characters, empty lines dropped.
std::vector<std::wstring> SplitHeaderLines(const std::wstring& text);

}  // namespace qs
