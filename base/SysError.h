// The text of a system error code, in the user's language, ready to follow a sentence.
#pragma once
#include <string>

namespace qs {

// FormatMessage text for Code (also WinInet's codes), with trailing blanks, control
// characters and full stops removed; "错误代码 N" when the system has no text.
std::wstring SysErrorText(unsigned long code);
// SysErrorText(GetLastError()).
std::wstring LastErrorText();

}  // namespace qs
