// Times the widget layer's painting under Wine: a whole repaint of a 620 x 416 form
// with the banner, labels and a two-picture progress bar; a repaint of the progress fill
// alone (what a download's progress step costs); and decoding the banner PNG.
// Prints figures; asserts nothing. Run through bench/ui-paint.sh.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "assets/AssetIds.h"
#include "ui/Application.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

using namespace qs;
using TClock = std::chrono::steady_clock;

namespace {

const TDesignRow kRows[] = {
    {L"imgTop", MakeControl<TImage>, nullptr, 0, 0, 620, 241, {.Align = alTop, .Picture = kAssetBanner}},
    {L"pnlPage", MakeControl<TPanel>, nullptr, 0, 241, 620, 175, {.Align = alClient, .Color = clWhite}},
    {L"labProcess", MakeControl<TLabel>, L"pnlPage", 32, 18, 98, 19,
     {.Caption = L"正在下载（42%）", .Font = TFont{L"微软雅黑", 13, clBlack}, .Transparent = true, .AutoSize = true}},
    {L"imgOuter", MakeControl<TImage>, L"pnlPage", 31, 44, 551, 19, {.Picture = kAssetProgressTrack, .Stretch = true}},
    {L"imgInner", MakeControl<TImage>, L"pnlPage", 31, 44, 231, 19, {.Picture = kAssetProgressFill}},
};

// Median of nine runs of `work`, in microseconds per call.
template <typename F>
double MedianMicros(F work, int calls) {
  double runs[9];
  for (double& r : runs) {
    auto start = TClock::now();
    for (int i = 0; i < calls; ++i) work();
    r = std::chrono::duration<double, std::micro>(TClock::now() - start).count() / calls;
  }
  std::sort(std::begin(runs), std::end(runs));
  return runs[4];
}

}  // namespace

int wmain() {
  Application.Initialize();
  auto form = MakeForm<TForm>();
  form->SetBounds(100, 100, 620, 416);
  form->SetColor(clWhite);
  BuildControls(*form, kRows);
  form->Show();
  Application.ProcessMessages();
  HWND wnd = form->Handle();
  auto* fill = form->Find<TImage>(L"imgInner");
  double whole = MedianMicros([&] {
    ::InvalidateRect(wnd, nullptr, FALSE);
    ::UpdateWindow(wnd);
  }, 20);
  int width = 0;
  double step = MedianMicros([&] {
    fill->SetWidth(width = (width + 5) % 551);
    ::UpdateWindow(wnd);
  }, 50);
  TPNGObject banner;
  double decode = MedianMicros([&] { banner.LoadFromResource(kAssetBanner); }, 10);
  std::printf("whole 620x416 repaint: %.0f us\n", whole);
  std::printf("progress fill step:    %.0f us\n", step);
  std::printf("banner PNG decode:     %.0f us\n", decode);
  return 0;
}
