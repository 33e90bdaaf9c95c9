// Tfrm_Info and ShowInfoDlg: the small prompt shown after a failed download. It says that
// the online download went wrong and offers three ways on; ShowInfoDlg returns the choice:
//
//   switch (ShowInfoDlg()) {
//     case 2: ... download again;  case 1: ... the browser;  default: ... give up (0)
//   }
//
// 0 comes from the close button and every other way of closing (Alt+F4 included); 1 from
// the browser link picture; 2 from the 重新下载 picture. Each call makes a fresh window and
// destroys it before returning.
#pragma once
#include <cstdint>

#include "ui/Form.h"

namespace qs {

class TFormShadow;
class TImage;
class TLabel;
class TPanel;
class TPNGImageButtonEx;

class Tfrm_Info : public TForm {
public:
  Tfrm_Info();

  int32_t Result() const { return FResult; }

  // The controls of the design.
  TPanel* pnl_Titile = nullptr;
  TLabel* lblSysTitle = nullptr;
  TPanel* zizePnlTopRight = nullptr;
  TPanel* pnlMinClose = nullptr;
  TPNGImageButtonEx* btnClose = nullptr;
  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TPanel* pnl_bottom = nullptr;
  TImage* btnUseIE = nullptr;
  TImage* btnReLoad = nullptr;

private:
  void FormCreate();
  void FormShow();
  void pnl_TitileMouseDown();
  void btnCloseClick();
  void btnUseIEClick();
  void btnReLoadClick();

  int32_t FResult = 0;
  TFormShadow* FShadow = nullptr;
};

// Shows the prompt modally and returns 0 (give up), 1 (browser) or 2 (download again).
int32_t ShowInfoDlg();

}  // namespace qs
