// Accelerators in captions: "确定(&O)" is pressed by the O key and shows as "确定(O)" with
// the O underlined; "&&" stands for a plain "&".
#pragma once
#include <string>

namespace qs {

// The character after a single "&", upper-cased (ASCII letters), or 0 when there is none.
wchar_t AcceleratorOf(const std::wstring& caption);
// The caption as shown: "&&" becomes "&", a single "&" disappears.
std::wstring StripAccelerator(const std::wstring& caption);
// Whether the typed character presses the caption's accelerator (case-insensitive).
bool IsAccelerator(wchar_t typed, const std::wstring& caption);

}  // namespace qs
