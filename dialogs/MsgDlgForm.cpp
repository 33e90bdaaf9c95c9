// Tfrm_MsgDlg: the design table, the creation and show handlers, the layout steps and the
// event handlers of the message dialog.
#include "dialogs/MsgDlgForm.h"

#include "assets/AssetIds.h"
#include "chrome/FormShadow.h"
#include "ui/CheckBox.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Panel.h"
#include "ui/RichEdit.h"

namespace qs {
namespace {

const wchar_t kFace[] = L"微软雅黑";
const TFont kFormFont{kFace, 12, clWindowText};
const TFont kTitleFont{kFace, 15, clWhite};
const TFont kMessageFont{kFace, 15, clWindowText};
const TFont kButtonFont{kFace, 12, clWhite};
constexpr TColor kFormColor = Rgb(142, 142, 142);
constexpr TColor kButtonBarColor = Rgb(240, 243, 247);
// SC_MOVE with the caption hit-test code: the system's move loop following the mouse. (The
// variant with code 7 drags on some systems but not under Wine, which ignores it.)
constexpr int kSysMoveByMouse = 0xF012;

// The design: a 340 x 303 form; positions relative to the parent. The body is designed over
// the whole form; the creation handler then leaves the one-pixel frame around it.
const TDesignRow kRows[] = {
    {L"img1", MakeControl<TImage>, nullptr, 0, 0, 340, 303,
     {.Align = alClient, .Picture = kAssetDlgFrame, .Stretch = true}},
    {L"pnl_body", MakeControl<TPanel>, nullptr, 0, 0, 340, 303, {.Anchors = akAll, .Color = clWhite}},
    {L"pnl_title", MakeControl<TPanel>, L"pnl_body", 0, 0, 340, 35, {.Align = alTop}},
    {L"Image1", MakeControl<TImage>, L"pnl_title", 0, 0, 340, 35,
     {.Align = alClient, .Picture = kAssetTitleBar, .Stretch = true}},
    {L"lblSysTitle", MakeControl<TLabel>, L"pnl_title", 22, 7, 30, 20,
     {.Caption = std::wstring(kDesignedTitle), .Font = kTitleFont, .Transparent = true, .AutoSize = true}},
    {L"Image2", MakeControl<TImage>, L"pnl_title", 309, 4, 26, 26,
     {.Anchors = akTop | akRight, .Picture = kAssetDlgClose, .Transparent = true}},
    {L"pnlMsg", MakeControl<TPanel>, L"pnl_body", 0, 35, 340, 102, {.Align = alTop, .Color = clWhite}},
    {L"lblMsg", MakeControl<TLabel>, L"pnlMsg", 67, 14, 40, 20, {.Font = kMessageFont}},
    {L"imgWarn", MakeControl<TImage>, L"pnlMsg", 11, 4, 48, 48, {.Picture = kAssetDlgWarning, .Transparent = true}},
    {L"imgError", MakeControl<TImage>, L"pnlMsg", 11, 4, 48, 48, {.Picture = kAssetDlgError, .Transparent = true}},
    {L"imgInfo", MakeControl<TImage>, L"pnlMsg", 11, 4, 48, 48, {.Picture = kAssetDlgInfo, .Transparent = true}},
    {L"imgConfirm", MakeControl<TImage>, L"pnlMsg", 11, 4, 48, 48,
     {.Picture = kAssetDlgConfirm, .Transparent = true}},
    {L"pnlRemind", MakeControl<TPanel>, L"pnlMsg", 0, 78, 340, 24,
     {.Align = alBottom, .Visible = false, .Color = clWhite}},
    {L"cbxRemind", MakeControl<TCheckBox>, L"pnlRemind", 56, 0, 17, 17, {.Color = clWhite}},
    {L"lblRemind", MakeControl<TLabel>, L"pnlRemind", 72, 0, 40, 17, {.Transparent = true, .AutoSize = true}},
    {L"pnlButton", MakeControl<TPanel>, L"pnl_body", 0, 257, 340, 46, {.Align = alBottom, .Color = kButtonBarColor}},
    {L"Image3", MakeControl<TImage>, L"pnlButton", 0, 0, 340, 46,
     {.Align = alClient, .Picture = kAssetDlgButtonBar, .Stretch = true}},
    {L"sBtnLeft", MakeControl<TModalSpeedButton>, L"pnlButton", 107, 8, 67, 30,
     {.Cursor = crHandPoint, .TabOrder = 0, .Font = kButtonFont}},
    {L"sBtnCenter", MakeControl<TModalSpeedButton>, L"pnlButton", 182, 8, 67, 30,
     {.Cursor = crHandPoint, .TabOrder = 1, .Font = kButtonFont}},
    {L"sBtnRight", MakeControl<TModalSpeedButton>, L"pnlButton", 257, 8, 67, 30,
     {.Cursor = crHandPoint, .TabOrder = 2, .Font = kButtonFont}},
    {L"sBtnDetail", MakeControl<TModalSpeedButton>, L"pnlButton", 19, 8, 80, 30,
     {.Cursor = crHandPoint, .TabOrder = 3, .Font = kButtonFont}},
    {L"pnlDetail", MakeControl<TPanel>, L"pnl_body", 0, 137, 340, 120,
     {.Align = alClient, .BevelInner = bvRaised, .BevelOuter = bvLowered}},
    {L"Panel3", MakeControl<TPanel>, L"pnlDetail", 2, 2, 336, 20,
     {.Align = alTop, .Caption = std::wstring(kDetailHeaderCaption), .Color = clWhite,
      .Alignment = taLeftJustify, .BevelOuter = bvLowered}},
    {L"moInfo", MakeControl<TRichEdit>, L"pnlDetail", 2, 22, 336, 96,
     {.Align = alClient, .Color = clWhite, .ReadOnly = true}},
};

// The message label's own measurement: its font, "&" as written, tabs expanded.
class TLabelMeasure : public ITextMeasure {
public:
  explicit TLabelMeasure(const TLabel& label) : FLabel(label) {}
  TTextExtent Measure(const std::wstring& text) override {
    TSize size = MeasureText(FLabel.Font(), text, DT_NOPREFIX | DT_EXPANDTABS);
    return {size.Width, size.Height};
  }
  int WrappedHeight(const std::wstring& text, int width) override {
    return MeasureText(FLabel.Font(), text, DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK, width).Height;
  }

private:
  const TLabel& FLabel;
};

}  // namespace

Tfrm_MsgDlg::Tfrm_MsgDlg() {
  SetName(L"frm_MsgDlg");
  SetClientWidth(TMsgDlgLayout::kDesignWidth);
  SetClientHeight(TMsgDlgLayout::kDesignHeight);
  SetFormStyle(fsStayOnTop);
  SetKeyPreview(true);
  SetFont(kFormFont);
  BuildControls(*this, kRows);
  FindControls();
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnKeyDown = [this](uint16_t& key, TShiftState) { FormKeyDown(key); };
  sBtnLeft->OnClick = [this] { sBtnLeftClick(); };
  sBtnCenter->OnClick = [this] { sBtnCenterClick(); };
  sBtnRight->OnClick = [this] { sBtnRightClick(); };
  sBtnDetail->OnClick = [this] { sBtnDetailClick(); };
  Image1->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { Image1MouseDown(); };
  lblSysTitle->OnMouseDown = [this](TMouseButton, TShiftState, int, int) { Image1MouseDown(); };
  Image1->OnMouseMove = [this](TShiftState, int, int) { Image1MouseMove(); };
  Image2->OnMouseMove = [this](TShiftState, int, int) { Image2MouseMove(); };
  Image2->OnClick = [this] { Image2Click(); };
}

void Tfrm_MsgDlg::FindControls() {
  img1 = Find<TImage>(L"img1");
  pnl_body = Find<TPanel>(L"pnl_body");
  pnl_title = Find<TPanel>(L"pnl_title");
  Image1 = Find<TImage>(L"Image1");
  lblSysTitle = Find<TLabel>(L"lblSysTitle");
  Image2 = Find<TImage>(L"Image2");
  pnlMsg = Find<TPanel>(L"pnlMsg");
  lblMsg = Find<TLabel>(L"lblMsg");
  imgWarn = Find<TImage>(L"imgWarn");
  imgError = Find<TImage>(L"imgError");
  imgInfo = Find<TImage>(L"imgInfo");
  imgConfirm = Find<TImage>(L"imgConfirm");
  pnlRemind = Find<TPanel>(L"pnlRemind");
  cbxRemind = Find<TCheckBox>(L"cbxRemind");
  lblRemind = Find<TLabel>(L"lblRemind");
  pnlButton = Find<TPanel>(L"pnlButton");
  Image3 = Find<TImage>(L"Image3");
  sBtnLeft = Find<TModalSpeedButton>(L"sBtnLeft");
  sBtnCenter = Find<TModalSpeedButton>(L"sBtnCenter");
  sBtnRight = Find<TModalSpeedButton>(L"sBtnRight");
  sBtnDetail = Find<TModalSpeedButton>(L"sBtnDetail");
  pnlDetail = Find<TPanel>(L"pnlDetail");
  Panel3 = Find<TPanel>(L"Panel3");
  moInfo = Find<TRichEdit>(L"moInfo");
}

void Tfrm_MsgDlg::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.WndParent = nullptr;
  params.ExStyle |= WS_EX_TOOLWINDOW;
}

