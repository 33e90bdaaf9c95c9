// Tfrm_Main: the main window, a form built from its design table. A borderless 620 x 416
// window with a soft shadow: the banner on top (it drags the window), the minimise button
// in its corner, and under it a page control whose three pages change only by code: the
// start page (download picture, the two line buttons), the custom folder page (folder
// edit and chooser, reachable only through its hidden link) and the progress page
// (label, two-picture bar, install picture). The download workflow lives in
// TDownloadController, which sees the window through IDownloadView.
//
//   Application.SetTitle(L"Velmora");
//   Application.CreateForm<Tfrm_Main>();   // FormCreate: shadow, reset, tabs hidden, TS1
//   Application.Run();                     // FormShow: shadow on, default save folder
#pragma once
#include <windows.h>

#include "app/DownloadController.h"
#include "app/WorkflowHost.h"
#include "ui/Form.h"

namespace qs {

class TEdit;
class TFormShadow;
class TImage;
class TLabel;
class TPageControl;
class TPanel;
class TPNGImageButtonEx;
class TRadioButton;
class TTabSheet;

class Tfrm_Main : public TForm, public IDownloadView {
public:
  Tfrm_Main();
  ~Tfrm_Main() override;

  TDownloadController& Controller() { return FController; }
  TFormShadow* Shadow() const { return FShadow; }

  // IDownloadView: the few widget properties the workflow reads and sets.
  TWorkflowPage ActivePage() const override;
  void SetActivePage(TWorkflowPage page) override;
  std::wstring FolderText() const override;
  bool LineDXChecked() const override;
  bool LineLTChecked() const override;
  void SetProgressCaption(const std::wstring& text) override;
  int TrackWidth() const override;
  void SetFillWidth(int width) override;
  void ShowInstall() override;

  // The controls of the design.
  TPanel* pnlGg = nullptr;
  TImage* imgTop = nullptr;
  TPanel* pnlMinClose = nullptr;
  TPNGImageButtonEx* btnSmall = nullptr;
  TPNGImageButtonEx* btnClose = nullptr;
  TPageControl* PC = nullptr;
  TTabSheet* TS1 = nullptr;
  TPanel* pnlTS1 = nullptr;
  TImage* btnDownloadNow = nullptr;
  TPanel* pnlRdbtn = nullptr;
  TRadioButton* rdbDX = nullptr;
  TRadioButton* RdbLT = nullptr;
  TLabel* labCustom = nullptr;
  TImage* imgGray = nullptr;
  TTabSheet* TS2 = nullptr;
  TPanel* pnlTS2 = nullptr;
  TLabel* labDirInfo = nullptr;
  TEdit* edtDir = nullptr;
  TImage* btnDir = nullptr;
  TImage* btnDownload = nullptr;
  TLabel* labBack = nullptr;
  TTabSheet* TS3 = nullptr;
  TPanel* pnlTS3 = nullptr;
  TLabel* labProcess = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* imgProcessOuter = nullptr;
  TImage* imgProcessInner = nullptr;
  TImage* btnInstall = nullptr;

protected:
  void CreateWnd() override;
  void WndProc(TMessage& m) override;

private:
  void FindControls();
  void BindHandlers();
  void FormCreate();
  void FormShow();
  void imgTopMouseDown();
  void btnSmallClick();
  void btnCloseClick();
  void btnDownloadNowClick();
  void labCustomClick();
  void TS2Show();
  void btnDirClick();
  void edtDirExit();
  void btnDownloadClick();
  void labBackClick();
  void btnInstallClick();

  TFormShadow* FShadow = nullptr;
  TWorkflowHost FHost;
  TDownloadController FController;
};

}  // namespace qs
