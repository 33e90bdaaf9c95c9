// Tfrm_MsgDlg: the program's own message dialog window. A borderless, always-on-top tool
// window with a blue title bar and close cross, an icon by kind, the message, an optional
// remind check box, up to three action buttons and a details button in a bar at the
// bottom, and a details pane that opens below the message. ShowMsgDlg (MsgDlgBox.h) makes
// one per call; tests may also make one, Prepare it and show it themselves.
//
// The geometry comes from TMsgDlgLayout; this class applies it to the controls and holds
// the handlers: the buttons record their code and end the modal loop, Esc and the close
// cross dismiss, the title bar drags the window.
#pragma once
#include <cstdint>
#include <string>

#include "dialogs/MsgDlgLayout.h"
#include "ui/Form.h"

namespace qs {

class TCheckBox;
class TFormShadow;
class TImage;
class TLabel;
class TModalSpeedButton;
class TPanel;
class TRichEdit;

class Tfrm_MsgDlg : public TForm {
public:
  Tfrm_MsgDlg();

  // Message, details, remind row and layout for one showing (ShowMsgDlg's steps 2 to 6).
  void Prepare(uint8_t kind, const std::wstring& message, const std::wstring& details, bool remindChecked,
               const std::wstring& remindCaption);
  // The code ShowMsgDlg returns for a modal result of this dialog.
  int32_t ResultFor(TModalResult modalResult) const;

  uint8_t Kind() const { return FKind; }
  int32_t ResultCode() const { return FResultCode; }
  bool HasDetail() const { return FHasDetail; }
  const TMsgDlgLayout& Layout() const { return FLayout; }
  TModalSpeedButton* Button(TMsgDlgButton b) const;

  // The controls of the design.
  TImage* img1 = nullptr;
  TPanel* pnl_body = nullptr;
  TPanel* pnl_title = nullptr;
  TImage* Image1 = nullptr;
  TLabel* lblSysTitle = nullptr;
  TImage* Image2 = nullptr;
  TPanel* pnlMsg = nullptr;
  TLabel* lblMsg = nullptr;
  TImage* imgWarn = nullptr;
  TImage* imgError = nullptr;
  TImage* imgInfo = nullptr;
  TImage* imgConfirm = nullptr;
  TPanel* pnlRemind = nullptr;
  TCheckBox* cbxRemind = nullptr;
  TLabel* lblRemind = nullptr;
  TPanel* pnlButton = nullptr;
  TImage* Image3 = nullptr;
  TModalSpeedButton* sBtnLeft = nullptr;
  TModalSpeedButton* sBtnCenter = nullptr;
  TModalSpeedButton* sBtnRight = nullptr;
  TModalSpeedButton* sBtnDetail = nullptr;
  TPanel* pnlDetail = nullptr;
  TPanel* Panel3 = nullptr;
  TRichEdit* moInfo = nullptr;

protected:
  // An unowned top-level tool window: no taskbar button, not tied to the main window.
  void CreateParams(TCreateParams& params) override;

private:
  void FindControls();
  void FormCreate();
  void FormShow();
  void FormKeyDown(uint16_t& key);
  void PrepareLayout();
  // Puts the layout's numbers on the controls.
  void ApplyLayout();
  void sBtnLeftClick();
  void sBtnCenterClick();
  void sBtnRightClick();
  void sBtnDetailClick();
  void Image1MouseDown();
  void Image1MouseMove();
  void Image2MouseMove();
  void Image2Click();

  TFormShadow* FShadow = nullptr;
  uint8_t FKind = 0;
  int32_t FResultCode = 0;
  bool FHasDetail = false;
  TMsgDlgLayout FLayout;
};

}  // namespace qs
