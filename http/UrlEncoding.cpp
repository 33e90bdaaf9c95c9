// The UTF-8 step is done here by hand because this file is also compiled natively, where
// wchar_t holds whole code points instead of UTF-16 units; both forms are accepted.
#include "http/UrlEncoding.h"

#include <cstdint>

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

std::string ToUtf8(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = static_cast<uint32_t>(text[i]);
    bool high = cp >= 0xD800 && cp <= 0xDBFF;
    if (high && i + 1 < text.size()) {
      uint32_t low = static_cast<uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    // A lone surrogate or a value past Unicode cannot be sent as UTF-8: the replacement
    // character stands in for it, as the system's converter does.
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

bool KeptAsIs(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '!': case '$': case '\'': case '(': case ')': case '*': case '-': case '.': case '@': case '_':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::wstring UrlEncodeUtf8(const std::wstring& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  for (unsigned char c : ToUtf8(text)) {
    if (KeptAsIs(c)) {
      out += static_cast<wchar_t>(c);
    } else if (c == ' ') {
      out += L'+';
    } else {
      out += L'%';
      out += static_cast<wchar_t>(kHex[c >> 4]);
      out += static_cast<wchar_t>(kHex[c & 0x0F]);
    }
  }
  return out;
}

std::wstring EncodeUrlNonAscii(const std::wstring& text) {
  std::wstring out, run;
  for (wchar_t c : text) {
    // 0x80 itself counts with the ASCII characters, as the rule has always been written.
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

}  // namespace qs
