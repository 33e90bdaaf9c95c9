// Tfrm_Main: the design table of the main window, its set-up and its event handlers.
#include "app/MainWindow.h"

#include <algorithm>

#include "assets/AssetIds.h"
#include "base/Paths.h"
#include "chrome/FormShadow.h"
#include "chrome/PngImageButton.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/ShellDialogs.h"

namespace qs {
namespace {

const wchar_t kFace[] = L"微软雅黑";
constexpr int kSysMoveByMouse = 0xF012;  // SC_MOVE with the caption hit-test code: the move loop
constexpr TColor kLinkGrey = Rgb(0x8D, 0x8D, 0x8D);
constexpr TColor kLinkBlue = Rgb(0x48, 0x7C, 0xB5);

// The design: a 620 x 416 window; positions relative to the parent. The pages fill the
// page control and their panels fill the pages (612 x 144 as designed, before filling).
const TDesignRow kRows[] = {
    {L"pnlGg", MakeControl<TPanel>, nullptr, 0, 0, 620, 416, {.Align = alClient, .Color = clWhite}},
    {L"imgTop", MakeControl<TImage>, L"pnlGg", 0, 0, 620, 241, {.Align = alTop, .Picture = kAssetBanner}},
    {L"pnlMinClose", MakeControl<TPanel>, L"pnlGg", 539, 0, 81, 27, {.Transparent = true}},
    {L"btnSmall", MakeControl<TPNGImageButtonEx>, L"pnlMinClose", 21, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetMinimise, .Picture2 = kAssetMinimiseHover}},
    {L"btnClose", MakeControl<TPNGImageButtonEx>, L"pnlMinClose", 51, 0, 30, 27,
     {.Align = alRight, .Visible = false, .Cursor = crHandPoint, .Picture = kAssetClose,
      .Picture2 = kAssetCloseHover}},
    {L"PC", MakeControl<TPageControl>, L"pnlGg", 0, 241, 620, 175, {.Align = alClient}},

    {L"TS1", MakeControl<TTabSheet>, L"PC", 0, 0, 612, 144, {.Caption = L"TS1"}},
    {L"pnlTS1", MakeControl<TPanel>, L"TS1", 0, 0, 612, 144, {.Align = alClient, .Transparent = true}},
    {L"btnDownloadNow", MakeControl<TImage>, L"pnlTS1", 199, 42, 215, 57,
     {.Cursor = crHandPoint, .Picture = kAssetDownloadNow}},
    {L"pnlRdbtn", MakeControl<TPanel>, L"pnlTS1", 6, 103, 153, 40, {.Transparent = true}},
    {L"rdbDX", MakeControl<TRadioButton>, L"pnlRdbtn", 6, 24, 49, 17,
     {.Caption = L"电信", .Transparent = true, .Alignment = taLeftJustify, .Checked = true}},
    {L"RdbLT", MakeControl<TRadioButton>, L"pnlRdbtn", 54, 24, 49, 17,
     {.Caption = L"联通", .Transparent = true, .Alignment = taLeftJustify}},
    {L"labCustom", MakeControl<TLabel>, L"pnlTS1", 512, 127, 60, 17,
     {.Visible = false, .Cursor = crHandPoint, .Caption = L"自定义下载", .Font = TFont{kFace, 12, kLinkGrey},
      .Transparent = true}},
    {L"imgGray", MakeControl<TImage>, L"pnlTS1", 576, 128, 14, 15, {.Visible = false, .Picture = kAssetGreyArrow}},

    {L"TS2", MakeControl<TTabSheet>, L"PC", 0, 0, 612, 144, {.Caption = L"TS2"}},
    {L"pnlTS2", MakeControl<TPanel>, L"TS2", 0, 0, 612, 144, {.Align = alClient, .Transparent = true}},
    {L"labDirInfo", MakeControl<TLabel>, L"pnlTS2", 43, 29, 65, 19,
     {.Caption = L"保存路径：", .Font = TFont{kFace, 13, clBlack}, .Transparent = true}},
    {L"edtDir", MakeControl<TEdit>, L"pnlTS2", 111, 27, 362, 23,
     {.Font = TFont{L"MS Sans Serif", 11, clGray}, .ReadOnly = true}},
    {L"btnDir", MakeControl<TImage>, L"pnlTS2", 482, 26, 70, 26,
     {.Cursor = crHandPoint, .Picture = kAssetChangeFolder}},
    {L"btnDownload", MakeControl<TImage>, L"pnlTS2", 208, 90, 196, 50,
     {.Cursor = crHandPoint, .Picture = kAssetDownloadFolder}},
    {L"labBack", MakeControl<TLabel>, L"pnlTS2", 543, 122, 46, 19,
     {.Cursor = crHandPoint, .Caption = L"<<返回", .Font = TFont{kFace, 13, kLinkBlue}}},

