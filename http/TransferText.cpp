#include "http/TransferText.h"

#include <cstdio>
#include <string_view>

namespace qs {
namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 code units (in wchar_t, whatever its width) to UTF-8; a lone surrogate becomes U+FFFD.
std::string ToUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = static_cast<uint32_t>(text[i]) & 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      uint32_t low = static_cast<uint32_t>(text[i + 1]) & 0xFFFF;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, (c >= 0xD800 && c <= 0xDFFF) ? 0xFFFD : c);
  }
  return out;
}

std::wstring Trim(const std::wstring& s) {
  size_t a = 0, b = s.size();
  while (a < b && s[a] <= L' ') ++a;
  while (b > a && s[b - 1] <= L' ') --b;
  return s.substr(a, b - a);
}

int MonthOf(const std::wstring& name) {
  static const wchar_t* const kMonths[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                           L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
  for (int i = 0; i < 12; ++i)
    if (name == kMonths[i]) return i + 1;
  return 0;
}

std::optional<int> Number(const std::wstring& s, size_t minDigits, size_t maxDigits) {
  if (s.size() < minDigits || s.size() > maxDigits) return std::nullopt;
  int v = 0;
  for (wchar_t c : s) {
    if (c < L'0' || c > L'9') return std::nullopt;
    v = v * 10 + (c - L'0');
  }
  return v;
}

std::vector<std::wstring> Words(const std::wstring& s) {
  std::vector<std::wstring> out;
  std::wstring cur;
  for (wchar_t c : s) {
    if (c == L' ' || c == L',') {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

bool ParseClock(const std::wstring& s, THttpTime& t) {
  if (s.size() != 8 || s[2] != L':' || s[5] != L':') return false;
  auto h = Number(s.substr(0, 2), 2, 2), m = Number(s.substr(3, 2), 2, 2), sec = Number(s.substr(6, 2), 2, 2);
  if (!h || !m || !sec || *h > 23 || *m > 59 || *sec > 60) return false;
  t.Hour = *h;
  t.Minute = *m;
  t.Second = *sec == 60 ? 59 : *sec;
  return true;
}

bool ValidDate(const THttpTime& t) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.Year < 1601 || t.Year > 9999 || t.Month < 1 || t.Month > 12 || t.Day < 1) return false;
  bool leap = (t.Year % 4 == 0 && t.Year % 100 != 0) || t.Year % 400 == 0;
  return t.Day <= (t.Month == 2 && !leap ? 28 : kDays[t.Month - 1]);
}

}  // namespace

std::wstring UrlEncodeUtf8(const std::wstring& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  for (unsigned char b : ToUtf8(text)) {
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
        std::string_view("!$'()*-.@_").find(static_cast<char>(b)) != std::string_view::npos) {
      out += static_cast<wchar_t>(b);
    } else if (b == ' ') {
      out += L'+';
    } else {
      out += L'%';
      out += static_cast<wchar_t>(kHex[b >> 4]);
      out += static_cast<wchar_t>(kHex[b & 15]);
    }
  }
  return out;
}

std::wstring EncodeUrlNonAscii(const std::wstring& text) {
  std::wstring out, run;
  for (wchar_t c : text) {
    if (static_cast<uint32_t>(c) > 0x80) {
      run += c;
      continue;
    }
    if (!run.empty()) {
      out += UrlEncodeUtf8(run);
      run.clear();
    }
    out += c;
  }
  if (!run.empty()) out += UrlEncodeUtf8(run);
  return out;
}

