// Reading and writing the values the engine exchanges with a server and with its
// sidecar file: Content-Length and Last-Modified read as text (the library's number and
// calendar-time conversions refuse lengths of 4 GiB and more and can crash on a
// malformed date), Content-Range, the sidecar's date form and the request header lines.
// No Windows API here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qs {

// A calendar time in GMT, as an HTTP date carries it.
struct THttpDate {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool operator==(const THttpDate&) const = default;
};

enum TLengthKind { lkNone, lkValue, lkTooLarge };
struct TContentLength {
  TLengthKind Kind = lkNone;  // lkNone: absent or malformed; lkTooLarge: digits past 64 bits
  uint64_t Value = 0;
};

// A Content-Length value: decimal digits with optional surrounding blanks.
TContentLength ParseContentLength(const std::string& text);

// The three date forms of HTTP (IMF-fixdate, the obsolete RFC 850 form, asctime); a
// malformed or impossible date gives nothing.
std::optional<THttpDate> ParseHttpDate(const std::string& text);

struct TContentRange {
  uint64_t First = 0, Last = 0;
  std::optional<uint64_t> Total;  // absent for "*"
};
// "bytes FIRST-LAST/TOTAL" or "bytes FIRST-LAST/*".
std::optional<TContentRange> ParseContentRange(const std::string& text);

// Days since 1899-12-30, the date-time form the sidecar's text is made from; 0 for none.
double DateTimeFromHttpDate(const THttpDate& date);
// "yyyy-mm-dd hh:nn:ss" of a date-time (0 gives 1899-12-30 00:00:00).
std::string FormatSidecarDate(double dateTime);

// The header lines of a request, in the order they are added: the fixed four, the range
// pair when ranged from a non-zero offset, then every non-empty trimmed extra line.
std::vector<std::string> RequestHeaderLines(const std::string& extraHeaders, bool ranged, uint64_t rangeStart);

}  // namespace qs
