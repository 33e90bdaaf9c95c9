// Times the drop shadow's rectangular build for two form sizes, one twice the other in
// each direction. After the one-time template blur, a build is corner and edge copies,
// so the larger form should cost about twice as much, not four times.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "chrome/ShadowPixels.h"

using namespace qs;
using TClock = std::chrono::steady_clock;

namespace {

// Median of several runs of `work`, in microseconds per call.
template <typename F>
double MedianMicros(F work, int calls) {
  double runs[9];
  for (double& r : runs) {
    const auto start = TClock::now();
    for (int i = 0; i < calls; ++i) work();
    r = std::chrono::duration<double, std::micro>(TClock::now() - start).count() / calls;
  }
  std::sort(std::begin(runs), std::end(runs));
  return runs[4];
}

}  // namespace

int main() {
  const auto t0 = TClock::now();
  const TPixelBuffer tmpl = MakeShadowTemplate(2, 0);
  const double templateMicros = std::chrono::duration<double, std::micro>(TClock::now() - t0).count();
  std::printf("template (135 x 135, 2 blur passes, once per shadow): %.1f us\n", templateMicros);

  const int sizes[2][2] = {{620, 416}, {1240, 832}};
  double compose[2], withAlloc[2];
  for (int i = 0; i < 2; ++i) {
    const int w = sizes[i][0] + 2 * kShadowMargin, h = sizes[i][1] + 2 * kShadowMargin;
    TPixelBuffer pic;
    pic.Resize(w, h);
    compose[i] = MedianMicros([&] { ComposeRectShadow(pic, tmpl); }, 2000);
    withAlloc[i] = MedianMicros([&] {
      TPixelBuffer fresh;
      fresh.Resize(w, h);
      ComposeRectShadow(fresh, tmpl);
    }, 200);
    std::printf("form %4d x %3d, picture %4d x %3d: rebuild %7.2f us, with a new picture %8.2f us\n", sizes[i][0],
                sizes[i][1], w, h, compose[i], withAlloc[i]);
  }
  std::printf("ratio 1240 x 832 / 620 x 416: rebuild %.2f, with a new picture %.2f\n", compose[1] / compose[0],
              withAlloc[1] / withAlloc[0]);
}
