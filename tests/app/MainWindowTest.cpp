// The main window on a real display: where its controls end up once the table is built
// and aligned, what creation and the first show leave behind (shadow, pages, save
// folder), which presses drag the window, the minimise button, the hidden folder page
// with the shell's folder chooser, and the progress bar as the workflow drives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <thread>

#include "app/MainWindow.h"
#include "assets/AssetIds.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "chrome/FormShadow.h"
#include "chrome/PngImageButton.h"
#include "tests/support/WinTestUtil.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/PngObject.h"
#include "ui/RadioButton.h"

namespace qs {
namespace {

using namespace qs::test;

class MainWindow : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
    try {
      Form = Application.CreateForm<Tfrm_Main>();
    } catch (const EQsError& e) {
      FAIL() << "the window could not be built: " << WideToUtf8(e.Message())
             << (CaughtExceptions().empty() ? "" : " after " + WideToUtf8(CaughtExceptions()[0]));
    }
  }
  void TearDown() override {
    Application.DestroyForms();
    EXPECT_TRUE(CaughtExceptions().empty()) << (CaughtExceptions().empty() ? "" : WideToUtf8(CaughtExceptions()[0]));
  }
  void ShowIt() {
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Form->Handle()) != FALSE; }));
    Pump(100);
  }
  // A point of the window's client area on the screen.
  POINT OnScreen(int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(Form->Handle(), &p);
    return p;
  }
  void ClickClient(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    POINT p = OnScreen(x, y);
    ClickAt(p.x, p.y, down, up);
  }
  // Bounds in the window's client coordinates (a windowed control: its parent's offset).
  TRect InWindow(TControl* c) {
    TPoint at = c->IsWindowed() ? c->Parent()->HostOffset() : c->HostOffset();
    if (c->IsWindowed()) at = {at.X + c->Left(), at.Y + c->Top()};
    return TRect::Bounds(at.X, at.Y, c->Width(), c->Height());
  }

  Tfrm_Main* Form = nullptr;
};

std::string Describe(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width()) + "x" +
         std::to_string(r.Height());
}

