// Percent-encoding of the non-ASCII parts of a URL. WinInet sends raw non-ASCII path
// characters in the ANSI code page, which servers do not understand; encoding them as
// UTF-8 first makes the request line plain ASCII. No Windows API here.
#pragma once
#include <string>

namespace qs {

// Text with every run of non-ASCII characters replaced by UrlEncodeUtf8 of the run;
// ASCII characters (spaces and percent signs included) stay as they are.
std::wstring EncodeUrlNonAscii(const std::wstring& text);

// Text as UTF-8, percent-encoded: letters, digits and ! $ ' ( ) * - . @ _ kept, a space
// as "+", every other byte as "%XX" with uppercase hexadecimal digits.
std::wstring UrlEncodeUtf8(const std::wstring& text);

}  // namespace qs
