// TLogger: appends timestamped, levelled lines to a daily-named file in a log folder
// beside the program, and can mirror them into a native control (a multi-line edit, a
// list box or a list view). Each entry is written through at once, under a lock.
#pragma once
#include <windows.h>

#include <string>

#include "base/Handle.h"
#include "log/LogFormat.h"

namespace qs {

class TLogger {
public:
  // Container: a native control or null. Folder: empty (or blanks) for the default
  // "<program folder>\Velmora\Log\"; otherwise used exactly as given, so it must end
  // with its separator. Throws EQsError when the folder cannot be made.
  TLogger(HWND container, const std::wstring& folder);
  ~TLogger();
  TLogger(const TLogger&) = delete;
  TLogger& operator=(const TLogger&) = delete;

  // Text is 8-bit (ANSI code page). A negative level reaches only the container.
  // Throws EQsError when the file cannot be opened, or the container is of another kind.
  void WriteLog(const std::string& text, int level);

  const std::wstring& LogPath() const { return FLogPath; }
  const std::wstring& LogFileName() const { return FLogFileName; }

private:
  void WriteToContainer(const std::string& text, int level);

  CRITICAL_SECTION FLock;
  TFileHandle FStream;
  HWND FContainer;
  std::wstring FLogPath;
  std::wstring FLogFileName;
};

}  // namespace qs
