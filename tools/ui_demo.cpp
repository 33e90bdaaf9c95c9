// ui_demo: a window built with the widget layer alone, to look at and to photograph
// under Wine (tools/ui-demo.sh): the banner, a title-bar corner with picture buttons,
// three pages behind tabs (line choice with radio buttons, a settings page with an edit,
// a check box and flat buttons, a progress page with a two-picture bar and a rich-text
// box), labels in "微软雅黑", a timer driving the progress, and the window dragged by its
// banner.
//
//   ui_demo.exe [page]     page 0, 1 or 2 shown first
#include <windows.h>

#include <cwchar>
#include <string>

#include "assets/AssetIds.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalSpeedButton.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/RichEdit.h"
#include "ui/Timer.h"

using namespace qs;

namespace {

// A picture button of the title bar: one picture at rest, another under the pointer.
class TGlyphButton : public TGraphicControl {
public:
  TPNGObject Normal, Hover;
  void Configure(const TDesign& d) override {
    TGraphicControl::Configure(d);
    Normal.LoadFromResource(d.Picture);
    Hover.LoadFromResource(d.Picture2);
  }

protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) {
      FHot = m.Msg == CM_MOUSEENTER;
      Invalidate();
    }
    TGraphicControl::WndProc(m);
  }
  void Paint(TCanvas& c) override { (FHot ? Hover : Normal).Draw(c, ClientRect()); }

private:
  bool FHot = false;
};

const TColor kGreyText = Rgb(0x8D, 0x8D, 0x8D);
const TFont kText13{L"微软雅黑", 13, clBlack};
const TFont kText12Grey{L"微软雅黑", 12, kGreyText};
const TFont kButtonFont{L"微软雅黑", 12, clWhite};
const TFont kTabFont{L"微软雅黑", 12, clBlack};

const TDesignRow kRows[] = {
    {L"imgTop", MakeControl<TImage>, nullptr, 0, 0, 620, 241, {.Align = alTop, .Picture = kAssetBanner}},
    {L"pnlMinClose", MakeControl<TPanel>, L"imgTop", 539, 0, 81, 27, {.Transparent = true}},
    {L"btnSmall", MakeControl<TGlyphButton>, L"pnlMinClose", 21, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetMinimise, .Picture2 = kAssetMinimiseHover}},
    {L"btnClose", MakeControl<TGlyphButton>, L"pnlMinClose", 51, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetClose, .Picture2 = kAssetCloseHover}},
    {L"PC", MakeControl<TPageControl>, nullptr, 0, 241, 620, 175, {.Align = alClient, .Font = kTabFont}},

    {L"TS1", MakeControl<TTabSheet>, L"PC", 0, 0, 0, 0, {.Caption = L"开始下载"}},
    {L"labLine", MakeControl<TLabel>, L"TS1", 36, 26, 80, 19,
     {.Caption = L"下载线路：", .Font = kText13, .Transparent = true, .AutoSize = true}},
    {L"rdbDX", MakeControl<TRadioButton>, L"TS1", 110, 27, 49, 17,
     {.Caption = L"电信", .Font = kText13, .Transparent = true, .Alignment = taLeftJustify, .Checked = true}},
    {L"rdbLT", MakeControl<TRadioButton>, L"TS1", 170, 27, 49, 17,
     {.Caption = L"联通", .Font = kText13, .Transparent = true, .Alignment = taLeftJustify}},
    {L"btnDownloadNow", MakeControl<TImage>, L"TS1", 202, 52, 215, 57,
     {.Cursor = crHandPoint, .Picture = kAssetDownloadNow}},
    {L"labHint", MakeControl<TLabel>, L"TS1", 36, 120, 300, 17,
     {.Caption = L"下载完成后将自动启动安装程序", .Font = kText12Grey, .Transparent = true, .AutoSize = true}},

    {L"TS2", MakeControl<TTabSheet>, L"PC", 0, 0, 0, 0, {.Caption = L"下载设置"}},
    {L"labDirInfo", MakeControl<TLabel>, L"TS2", 43, 24, 65, 19,
     {.Caption = L"保存路径：", .Font = kText13, .Transparent = true, .AutoSize = true}},
    {L"edtDir", MakeControl<TEdit>, L"TS2", 111, 22, 362, 23,
     {.Caption = L"C:\\Users\\Public\\Velmora\\", .Font = TFont{L"MS Sans Serif", 12, clGray}, .ReadOnly = true}},
    {L"btnChange", MakeControl<TModalSpeedButton>, L"TS2", 482, 21, 70, 25,
     {.Caption = L"更改(&C)", .Font = kButtonFont}},
    {L"cbxAuto", MakeControl<TCheckBox>, L"TS2", 111, 60, 17, 17, {.Color = clWhite}},
    {L"labAuto", MakeControl<TLabel>, L"TS2", 132, 59, 200, 19,
     {.Caption = L"下载完成后自动安装", .Font = kText13, .Transparent = true, .AutoSize = true}},
    {L"sBtnOk", MakeControl<TModalSpeedButton>, L"TS2", 406, 98, 67, 30, {.Caption = L"确定(&O)", .Font = kButtonFont}},
    {L"sBtnCancel", MakeControl<TModalSpeedButton>, L"TS2", 481, 98, 67, 30, {.Caption = L"取消", .Font = kButtonFont}},

    {L"TS3", MakeControl<TTabSheet>, L"PC", 0, 0, 0, 0, {.Caption = L"下载进度"}},
    {L"labProcess", MakeControl<TLabel>, L"TS3", 32, 10, 98, 19,
     {.Caption = L"正在下载（0%）", .Font = kText13, .Transparent = true, .AutoSize = true}},
    {L"Panel1", MakeControl<TPanel>, L"TS3", 21, 30, 569, 31, {.Color = clWhite}},
    {L"imgProcessOuter", MakeControl<TImage>, L"Panel1", 10, 6, 551, 19,
     {.Picture = kAssetProgressTrack, .Stretch = true}},
    {L"imgProcessInner", MakeControl<TImage>, L"Panel1", 10, 6, 0, 19, {.Picture = kAssetProgressFill}},
    {L"moInfo", MakeControl<TRichEdit>, L"TS3", 31, 66, 549, 76, {.ReadOnly = true}},
};

