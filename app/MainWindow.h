// Tfrm_Main: the main window hosting the download workflow. This plain window gives the
// workflow its widgets (start page, progress page, install button) until the skinned
// window takes its place.
#pragma once
#include <windows.h>

#include <memory>

#include "app/DownloadController.h"
#include "app/WorkflowHost.h"

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
  std::wstring FolderText() const override { return FController.SaveFolder(); }
  bool LineDXChecked() const override;
  bool LineLTChecked() const override;
  void SetProgressCaption(const std::wstring& text) override;
  int TrackWidth() const override { return kTrackWidth; }
  void SetFillWidth(int width) override;
  void ShowInstall() override;

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void FormCreate();
  void FormShow();
  HWND Item(int id) const { return ::GetDlgItem(FHandle, id); }

  static const int kTrackWidth = 551;
  HWND FHandle = nullptr;
  bool FShown = false;
  TWorkflowPage FPage = pgStart;
  TWorkflowHost FHost;
  TDownloadController FController;
};

}  // namespace qs
