// The running program's own path and small file-system helpers. Paths are UTF-16
// throughout, so folders outside the ANSI code page work.
#pragma once
#include <string>

namespace qs {

std::wstring ExePath();        // full path of the running executable
std::wstring ExeDir();         // its folder, with a trailing backslash
std::wstring ExeFileName();    // its file name, without folder
std::wstring IncludeTrailingBackslash(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
bool FileExists(const std::wstring& path);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::wstring& path);

}  // namespace qs