    {L"TS3", MakeControl<TTabSheet>, L"PC", 0, 0, 612, 144, {.Caption = L"TS3"}},
    {L"pnlTS3", MakeControl<TPanel>, L"TS3", 0, 0, 612, 144, {.Align = alClient, .Transparent = true}},
    {L"labProcess", MakeControl<TLabel>, L"pnlTS3", 32, 18, 98, 19,
     {.Caption = L"正在下载（0%）", .Font = TFont{kFace, 13, clBlack}, .Transparent = true, .AutoSize = true}},
    {L"Panel1", MakeControl<TPanel>, L"pnlTS3", 21, 38, 569, 42, {.Color = clWhite}},
    {L"imgProcessOuter", MakeControl<TImage>, L"Panel1", 10, 6, 551, 19,
     {.Picture = kAssetProgressTrack, .Stretch = true}},
    // Not stretched: the fill shows the picture's left part, cut to its width.
    {L"imgProcessInner", MakeControl<TImage>, L"Panel1", 10, 6, 0, 19, {.Picture = kAssetProgressFill}},
    {L"btnInstall", MakeControl<TImage>, L"pnlTS3", 209, 81, 194, 48,
     {.Visible = false, .Cursor = crHandPoint, .Picture = kAssetInstallNow}},
};

}  // namespace

Tfrm_Main::Tfrm_Main()
    : FHost([] { return Application.Handle(); },
            [this] {
              if (HandleAllocated()) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
            }),
      FController(*this, FHost) {
  SetName(L"frm_Main");
  SetCaption(L"frm_Main");
  SetBounds(428, 161, 620, 416);
  SetFont(TFont{L"MS Sans Serif", 11, clWindowText});
  BuildControls(*this, kRows);
  FindControls();
  // All four border colours of the folder edit are the button-shadow colour.
  edtDir->SetBorderColors(clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow);
  BindHandlers();
}

// The controls go first, while the controller their handlers call into is still whole:
// the folder edit reports losing the focus as its window goes.
Tfrm_Main::~Tfrm_Main() {
  SendFreeNotifications();
  DestroyComponents();
}

void Tfrm_Main::FindControls() {
  pnlGg = Find<TPanel>(L"pnlGg");
  imgTop = Find<TImage>(L"imgTop");
  pnlMinClose = Find<TPanel>(L"pnlMinClose");
  btnSmall = Find<TPNGImageButtonEx>(L"btnSmall");
  btnClose = Find<TPNGImageButtonEx>(L"btnClose");
  PC = Find<TPageControl>(L"PC");
  TS1 = Find<TTabSheet>(L"TS1");
  pnlTS1 = Find<TPanel>(L"pnlTS1");
  btnDownloadNow = Find<TImage>(L"btnDownloadNow");
  pnlRdbtn = Find<TPanel>(L"pnlRdbtn");
  rdbDX = Find<TRadioButton>(L"rdbDX");
  RdbLT = Find<TRadioButton>(L"RdbLT");
  labCustom = Find<TLabel>(L"labCustom");
  imgGray = Find<TImage>(L"imgGray");
  TS2 = Find<TTabSheet>(L"TS2");
  pnlTS2 = Find<TPanel>(L"pnlTS2");
  labDirInfo = Find<TLabel>(L"labDirInfo");
  edtDir = Find<TEdit>(L"edtDir");
  btnDir = Find<TImage>(L"btnDir");
  btnDownload = Find<TImage>(L"btnDownload");
  labBack = Find<TLabel>(L"labBack");
  TS3 = Find<TTabSheet>(L"TS3");
  pnlTS3 = Find<TPanel>(L"pnlTS3");
  labProcess = Find<TLabel>(L"labProcess");
  Panel1 = Find<TPanel>(L"Panel1");
  imgProcessOuter = Find<TImage>(L"imgProcessOuter");
  imgProcessInner = Find<TImage>(L"imgProcessInner");
  btnInstall = Find<TImage>(L"btnInstall");
}

