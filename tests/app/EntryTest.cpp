// The shipped executable: its imports, its manifest, and the ways it starts and ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

std::wstring Exe() { return BinDir() + L"Quillsend.exe"; }

// DLL names of the import directory, read from the file itself.
std::vector<std::string> ImportedDlls(const std::string& pe) {
  std::vector<std::string> names;
  auto at = [&](size_t off) { return pe.data() + off; };
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew));
  auto sections = IMAGE_FIRST_SECTION(nt);
  auto toOffset = [&](DWORD rva) -> size_t {
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      auto& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return 0;
  };
  DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(toOffset(rva))); imp->Name; ++imp)
    names.emplace_back(at(toOffset(imp->Name)));
  return names;
}

TEST(Executable, ImportsOnlyDllsThatShipWithWindows) {
  std::string pe = ReadFileBytes(Exe());
  ASSERT_GT(pe.size(), 4096u);
  const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "SHELL32.DLL", "WININET.DLL",
                                        "OLE32.DLL", "OLEAUT32.DLL", "MSIMG32.DLL", "WINDOWSCODECS.DLL",
                                        "COMCTL32.DLL", "COMDLG32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL", "UXTHEME.DLL"};
  auto dlls = ImportedDlls(pe);
  EXPECT_FALSE(dlls.empty());
  for (auto name : dlls) {
    for (auto& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(system.count(name)) << name;
  }
}

TEST(Executable, ManifestOnlyRequestsAdministratorRights) {
  HMODULE mod = ::LoadLibraryExW(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(mod);
  HRSRC res = ::FindResourceW(mod, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_TRUE(res);
  std::string xml(static_cast<const char*>(::LockResource(::LoadResource(mod, res))), ::SizeofResource(mod, res));
  ::FreeLibrary(mod);
  EXPECT_NE(xml.find("<requestedExecutionLevel level=\"requireAdministrator\"/>"), std::string::npos);
  EXPECT_EQ(xml.find("uiAccess"), std::string::npos);
  // Elements: the assembly and one trust-information section, nothing else.
  std::vector<std::string> elements;
  for (size_t p = xml.find('<'); p != std::string::npos; p = xml.find('<', p + 1)) {
    if (xml[p + 1] == '/' || xml[p + 1] == '?') continue;
    size_t end = xml.find_first_of(" />", p + 1);
    elements.push_back(xml.substr(p + 1, end - p - 1));
  }
  EXPECT_EQ(elements, (std::vector<std::string>{"assembly", "trustInfo", "security", "requestedPrivileges",
                                                "requestedExecutionLevel"}));
}

// A copy of the program in a fresh folder, so its log folder is its own.
struct TInstalledCopy {
  TScratchDir Dir{L"entry"};
  std::wstring Exe = Dir / L"Quillsend.exe";
  TInstalledCopy() { ::CopyFileW(qs::test::BinDir().append(L"Quillsend.exe").c_str(), Exe.c_str(), FALSE); }
};

TEST(Entry, AnyArgumentEndsAtOnceWithZeroButTheLogFolderIsMade) {
  for (std::wstring arg : {L"/S", L"C:\\some\\path", L"x y"}) {
    TInstalledCopy copy;
    TChild child(copy.Exe, arg);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(15000), 0) << arg;
    EXPECT_TRUE(DirectoryExists(copy.Dir / L"Velmora\\Log")) << arg;
  }
}

TEST(Entry, EmptyQuotedArgumentRunsAndASecondCopyEndsAtOnce) {
  TInstalledCopy copy;
  TChild first(copy.Exe, L"\"\"");
  ASSERT_TRUE(first.Started());
  HWND main = WaitForWindow(first.Pid(), L"Velmora", 20000);
  ASSERT_TRUE(main) << "the main window with the taskbar text Velmora";
  EXPECT_TRUE(DirectoryExists(copy.Dir / L"Velmora")) << "the default save folder";

  TChild second(copy.Exe, L"");
  EXPECT_EQ(second.Wait(15000), 0);
  EXPECT_TRUE(::IsWindow(main)) << "the first copy does not react";

  // The system's close command: the orderly shutdown, exit code 0.
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(15000), 0);

  // After it ended, a new copy starts normally.
  TChild third(copy.Exe, L"");
  HWND again = WaitForWindow(third.Pid(), L"Velmora", 20000);
  ASSERT_TRUE(again);
  ::PostMessageW(again, WM_CLOSE, 0, 0);
  EXPECT_EQ(third.Wait(15000), 0);
}

// The window below wnd in the z-order that is shown, or nullptr.
HWND VisibleBelow(HWND wnd) {
  for (HWND w = ::GetWindow(wnd, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
    if (::IsWindowVisible(w)) return w;
  return nullptr;
}

TEST(Entry, MainWindowStandsAsDesignedWithItsShadowDirectlyBehind) {
  TInstalledCopy copy;
  TChild app(copy.Exe, L"");
  HWND main = WaitForWindow(app.Pid(), L"Velmora", 20000);
  ASSERT_TRUE(main);
  RECT r{};
  ::GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 428);
  EXPECT_EQ(r.top, 161);
  EXPECT_EQ(r.right - r.left, 620);
  EXPECT_EQ(r.bottom - r.top, 416);
  // The shadow: the program's layered, click-through window, 16 px out on every side.
  HWND shadow = nullptr;
  for (int i = 0; i < 100 && !shadow; ++i) {
    HWND below = VisibleBelow(main);
    DWORD pid = 0;
    if (below) ::GetWindowThreadProcessId(below, &pid);
    RECT s{};
    if (below && pid == app.Pid() && ::GetWindowRect(below, &s) && s.left == 412 && s.top == 145 &&
        s.right == 1064 && s.bottom == 593)
      shadow = below;
    else
      ::Sleep(50);
  }
  ASSERT_TRUE(shadow) << "a window of 652 x 448 at 412, 145 right behind the main window";
  LONG_PTR ex = ::GetWindowLongPtrW(shadow, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Wait(15000), 0);
}

}  // namespace