TModalSpeedButton* Tfrm_MsgDlg::Button(TMsgDlgButton b) const {
  switch (b) {
    case dbLeft: return sBtnLeft;
    case dbCenter: return sBtnCenter;
    case dbRight: return sBtnRight;
    case dbDetail: return sBtnDetail;
  }
  return nullptr;
}

void Tfrm_MsgDlg::FormCreate() {
  SetColor(kFormColor);
  SetClientWidth(FLayout.FormWidth());
  pnl_body->SetBounds(1, 1, Width() - 2, Height() - 2);
  pnl_body->SetAnchors(akAll);
  FShadow = Make<TFormShadow>();
  FShadow->SetForm(this);
  lblMsg->SetAutoSize(true);
  lblMsg->SetWordWrap(false);
  moInfo->SetColor(clWhite);
  for (TControl* c : {static_cast<TControl*>(imgInfo), static_cast<TControl*>(imgError),
                      static_cast<TControl*>(imgConfirm), static_cast<TControl*>(imgWarn),
                      static_cast<TControl*>(sBtnCenter), static_cast<TControl*>(sBtnLeft),
                      static_cast<TControl*>(sBtnRight), static_cast<TControl*>(sBtnDetail),
                      static_cast<TControl*>(pnlDetail)})
    c->Hide();
  moInfo->Clear();
}