TEST_F(MainWindow, ControlsStandWhereTheDesignPutsThemOnceAligned) {
  // Window coordinates after alignment: the pages fill the page control with no tab
  // strip, the page panels fill the pages, and with the close button hidden the
  // minimise button takes the right-most place of the corner panel. Visible: the
  // control's own flag (a page's while it is the active one).
  struct TExpected {
    const wchar_t* Name;
    const wchar_t* Parent;
    TRect Bounds;
    bool Visible;
  };
  const TExpected kCases[] = {
      {L"pnlGg", L"frm_Main", TRect::Bounds(0, 0, 620, 416), true},
      {L"imgTop", L"pnlGg", TRect::Bounds(0, 0, 620, 241), true},
      {L"pnlMinClose", L"pnlGg", TRect::Bounds(539, 0, 81, 27), true},
      {L"btnSmall", L"pnlMinClose", TRect::Bounds(590, 0, 30, 27), true},
      {L"btnClose", L"pnlMinClose", TRect::Bounds(590, 0, 30, 27), false},
      {L"PC", L"pnlGg", TRect::Bounds(0, 241, 620, 175), true},
      {L"TS1", L"PC", TRect::Bounds(0, 241, 620, 175), true},
      {L"pnlTS1", L"TS1", TRect::Bounds(0, 241, 620, 175), true},
      {L"btnDownloadNow", L"pnlTS1", TRect::Bounds(199, 283, 215, 57), true},
      {L"pnlRdbtn", L"pnlTS1", TRect::Bounds(6, 344, 153, 40), true},
      {L"rdbDX", L"pnlRdbtn", TRect::Bounds(12, 368, 49, 17), true},
      {L"RdbLT", L"pnlRdbtn", TRect::Bounds(60, 368, 49, 17), true},
      {L"labCustom", L"pnlTS1", TRect::Bounds(512, 368, 60, 17), false},
      {L"imgGray", L"pnlTS1", TRect::Bounds(576, 369, 14, 15), false},
      {L"TS2", L"PC", TRect::Bounds(0, 241, 620, 175), true},
      {L"pnlTS2", L"TS2", TRect::Bounds(0, 241, 620, 175), true},
      {L"labDirInfo", L"pnlTS2", TRect::Bounds(43, 270, 65, 19), true},
      {L"edtDir", L"pnlTS2", TRect::Bounds(111, 268, 362, 23), true},
      {L"btnDir", L"pnlTS2", TRect::Bounds(482, 267, 70, 26), true},
      {L"btnDownload", L"pnlTS2", TRect::Bounds(208, 331, 196, 50), true},
      {L"labBack", L"pnlTS2", TRect::Bounds(543, 363, 46, 19), true},
      {L"TS3", L"PC", TRect::Bounds(0, 241, 620, 175), true},
      {L"pnlTS3", L"TS3", TRect::Bounds(0, 241, 620, 175), true},
      {L"Panel1", L"pnlTS3", TRect::Bounds(21, 279, 569, 42), true},
      {L"imgProcessOuter", L"Panel1", TRect::Bounds(31, 285, 551, 19), true},
      {L"imgProcessInner", L"Panel1", TRect::Bounds(31, 285, 0, 19), true},
      {L"btnInstall", L"pnlTS3", TRect::Bounds(209, 322, 194, 48), false},
  };
  EXPECT_EQ(Describe(Form->BoundsRect()), "428,161 620x416");
  // Each page is looked at while it is the active one; the rest with TS1 active.
  auto pageOf = [](TControl* c) -> TControl* {
    for (; c; c = c->Parent())
      if (dynamic_cast<TTabSheet*>(c)) return c;
    return nullptr;
  };
  for (TTabSheet* page : {Form->TS2, Form->TS3, Form->TS1}) {
    Form->PC->SetActivePage(page);
    for (const TExpected& e : kCases) {
      auto* c = Form->Find<TControl>(e.Name);
      ASSERT_TRUE(c) << WideToUtf8(e.Name);
      if (pageOf(c) && pageOf(c) != page) continue;
      if (!pageOf(c) && page != Form->TS1) continue;
      ASSERT_TRUE(c->Parent());
      EXPECT_EQ(c->Parent()->Name(), e.Parent) << WideToUtf8(e.Name);
      EXPECT_EQ(Describe(InWindow(c)), Describe(e.Bounds)) << WideToUtf8(e.Name);
      EXPECT_EQ(c->Visible(), e.Visible) << WideToUtf8(e.Name);
    }
  }
  // The progress label takes the size of its text.
  EXPECT_EQ(Form->labProcess->Caption(), L"正在下载（0%）");
  EXPECT_GT(Form->labProcess->Width(), 40);
}

TEST_F(MainWindow, CreationAttachesTheShadowResetsAndShowsTheStartPageWithoutTabs) {
  ASSERT_TRUE(Form->Shadow());
  EXPECT_EQ(Form->Shadow()->Form(), Form);
  EXPECT_FALSE(Form->Shadow()->Active()) << "switched on only when the window shows";
  EXPECT_EQ(Form->Controller().Total(), 100) << "the download state was reset";
  EXPECT_EQ(Form->PC->PageCount(), 3);
  for (int i = 0; i < Form->PC->PageCount(); ++i) EXPECT_FALSE(Form->PC->Pages(i)->TabVisible()) << i;
  EXPECT_EQ(Form->PC->ActivePage(), Form->TS1);
  EXPECT_EQ(Form->ActivePage(), pgStart);
  EXPECT_TRUE(Form->rdbDX->Checked());
  EXPECT_FALSE(Form->RdbLT->Checked());
  EXPECT_TRUE(Form->LineDXChecked());
  EXPECT_TRUE(Form->edtDir->ReadOnly());
  EXPECT_TRUE(Form->Controller().SaveFolder().empty()) << "the folder comes with the first show";
}

TEST_F(MainWindow, FirstShowSwitchesTheShadowOnAndMakesTheDefaultSaveFolder) {
  ShowIt();
  EXPECT_TRUE(Form->Shadow()->Active());
  std::wstring folder = ExeDir() + L"Velmora\\";
  EXPECT_EQ(Form->Controller().SaveFolder(), folder);
  EXPECT_TRUE(DirectoryExists(folder));
}

