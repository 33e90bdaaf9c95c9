// Conversions between UTF-16 and 8-bit text: the ANSI code page (log lines, dialog
// texts, 8-bit strings of the engine's records) and UTF-8 (URLs, tool output).
#pragma once
#include <string>

namespace qs {

std::wstring AnsiToWide(const std::string& s);
std::string WideToAnsi(const std::wstring& s);
std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

}  // namespace qs