void Tfrm_MsgDlg::FormShow() { FShadow->SetActive(true); }

void Tfrm_MsgDlg::Prepare(uint8_t kind, const std::wstring& message, const std::wstring& details,
                          bool remindChecked, const std::wstring& remindCaption) {
  FKind = kind;
  lblMsg->SetCaption(message + L"  ");
  FHasDetail = !IsBlank(details);
  if (FHasDetail) {
    moInfo->Clear();
    moInfo->SetText(details);
  }
  if (!IsBlank(remindCaption)) {
    pnlRemind->Show();
    cbxRemind->SetChecked(remindChecked);
    lblRemind->SetCaption(remindCaption);
  }
  PrepareLayout();
}

void Tfrm_MsgDlg::PrepareLayout() {
  TLabelMeasure measure(*lblMsg);
  FLayout.PrepareLayout(FKind, FHasDetail, lblMsg->Caption(), measure);
  ApplyLayout();
  SetPosition(poScreenCenter);
}

void Tfrm_MsgDlg::ApplyLayout() {
  SetBounds(Left(), Top(), FLayout.FormWidth(), FLayout.FormHeight());
  pnlMsg->SetHeight(FLayout.MsgPanelHeight());
  if (FLayout.WordWrap()) lblMsg->SetWordWrap(true);
  const TLayoutRect& label = FLayout.Label();
  lblMsg->SetBounds(label.Left, label.Top, label.Width, label.Height);
  lblSysTitle->SetCaption(FLayout.Title());
  SetCaption(FLayout.Title());
  const TMsgDlgIcon icon = FLayout.Icon();
  imgInfo->SetVisible(icon == miInfo);
  imgError->SetVisible(icon == miError);
  imgWarn->SetVisible(icon == miWarn);
  imgConfirm->SetVisible(icon == miConfirm);
  for (int b = dbLeft; b <= dbDetail; ++b) {
    const TLayoutButton& place = FLayout.Button(static_cast<TMsgDlgButton>(b));
    TModalSpeedButton* button = Button(static_cast<TMsgDlgButton>(b));
    button->SetCaption(place.Caption);
    button->SetLeft(place.Left);
    button->SetVisible(place.Visible);
  }
  pnlDetail->SetVisible(FLayout.DetailOpen());
}

int32_t Tfrm_MsgDlg::ResultFor(TModalResult modalResult) const {
  return FinalResult(FKind, modalResult == mrOk, FResultCode);
}

void Tfrm_MsgDlg::sBtnLeftClick() {
  FResultCode = ButtonResultCode(dbLeft, cbxRemind->Checked());
  SetModalResult(mrOk);
}

void Tfrm_MsgDlg::sBtnCenterClick() {
  FResultCode = ButtonResultCode(dbCenter, false);
  SetModalResult(mrOk);
}

void Tfrm_MsgDlg::sBtnRightClick() {
  FResultCode = ButtonResultCode(dbRight, cbxRemind->Checked());
  SetModalResult(mrOk);
}

void Tfrm_MsgDlg::sBtnDetailClick() {
  // The form grows or shrinks at its bottom edge; its top-left corner stays.
  FLayout.ToggleDetail();
  ApplyLayout();
}

void Tfrm_MsgDlg::FormKeyDown(uint16_t& key) {
  if (key == VK_ESCAPE) SetModalResult(mrCancel);
}

void Tfrm_MsgDlg::Image1MouseDown() {
  if (WindowState() != wsNormal) return;
  ::ReleaseCapture();
  Perform(WM_SYSCOMMAND, kSysMoveByMouse, 0);
}

void Tfrm_MsgDlg::Image1MouseMove() { Image2->SetTransparent(true); }

void Tfrm_MsgDlg::Image2MouseMove() { Image2->SetTransparent(false); }

void Tfrm_MsgDlg::Image2Click() {
  Close();
  SetModalResult(mrCancel);
}

}  // namespace qs