TEST_F(MainWindow, StartPageShowsNoTabStripAndTheDownloadPicture) {
  ShowIt();
  TPixelBuffer shown = Shown(Form->Handle());
  // Where a tab strip would start, right under the banner: the white of the page.
  for (int x : {2, 40, 120, 300})
    for (int y : {242, 250, 262}) EXPECT_EQ(Rgb24(shown, x, y), 0xFFFFFFu) << x << "," << y;
  // The download picture, unscaled, at its place on the start page.
  TPNGObject picture;
  ASSERT_TRUE(picture.LoadFromResource(kAssetDownloadNow));
  TPixelBuffer pixels = picture.ToPixelBuffer();
  int cx = pixels.Width / 2, cy = pixels.Height / 2;
  ASSERT_EQ(pixels.At(cx, cy) >> 24, 0xFFu);
  EXPECT_TRUE(Near(Rgb24(shown, 199 + cx, 283 + cy), pixels.At(cx, cy) & 0xFFFFFF, 2));
}

// Records the window's system commands and swallows the move command, so no move loop runs.
struct TSysCommandSpy {
  Tfrm_Main& Form;
  TWndMethod Old;
  std::vector<uintptr_t> Commands;
  explicit TSysCommandSpy(Tfrm_Main& form) : Form(form), Old(form.WindowProc()) {
    Form.SetWindowProc([this](TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) {
        Commands.push_back(m.WParam);
        if (m.WParam == 0xF012) return;
      }
      Old(m);
    });
  }
  ~TSysCommandSpy() { Form.SetWindowProc(std::move(Old)); }
};

TEST_F(MainWindow, AnyButtonOnTheBannerDragsAndNothingElseDoes) {
  ShowIt();
  TSysCommandSpy spy(*Form);
  struct TPress {
    int X, Y;
    DWORD Down, Up;
    bool Drags;
    const char* What;
  };
  const TPress kPresses[] = {
      {100, 100, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, true, "banner, left"},
      {300, 200, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, true, "banner, right"},
      {5, 235, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, true, "banner's corner, middle"},
      {560, 10, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, false, "the corner panel"},
      {605, 13, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, false, "the minimise button"},
      {100, 300, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, false, "the start page"},
      {306, 311, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, false, "the download picture"},
  };
  for (const TPress& p : kPresses) {
    spy.Commands.clear();
    ClickClient(p.X, p.Y, p.Down, p.Up);
    Pump(50);
    std::vector<uintptr_t> expected;
    if (p.Drags) expected.push_back(0xF012);
    EXPECT_EQ(spy.Commands, expected) << p.What;
  }
  EXPECT_EQ(Form->ActivePage(), pgStart);
  EXPECT_FALSE(::IsIconic(Form->Handle()));
}

TEST_F(MainWindow, DraggingTheBannerMovesTheWindow) {
  ShowIt();
  RECT before{};
  ::GetWindowRect(Form->Handle(), &before);
  POINT from = OnScreen(200, 120);
  MoveMouseTo(from.x, from.y);
  // The move loop runs inside the press; the moves and the release wait in the queue.
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 5; ++step) SendMouseMove(from.x + 10 * step, from.y + 6 * step);
  SendMouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([&] {
    RECT now{};
    ::GetWindowRect(Form->Handle(), &now);
    return now.left == before.left + 50 && now.top == before.top + 30;
  }));
  EXPECT_EQ(Form->Left(), before.left + 50);
}

TEST_F(MainWindow, MinimiseButtonShowsItsHoverPictureAndMinimisesTheApplication) {
  ShowIt();
  auto glyph = [&](const TPixelBuffer& b) {
    std::vector<uint32_t> px;
    for (int y = 0; y < 27; ++y)
      for (int x = 590; x < 620; ++x) px.push_back(Rgb24(b, x, y));
    return px;
  };
  POINT away = OnScreen(300, 120);
  MoveMouseTo(away.x, away.y);
  auto atRest = glyph(Shown(Form->Handle()));
  POINT over = OnScreen(605, 13);
  MoveMouseTo(over.x, over.y);
  EXPECT_TRUE(PumpUntil([&] { return Form->btnSmall->Current() == &Form->btnSmall->PngOver(); }));
  EXPECT_NE(glyph(Shown(Form->Handle())), atRest) << "the hover picture shows";
  ClickClient(605, 13);
  EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(Form->Handle()) != FALSE; }));
  Application.Restore();
  EXPECT_TRUE(PumpUntil([&] { return !::IsIconic(Form->Handle()); }));
  EXPECT_EQ(Form->ActivePage(), pgStart);
}