class TDemoForm : public TForm {
public:
  explicit TDemoForm(int page) {
    SetBounds(300, 160, 620, 416);
    SetColor(clWhite);
    BuildControls(*this, kRows);
    auto* pc = Find<TPageControl>(L"PC");
    pc->SetActivePageIndex(page);
    Find<TImage>(L"imgTop")->OnMouseDown = [this](TMouseButton, TShiftState, int, int) {
      ::ReleaseCapture();
      Perform(WM_SYSCOMMAND, 0xF012, 0);
    };
    Find<TControl>(L"btnSmall")->OnClick = [] { Application.Minimize(); };
    Find<TControl>(L"btnClose")->OnClick = [this] { Close(); };
    Find<TControl>(L"btnDownloadNow")->OnClick = [this, pc] {
      pc->SetActivePageIndex(2);
      FPercent = 0;
      FTimer.SetEnabled(true);
    };
    Find<TRichEdit>(L"moInfo")->SetText(
        L"12:00:01 连接服务器 dl.velmora.com.cn\r\n12:00:01 文件大小 286.4 MB，支持断点续传\r\n"
        L"12:00:02 开始下载 Velmora（湖北）（完整安装包）.exe");
    FTimer.SetInterval(80);
    FTimer.OnTimer = [this] { Step(); };
    SetProgress(page == 2 ? 42 : 0);
  }

private:
  void Step() {
    SetProgress(FPercent + 1);
    if (FPercent >= 100) FTimer.SetEnabled(false);
  }
  void SetProgress(int percent) {
    FPercent = percent;
    Find<TLabel>(L"labProcess")->SetCaption(L"正在下载（" + std::to_wstring(percent) + L"%）");
    Find<TImage>(L"imgProcessInner")->SetWidth(551 * percent / 100);
  }

  TTimer FTimer;
  int FPercent = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  int page = std::wcstol(cmdLine, nullptr, 10);
  Application.Initialize();
  Application.SetTitle(L"Velmora 控件演示");
  Application.CreateForm<TDemoForm>(page >= 0 && page <= 2 ? page : 0);
  return Application.Run();
}
