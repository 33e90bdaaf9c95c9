// Tfrm_Info: the design table and the handlers of the download failure prompt.
#include "app/InfoDialog.h"

#include "assets/AssetIds.h"
#include "chrome/FormShadow.h"
#include "chrome/PngImageButton.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace qs {
namespace {

const wchar_t kFace[] = L"微软雅黑";
constexpr int kSysMoveByMouse = 0xF012;  // SC_MOVE with the caption hit-test code: the move loop

// The design: a 413 x 161 window; positions relative to the parent.
const TDesignRow kRows[] = {
    {L"pnl_Titile", MakeControl<TPanel>, nullptr, 0, 0, 413, 35, {.Align = alTop, .Picture = kAssetTitleBar}},
    {L"lblSysTitle", MakeControl<TLabel>, L"pnl_Titile", 17, 7, 60, 19,
     {.Caption = L"提示信息", .Font = TFont{kFace, 15, clWhite, true}, .Transparent = true}},
    {L"zizePnlTopRight", MakeControl<TPanel>, L"pnl_Titile", 313, 0, 100, 35, {.Align = alRight, .Transparent = true}},
    {L"pnlMinClose", MakeControl<TPanel>, L"pnl_Titile", 332, 0, 81, 27, {.Transparent = true}},
    {L"btnClose", MakeControl<TPNGImageButtonEx>, L"pnlMinClose", 51, 0, 30, 27,
     {.Align = alRight, .Cursor = crHandPoint, .Picture = kAssetClose, .Picture2 = kAssetCloseHover}},
    {L"Image1", MakeControl<TImage>, nullptr, 13, 49, 60, 54, {.Picture = kAssetPromptIcon}},
    {L"Label1", MakeControl<TLabel>, nullptr, 75, 53, 329, 43,
     {.Caption = L"在线下载异常，您可以选择重新下载或直接下载安装包安装", .Font = TFont{kFace, 16, clWindowText},
      .Transparent = true, .WordWrap = true}},
    {L"pnl_bottom", MakeControl<TPanel>, nullptr, 0, 120, 413, 41, {.Align = alBottom, .Color = Rgb(0xF0, 0xF3, 0xF7)}},
    {L"btnUseIE", MakeControl<TImage>, L"pnl_bottom", 19, 15, 105, 17,
     {.Cursor = crHandPoint, .Picture = kAssetPromptBrowser}},
    {L"btnReLoad", MakeControl<TImage>, L"pnl_bottom", 331, 8, 66, 27,
     {.Cursor = crHandPoint, .Picture = kAssetPromptReload}},
};

}  // namespace

Tfrm_Info::Tfrm_Info() {
  SetName(L"frm_Info");
  SetCaption(L"frm_Info");
  SetBounds(482, 281, 413, 161);
  SetColor(clWhite);
  SetFont(TFont{L"MS Sans Serif", 11, clWindowText});
  BuildControls(*this, kRows);
  pnl_Titile = Find<TPanel>(L"pnl_Titile");
  lblSysTitle = Find<TLabel>(L"lblSysTitle");
  zizePnlTopRight = Find<TPanel>(L"zizePnlTopRight");
  pnlMinClose = Find<TPanel>(L"pnlMinClose");
  btnClose = Find<TPNGImageButtonEx>(L"btnClose");
  Image1 = Find<TImage>(L"Image1");
  Label1 = Find<TLabel>(L"Label1");
  pnl_bottom = Find<TPanel>(L"pnl_bottom");
  btnUseIE = Find<TImage>(L"btnUseIE");
  btnReLoad = Find<TImage>(L"btnReLoad");
  // The designed 43 pixels hold the two lines in the designed face; where the system draws
  // them in a face with taller lines, the label grows downwards so the second line is whole.
  const int textHeight =
      MeasureText(Label1->Font(), Label1->Caption(), DT_NOPREFIX | DT_WORDBREAK, Label1->Width()).Height;
  if (textHeight > Label1->Height()) Label1->SetHeight(textHeight);
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  pnl_Titile->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { pnl_TitileMouseDown(); };
  btnClose->OnClick = [this] { btnCloseClick(); };
  btnUseIE->OnClick = [this] { btnUseIEClick(); };
  btnReLoad->OnClick = [this] { btnReLoadClick(); };
}

void Tfrm_Info::FormCreate() {
  FShadow = Make<TFormShadow>();
  FShadow->SetForm(this);
}

void Tfrm_Info::FormShow() { FShadow->SetActive(true); }

void Tfrm_Info::pnl_TitileMouseDown() {
  ::ReleaseCapture();
  Perform(WM_SYSCOMMAND, kSysMoveByMouse, 0);
}

void Tfrm_Info::btnCloseClick() {
  FResult = 0;
  Close();
}

void Tfrm_Info::btnUseIEClick() {
  FResult = 1;
  Close();
}

void Tfrm_Info::btnReLoadClick() {
  FResult = 2;
  Close();
}

int32_t ShowInfoDlg() {
  auto prompt = MakeForm<Tfrm_Info>();
  prompt->ShowModal();
  return prompt->Result();
}

}  // namespace qs
