// The shell's folder chooser. (The folder tests and creation live in base/Paths.h:
// DirectoryExists, ForceDirectories.)
#pragma once
#include <windows.h>

#include <string>

namespace qs {

// Shows the shell's folder chooser with the caption, the desktop as root, only
// file-system folders selectable, owned by owner (the application's window when null).
// True and the folder (no trailing backslash added) when the user picked one.
bool SelectDirectory(const std::wstring& caption, std::wstring& directory, HWND owner = nullptr);

}  // namespace qs
