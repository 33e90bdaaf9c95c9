// shadow_demo: a borderless window with its drop shadow and two title-bar picture
// buttons, over a plain light backdrop so the shadow shows, to look at and photograph
// under Wine with a compositing manager (tools/shadow-shot.sh). The window attaches its
// TFormShadow exactly as the program's windows do: in its creation handler, switched on
// in its show handler.
//
//   shadow_demo.exe [x y width height]     the window's place (default 300 200 460 300)
#include <windows.h>

#include <cwchar>

#include "assets/AssetIds.h"
#include "chrome/FormShadow.h"
#include "chrome/PngImageButton.h"
#include "ui/Application.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

using namespace qs;

namespace {

const TFont kTitleFont{L"微软雅黑", 12, clWhite};
const TFont kText13{L"微软雅黑", 13, clBlack};

const TDesignRow kRows[] = {
    {L"imgTitle", MakeControl<TImage>, nullptr, 0, 0, 460, 27, {.Align = alTop, .Picture = kAssetTitleBar, .Stretch = true}},
    {L"labTitle", MakeControl<TLabel>, L"imgTitle", 10, 5, 200, 17,
     {.Caption = L"Velmora 下载器", .Font = kTitleFont, .Transparent = true, .AutoSize = true}},
    {L"pnlMinClose", MakeControl<TPanel>, L"imgTitle", 379, 0, 81, 27, {.Anchors = akTop | akRight, .Transparent = true}},
    {L"btnSmall", MakeControl<TPNGImageButtonEx>, L"pnlMinClose", 21, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetMinimise, .Picture2 = kAssetMinimiseHover}},
    {L"btnClose", MakeControl<TPNGImageButtonEx>, L"pnlMinClose", 51, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetClose, .Picture2 = kAssetCloseHover}},
    {L"labBody", MakeControl<TLabel>, nullptr, 36, 60, 300, 19,
     {.Caption = L"窗口四周是柔和的阴影。", .Font = kText13, .Transparent = true, .AutoSize = true}},
};

// A light desk for the shadow to fall on, 120 pixels wider than the window on every
// side. Not the whole screen: Wine confines the pointer to a full-screen foreground
// window, and pointer moves from outside the program (xdotool) would no longer arrive.
class TBackdrop : public TForm {
public:
  TBackdrop(int x, int y, int w, int h) {
    SetBounds(x - 120, y - 120, w + 240, h + 240);
    SetColor(Rgb(0xE4, 0xE8, 0xEE));
  }
};

class TShadowDemo : public TForm {
public:
  TShadowDemo(int x, int y, int w, int h) {
    SetBounds(x, y, w, h);
    SetColor(clWhite);
    BuildControls(*this, kRows);
    Find<TControl>(L"btnSmall")->OnClick = [] { Application.Minimize(); };
    Find<TControl>(L"btnClose")->OnClick = [] { ::PostQuitMessage(0); };
    Find<TImage>(L"imgTitle")->OnMouseDown = [this](TMouseButton, TShiftState, int, int) {
      ::ReleaseCapture();
      Perform(WM_SYSCOMMAND, 0xF012, 0);
    };
    OnCreate = [this] {
      FShadow = Make<TFormShadow>();
      FShadow->SetForm(this);
    };
    OnShow = [this] { FShadow->SetActive(true); };
  }

private:
  TFormShadow* FShadow = nullptr;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  int place[4] = {300, 200, 460, 300};
  wchar_t* p = cmdLine;
  for (int& v : place) {
    wchar_t* end = nullptr;
    const long n = std::wcstol(p, &end, 10);
    if (end == p) break;
    v = static_cast<int>(n);
    p = end;
  }
  Application.Initialize();
  Application.SetTitle(L"Velmora 阴影演示");
  Application.CreateForm<TBackdrop>(place[0], place[1], place[2], place[3]);
  auto demo = MakeForm<TShadowDemo>(place[0], place[1], place[2], place[3]);
  demo->Show();
  return Application.Run();
}