std::string FormatSpeed(double value) {
  if (!(value >= 0)) return "--";
  static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB", "PB"};
  int unit = 0;
  for (int i = 0; i < 5; ++i) {
    if (value > 1024) {
      value /= 1024;
      ++unit;
    }
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f%s/S", value, kUnits[unit]);
  return buf;
}

std::string FormatRemainTime(int64_t ms) {
  if (ms < 0) return "--:--:--";
  int64_t seconds = ms / 1000;
  int64_t s = seconds % 60, m = (seconds / 60) % 60, h = (seconds / 3600) % 24, d = seconds / 86400;
  if (d > 999) return "\xB4\xF3\xD3\xDA" "999" "\xCC\xEC...";  // 大于999天... in code page 936
  char buf[32];
  if (d >= 1) {
    std::snprintf(buf, sizeof buf, "%lld\xCC\xEC ", static_cast<long long>(d));  // N天
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", static_cast<long long>(h), static_cast<long long>(m),
                static_cast<long long>(s));
  return buf;
}

std::optional<int64_t> ParseContentLength(const std::wstring& text) {
  std::wstring t = Trim(text);
  if (t.empty() || t.size() > 18) return std::nullopt;  // 18 digits cannot overflow 64 bits
  int64_t v = 0;
  for (wchar_t c : t) {
    if (c < L'0' || c > L'9') return std::nullopt;
    v = v * 10 + (c - L'0');
  }
  return v;
}

std::optional<THttpTime> ParseHttpDate(const std::wstring& text) {
  auto w = Words(Trim(text));
  THttpTime t;
  if (w.size() == 6 && w[5] == L"GMT") {
    // "Sun, 06 Nov 1994 08:49:37 GMT"
    auto day = Number(w[1], 1, 2), year = Number(w[3], 4, 4);
    if (!day || !year) return std::nullopt;
    t.Day = *day;
    t.Month = MonthOf(w[2]);
    t.Year = *year;
    if (!ParseClock(w[4], t)) return std::nullopt;
  } else if (w.size() == 4 && w[3] == L"GMT") {
    // "Sunday, 06-Nov-94 08:49:37 GMT"
    const std::wstring& d = w[1];
    if (d.size() != 9 || d[2] != L'-' || d[6] != L'-') return std::nullopt;
    auto day = Number(d.substr(0, 2), 2, 2), yy = Number(d.substr(7, 2), 2, 2);
    if (!day || !yy) return std::nullopt;
    t.Day = *day;
    t.Month = MonthOf(d.substr(3, 3));
    t.Year = *yy < 70 ? 2000 + *yy : 1900 + *yy;
    if (!ParseClock(w[2], t)) return std::nullopt;
  } else if (w.size() == 5) {
    // "Sun Nov  6 08:49:37 1994"
    auto day = Number(w[2], 1, 2), year = Number(w[4], 4, 4);
    if (!day || !year) return std::nullopt;
    t.Month = MonthOf(w[1]);
    t.Day = *day;
    t.Year = *year;
    if (!ParseClock(w[3], t)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (!ValidDate(t)) return std::nullopt;
  return t;
}

std::wstring FormatSidecarTime(const std::optional<THttpTime>& time) {
  THttpTime t = time.value_or(THttpTime{1899, 12, 30, 0, 0, 0});
  wchar_t buf[32];
  std::swprintf(buf, 32, L"%04d-%02d-%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
  return buf;
}

std::optional<TContentRange> ParseContentRange(const std::wstring& text) {
  std::wstring t = Trim(text);
  if (t.rfind(L"bytes ", 0) != 0) return std::nullopt;
  t = Trim(t.substr(6));
  size_t dash = t.find(L'-'), slash = t.find(L'/');
  if (dash == std::wstring::npos || slash == std::wstring::npos || slash < dash) return std::nullopt;
  auto first = ParseContentLength(t.substr(0, dash));
  auto last = ParseContentLength(t.substr(dash + 1, slash - dash - 1));
  if (!first || !last || *last < *first) return std::nullopt;
  TContentRange r{*first, *last, -1};
  std::wstring total = t.substr(slash + 1);
  if (total != L"*") {
    auto v = ParseContentLength(total);
    if (!v || *v <= *last) return std::nullopt;
    r.Total = *v;
  }
  return r;
}

std::vector<std::wstring> SplitHeaderLines(const std::wstring& text) {
  std::vector<std::wstring> out;
  std::wstring cur;
  auto flush = [&] {
    std::wstring line = Trim(cur);
    if (!line.empty()) out.push_back(line);
    cur.clear();
  };
  for (wchar_t c : text) {
    if (c == L'\r' || c == L'\n')
      flush();
    else
      cur += c;
  }
  flush();
  return out;
}

}  // namespace qs