void Tfrm_Main::BindHandlers() {
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  imgTop->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { imgTopMouseDown(); };
  btnSmall->OnClick = [this] { btnSmallClick(); };
  btnClose->OnClick = [this] { btnCloseClick(); };
  btnDownloadNow->OnClick = [this] { btnDownloadNowClick(); };
  labCustom->OnClick = [this] { labCustomClick(); };
  TS2->OnShow = [this] { TS2Show(); };
  btnDir->OnClick = [this] { btnDirClick(); };
  edtDir->OnExit = [this] { edtDirExit(); };
  btnDownload->OnClick = [this] { btnDownloadClick(); };
  labBack->OnClick = [this] { labBackClick(); };
  btnInstall->OnClick = [this] { btnInstallClick(); };
}

void Tfrm_Main::CreateWnd() {
  TForm::CreateWnd();
  // The program's icon on the taskbar button and in Alt+Tab.
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  for (auto [which, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    int px = ::GetSystemMetrics(size);
    HANDLE icon = ::LoadImageW(inst, MAKEINTRESOURCEW(kAppIcon), IMAGE_ICON, px, px, LR_SHARED);
    if (icon) ::SendMessageW(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

void Tfrm_Main::WndProc(TMessage& m) {
  // The system's close command while a download runs: the engine is asked to stop, and
  // the window closes once the download call has returned (the controller posts the
  // close again), so the partial file and its sidecar stay for the next run.
  if (m.Msg == WM_CLOSE && !FController.CloseQuery()) {
    m.Result = 0;
    return;
  }
  TForm::WndProc(m);
}

void Tfrm_Main::FormCreate() {
  FShadow = Make<TFormShadow>();
  FShadow->SetForm(this);
  FController.ResetDownload();
  for (int i = 0; i < PC->PageCount(); ++i) PC->Pages(i)->SetTabVisible(false);
  PC->SetActivePage(TS1);
}

void Tfrm_Main::FormShow() {
  FShadow->SetActive(true);
  std::wstring folder = ExeDir() + L"Velmora\\";
  // A folder that cannot be made shows later, as a download that cannot write its file.
  if (!DirectoryExists(folder)) ForceDirectories(folder);
  FController.SetSaveFolder(folder);
}

void Tfrm_Main::imgTopMouseDown() {
  ::ReleaseCapture();
  Perform(WM_SYSCOMMAND, kSysMoveByMouse, 0);
}

void Tfrm_Main::btnSmallClick() { Application.Minimize(); }

void Tfrm_Main::btnCloseClick() { FController.CloseClick(); }

void Tfrm_Main::btnDownloadNowClick() {
  // The download runs inside this click (the layer has given the mouse back already, so
  // the banner, the minimise button and the hover pictures work meanwhile).
  FController.StartDownload();
}

void Tfrm_Main::labCustomClick() { PC->SetActivePage(TS2); }

void Tfrm_Main::TS2Show() { edtDir->SetText(FController.SaveFolder()); }

void Tfrm_Main::btnDirClick() {
  std::wstring folder;
  if (!SelectDirectory(L"请选择目录", folder, Application.Handle())) return;
  edtDir->SetText(IncludeTrailingBackslash(folder));
  FController.SetSaveFolder(edtDir->Text());
}

void Tfrm_Main::edtDirExit() { FController.SetSaveFolder(edtDir->Text()); }

void Tfrm_Main::btnDownloadClick() {
  FController.StartDownload();
}

void Tfrm_Main::labBackClick() { PC->SetActivePage(TS1); }

void Tfrm_Main::btnInstallClick() { FController.InstallClick(); }

TWorkflowPage Tfrm_Main::ActivePage() const {
  TTabSheet* page = PC->ActivePage();
  if (page == TS2) return pgFolder;
  if (page == TS3) return pgProgress;
  return pgStart;
}

void Tfrm_Main::SetActivePage(TWorkflowPage page) {
  PC->SetActivePage(page == pgFolder ? TS2 : page == pgProgress ? TS3 : TS1);
}

std::wstring Tfrm_Main::FolderText() const { return edtDir->Text(); }

bool Tfrm_Main::LineDXChecked() const { return rdbDX->Checked(); }

bool Tfrm_Main::LineLTChecked() const { return RdbLT->Checked(); }

void Tfrm_Main::SetProgressCaption(const std::wstring& text) { labProcess->SetCaption(text); }

int Tfrm_Main::TrackWidth() const { return imgProcessOuter->Width(); }

// A control cannot be narrower than nothing: a negative figure (a position reported
// past 2 GiB reads as negative) shows an empty bar.
void Tfrm_Main::SetFillWidth(int width) { imgProcessInner->SetWidth(std::max(width, 0)); }

void Tfrm_Main::ShowInstall() { btnInstall->Show(); }

}  // namespace qs
