// The shell's folder chooser.
#include "ui/ShellDialogs.h"

#include <objbase.h>
#include <shlobj.h>

#include "ui/Application.h"

namespace qs {

bool SelectDirectory(const std::wstring& caption, std::wstring& directory, HWND owner) {
  // The chooser needs COM on this thread; it stays initialised for the thread's lifetime.
  static thread_local HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  wchar_t name[MAX_PATH] = {};
  BROWSEINFOW bi{};
  bi.hwndOwner = owner ? owner : Application.Handle();
  bi.pidlRoot = nullptr;  // the desktop
  bi.pszDisplayName = name;
  bi.lpszTitle = caption.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
  if (!pidl) return false;
  wchar_t path[MAX_PATH] = {};
  bool ok = ::SHGetPathFromIDListW(pidl, path) != FALSE;
  ::CoTaskMemFree(pidl);
  if (ok) directory = path;
  return ok;
}

}  // namespace qs
