#include "http/HeaderValues.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace qs {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Parses digits at pos (at least one); false on overflow or when none.
bool ReadNumber(const std::string& s, size_t& pos, uint64_t& value) {
  size_t start = pos;
  value = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    unsigned d = static_cast<unsigned>(s[pos] - '0');
    if (value > (UINT64_MAX - d) / 10) return false;
    value = value * 10 + d;
    ++pos;
  }
  return pos > start;
}

int MonthIndex(const std::string& name) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int i = 0; i < 12; ++i)
    if (name == kMonths[i]) return i + 1;
  return 0;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

bool Valid(const THttpDate& d) {
  return d.Year >= 1601 && d.Year <= 9999 && d.Month >= 1 && d.Month <= 12 && d.Day >= 1 &&
         d.Day <= DaysInMonth(d.Year, d.Month) && d.Hour >= 0 && d.Hour <= 23 && d.Minute >= 0 && d.Minute <= 59 &&
         d.Second >= 0 && d.Second <= 59;
}

bool ParseClock(const char* s, THttpDate& d) {
  int n = 0;
  if (std::sscanf(s, "%2d:%2d:%2d%n", &d.Hour, &d.Minute, &d.Second, &n) != 3 || n != 8) return false;
  return true;
}

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const int64_t kEpochOffsetDays = 25569;  // 1899-12-30 to 1970-01-01

}  // namespace

TContentLength ParseContentLength(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty()) return {};
  for (char c : t)
    if (!IsDigit(c)) return {};
  size_t pos = 0;
  uint64_t value = 0;
  if (!ReadNumber(t, pos, value)) return {lkTooLarge, 0};
  return {lkValue, value};
}

std::optional<THttpDate> ParseHttpDate(const std::string& text) {
  std::string t = Trim(text);
  THttpDate d;
  char mon[4] = {};
  int n = 0;
  size_t comma = t.find(',');
  if (comma != std::string::npos) {
    std::string rest = t.substr(comma + 1);
    // IMF-fixdate: "Sun, 06 Nov 1994 08:49:37 GMT"
    if (std::sscanf(rest.c_str(), " %2d %3[A-Za-z] %4d %n", &d.Day, mon, &d.Year, &n) == 3 &&
        ParseClock(rest.c_str() + n, d) && Trim(rest.substr(n + 8)) == "GMT") {
      d.Month = MonthIndex(mon);
    } else {
      // RFC 850: "Sunday, 06-Nov-94 08:49:37 GMT"
      int yy = 0;
      n = 0;
      if (std::sscanf(rest.c_str(), " %2d-%3[A-Za-z]-%2d %n", &d.Day, mon, &yy, &n) != 3 || n == 0 ||
          !ParseClock(rest.c_str() + n, d) || Trim(rest.substr(n + 8)) != "GMT")
        return std::nullopt;
      d.Month = MonthIndex(mon);
      d.Year = yy < 70 ? 2000 + yy : 1900 + yy;
    }
  } else {
    // asctime: "Sun Nov  6 08:49:37 1994"
    char wday[4] = {};
    if (std::sscanf(t.c_str(), "%3[A-Za-z] %3[A-Za-z] %2d %n", wday, mon, &d.Day, &n) != 3 || n == 0 ||
        !ParseClock(t.c_str() + n, d))
      return std::nullopt;
    std::string year = Trim(t.substr(n + 8));
    if (year.size() != 4) return std::nullopt;
    for (char c : year)
      if (!IsDigit(c)) return std::nullopt;
    d.Year = std::stoi(year);
    d.Month = MonthIndex(mon);
  }
  if (!Valid(d)) return std::nullopt;
  return d;
}

std::optional<TContentRange> ParseContentRange(const std::string& text) {
  std::string t = Trim(text);
  if (t.compare(0, 6, "bytes ") != 0) return std::nullopt;
  size_t pos = 6;
  while (pos < t.size() && t[pos] == ' ') ++pos;
  TContentRange r;
  if (!ReadNumber(t, pos, r.First) || pos >= t.size() || t[pos++] != '-') return std::nullopt;
  if (!ReadNumber(t, pos, r.Last) || pos >= t.size() || t[pos++] != '/') return std::nullopt;
  if (r.Last < r.First) return std::nullopt;
  if (t.compare(pos, std::string::npos, "*") == 0) return r;
  uint64_t total = 0;
  if (!ReadNumber(t, pos, total) || pos != t.size() || r.Last >= total) return std::nullopt;
  r.Total = total;
  return r;
}

double DateTimeFromHttpDate(const THttpDate& date) {
  int64_t days = DaysFromCivil(date.Year, date.Month, date.Day) + kEpochOffsetDays;
  return static_cast<double>(days) + (date.Hour * 3600 + date.Minute * 60 + date.Second) / 86400.0;
}

std::string FormatSidecarDate(double dateTime) {
  // Rounded to whole seconds first, so 23:59:59.9999 does not print as 23:59:59 of a
  // day that the fraction has already left.
  int64_t totalSeconds = static_cast<int64_t>(std::llround(dateTime * 86400.0));
  int64_t days = totalSeconds / 86400, secs = totalSeconds % 86400;
  if (secs < 0) { secs += 86400; --days; }
  int y = 0, m = 0, d = 0;
  CivilFromDays(days - kEpochOffsetDays, y, m, d);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, static_cast<int>(secs / 3600),
                static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
  return buf;
}

std::vector<std::string> RequestHeaderLines(const std::string& extraHeaders, bool ranged, uint64_t rangeStart) {
  std::vector<std::string> lines = {
      "User-Agent:Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0) AppleWebKit/537.36 "
      "(KHTML, like Gecko) Chrome/30.0.1599.101 Safari/537.36",
      "Accept:text/html,application/xhtml+xml,application/xml,application/json;q=0.9,*/*;q=0.8",
      "Cache-control:no-cache",
      "Content-type:application/octet-stream",
  };
  if (ranged && rangeStart > 0) {
    lines.push_back("Accept-Ranges:bytes");
    lines.push_back("Range: bytes=" + std::to_string(rangeStart) + "-");
  }
  size_t start = 0;
  while (start <= extraHeaders.size()) {
    size_t end = extraHeaders.find_first_of("\r\n", start);
    if (end == std::string::npos) end = extraHeaders.size();
    std::string line = Trim(extraHeaders.substr(start, end - start));
    if (!line.empty()) lines.push_back(line);
    if (end < extraHeaders.size() && extraHeaders[end] == '\r' && end + 1 < extraHeaders.size() &&
        extraHeaders[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

}  // namespace qs
