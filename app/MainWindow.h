// Tfrm_Main: the main window. A borderless 620 x 416 skinned window: the banner (it drags
// the window), the minimise button, and three pages switched by code: the start page
// (download picture, the two line buttons), the custom folder page (reachable only
// through its hidden link) and the progress page (label, two-picture bar, install
// picture). Everything is painted into one back buffer and blitted at once; the folder
// edit is the only child window. The download workflow lives in TDownloadController.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "app/DownloadController.h"
#include "app/SkinPixels.h"
#include "app/WorkflowHost.h"
#include "base/Handle.h"

namespace qs {

class Tfrm_Main final : public IDownloadView {
public:
  Tfrm_Main();
  ~Tfrm_Main() override;
  bool Create();  // makes the window; FormCreate runs inside
  void Show();    // shows it; FormShow runs on the first show
  HWND Handle() const { return FHandle; }
  TDownloadController& Controller() { return FController; }

  TWorkflowPage ActivePage() const override { return FPage; }
  void SetActivePage(TWorkflowPage page) override;
  std::wstring FolderText() const override;
  bool LineDXChecked() const override { return FLine == 0; }
  bool LineLTChecked() const override { return FLine == 1; }
  void SetProgressCaption(const std::wstring& text) override;
  int TrackWidth() const override;
  void SetFillWidth(int width) override;
  void ShowInstall() override;

  // The element under a client point (for the mouse and for tests of the layout).
  enum TElement { elNone, elBanner, elMinimise, elClose, elDownloadNow, elLineDX, elLineLT, elCustom,
                  elChangeDir, elDownload, elBack, elInstall };
  TElement ElementAt(POINT pt) const;

private:
  struct TItem;
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  const TItem* Find(TElement el) const;
  bool Showing(const TItem& item) const;
  void FormCreate();
  void FormShow();
  void Paint(HDC dc);
  void Compose();
  void Click(TElement el);
  void SetHover(TElement el);
  void btnDirClick();
  void Invalidate() { if (FHandle) ::InvalidateRect(FHandle, nullptr, FALSE); }

  HWND FHandle = nullptr;
  HWND FEdit = nullptr;
  bool FShown = false;
  TWorkflowPage FPage = pgStart;
  int FLine = 0;  // 0 telecom (checked as designed), 1 unicom
  std::wstring FProgressCaption = L"正在下载（0%）";
  int FFillWidth = 0;
  bool FInstallVisible = false;
  TElement FHover = elNone, FPressed = elNone;

  TMemDc FBackDc;
  TBitmapHandle FBackBitmap;
  TSurface FSurface;
  TFontHandle FLabelFont, FSmallFont;
  struct TPictures;
  std::unique_ptr<TPictures> FPictures;

  TWorkflowHost FHost;
  TDownloadController FController;
};

}  // namespace qs