TEST_F(MainWindow, HiddenLinkLeadsToTheFolderPageAndBackLinkReturns) {
  ShowIt();
  Form->labCustom->OnClick();  // the link is part of the window but never shown
  EXPECT_EQ(Form->ActivePage(), pgFolder);
  EXPECT_EQ(Form->edtDir->Text(), Form->Controller().SaveFolder()) << "TS2's show handler";
  EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Form->edtDir->Handle()) != FALSE; }));

  // Leaving the edit copies its text back as the save folder.
  Form->edtDir->SetText(L"C:\\其他目录\\");
  Form->edtDir->SetFocus();
  Pump(30);
  ::SetFocus(Form->Handle());
  Pump(30);
  EXPECT_EQ(Form->Controller().SaveFolder(), L"C:\\其他目录\\");

  ClickClient(543 + 20, 363 + 9);  // <<返回
  EXPECT_EQ(Form->ActivePage(), pgStart);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(Form->edtDir->Handle()); }));
  // The folder page shows again with the folder it left.
  Form->SetActivePage(pgFolder);
  EXPECT_EQ(Form->FolderText(), L"C:\\其他目录\\");
}

// The shell's folder chooser, answered from another thread: it waits for the dialog of
// the UI thread, reads its texts, then picks the folder (or cancels).
class TChooserAnswer {
public:
  TChooserAnswer(DWORD uiThread, std::wstring pick) : FPick(std::move(pick)) {
    FThread = std::thread([this, uiThread] { Run(uiThread); });
  }
  ~TChooserAnswer() { FThread.join(); }
  std::vector<std::wstring> Texts;
  std::atomic<bool> Found{false};

private:
  void Run(DWORD uiThread) {
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && !dialog; ++i) {
      ::EnumThreadWindows(
          uiThread,
          [](HWND w, LPARAM lp) -> BOOL {
            wchar_t cls[32] = {};
            ::GetClassNameW(w, cls, 32);
            if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(w)) return TRUE;
            *reinterpret_cast<HWND*>(lp) = w;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&dialog));
      if (!dialog) ::Sleep(50);
    }
    if (!dialog) return;
    Found = true;
    ::Sleep(200);
    ::EnumChildWindows(
        dialog,
        [](HWND w, LPARAM lp) -> BOOL {
          wchar_t text[256] = {};
          ::GetWindowTextW(w, text, 256);
          reinterpret_cast<std::vector<std::wstring>*>(lp)->push_back(text);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&Texts));
    if (!FPick.empty()) {
      // By item id: the chooser under Wine does not find a path with Chinese characters.
      // By item id (the chooser under Wine does not find a path with Chinese characters),
      // asked again until the tree shows it selected: the shell fills the tree while the
      // dialog is up, and a selection asked for too early is lost.
      HWND tree = nullptr;
      ::EnumChildWindows(
          dialog,
          [](HWND w, LPARAM lp) -> BOOL {
            wchar_t cls[32] = {};
            ::GetClassNameW(w, cls, 32);
            if (std::wstring(cls) != L"SysTreeView32") return TRUE;
            *reinterpret_cast<HWND*>(lp) = w;
            return FALSE;
          },
          reinterpret_cast<LPARAM>(&tree));
      const std::wstring leaf = FPick.substr(FPick.find_last_of(L'\\') + 1);
      PIDLIST_ABSOLUTE item = ::ILCreateFromPathW(FPick.c_str());
      for (int i = 0; tree && i < 50 && SelectedText(tree) != leaf; ++i) {
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item));
        ::Sleep(100);
      }
      ::ILFree(item);
      ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    } else {
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }
  static std::wstring SelectedText(HWND tree) {
    return ItemText(tree, reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
  }
  static std::wstring ItemText(HWND tree, HTREEITEM item) {
    if (!item) return L"";
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
  }
  std::wstring FPick;
  std::thread FThread;
};

TEST_F(MainWindow, FolderChooserSetsTheEditAndTheSaveFolderOrChangesNothing) {
  // The folder to pick, made before the chooser first opens, near the top of the tree (the
  // root of drive C: of the prefix).
  const std::wstring picked = L"C:\\保存目录-" + std::to_wstring(::GetCurrentProcessId());
  ASSERT_TRUE(::CreateDirectoryW(picked.c_str(), nullptr));
  struct TRemove {
    const std::wstring& Dir;
    ~TRemove() { ::RemoveDirectoryW(Dir.c_str()); }
  } remove{picked};
  ShowIt();
  Form->SetActivePage(pgFolder);
  std::wstring before = Form->FolderText();
  {
    TChooserAnswer cancel(::GetCurrentThreadId(), L"");
    ClickClient(482 + 35, 267 + 13);  // 更改
    Pump(100);
    ASSERT_TRUE(cancel.Found) << "the folder chooser opened";
    EXPECT_NE(std::find(cancel.Texts.begin(), cancel.Texts.end(), L"请选择目录"), cancel.Texts.end());
  }
  EXPECT_EQ(Form->FolderText(), before);
  EXPECT_EQ(Form->Controller().SaveFolder(), before);

  {
    TChooserAnswer pick(::GetCurrentThreadId(), picked);
    ClickClient(482 + 35, 267 + 13);
    Pump(100);
    ASSERT_TRUE(pick.Found);
  }
  EXPECT_EQ(Form->FolderText(), picked + L"\\") << "with the trailing backslash added";
  EXPECT_EQ(Form->Controller().SaveFolder(), picked + L"\\");
}

TEST_F(MainWindow, ProgressBarFillShowsThePictureLeftPartAsWideAsThePercentage) {
  ShowIt();
  Form->SetActivePage(pgProgress);
  TDownloadController& c = Form->Controller();
  TPNGObject fill, track;
  ASSERT_TRUE(fill.LoadFromResource(kAssetProgressFill));
  ASSERT_TRUE(track.LoadFromResource(kAssetProgressTrack));
  // The bar's last column in the window, half-way down.
  const int x = 31 + 550, y = 285 + 9;
  TPixelBuffer fillPixels = fill.ToPixelBuffer();
  ASSERT_EQ(fillPixels.At(550, 9) >> 24, 0xFFu);
  uint32_t fillColour = fillPixels.At(550, 9) & 0xFFFFFF;

  struct TCase {
    int32_t Position, Total;
    const wchar_t* Caption;
    int Width;
  };
  const TCase kCases[] = {
      {0, 100, L"正在下载(0%)", 0},
      {1, 8, L"正在下载(13%)", 71},
      {100, 100, L"正在下载(100%)", 551},
  };
  for (const TCase& k : kCases) {
    c.SetProgressPosition(k.Position);
    c.SetProgressTotal(k.Total);
    EXPECT_EQ(Form->labProcess->Caption(), k.Caption);
    EXPECT_EQ(Form->imgProcessInner->Width(), k.Width) << k.Position;
  }
  TPixelBuffer full = Shown(Form->Handle());
  EXPECT_TRUE(Near(Rgb24(full, x, y), fillColour, 2)) << std::hex << Rgb24(full, x, y);
  EXPECT_TRUE(Near(Rgb24(full, 31 + 60, y), fillPixels.At(60, 9) & 0xFFFFFF, 2)) << "not stretched";

  c.SetProgressPosition(0);
  EXPECT_EQ(Form->imgProcessInner->Width(), 0);
  TPixelBuffer empty = Shown(Form->Handle());
  EXPECT_FALSE(Near(Rgb24(empty, x, y), fillColour, 8)) << "the track shows again";

  Form->SetFillWidth(-40);  // a position past 2 GiB reads as negative
  EXPECT_EQ(Form->imgProcessInner->Width(), 0);
}

TEST_F(MainWindow, InstallPictureShowsWhenTheWorkflowAsks) {
  ShowIt();
  Form->SetActivePage(pgProgress);
  EXPECT_FALSE(Form->btnInstall->Showing());
  Form->ShowInstall();
  EXPECT_TRUE(Form->btnInstall->Showing());
  TPixelBuffer shown = Shown(Form->Handle());
  TPNGObject picture;
  ASSERT_TRUE(picture.LoadFromResource(kAssetInstallNow));
  TPixelBuffer pixels = picture.ToPixelBuffer();
  EXPECT_TRUE(Near(Rgb24(shown, 209 + 97, 322 + 24), pixels.At(97, 24) & 0xFFFFFF, 2));
}

}  // namespace
}  // namespace qs
