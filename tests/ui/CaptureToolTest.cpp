// The window capture tool (tools/window_capture.cpp) saves what a window shows as a PNG
// file that decodes to the same pixels.
#include <gtest/gtest.h>

#include "tests/support/WinTestUtil.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/Panel.h"

namespace qs {
namespace {

using namespace qs::test;

TEST(CaptureTool, SavesTheWindowAsAPng) {
  SetUpApplication();
  auto form = ShownForm(90, 90, 120, 80);
  form->SetCaption(L"捕获测试");
  auto* panel = form->Make<TPanel>();
  panel->SetParent(form.get());
  panel->SetBounds(60, 40, 60, 40);
  panel->SetColor(Rgb(200, 30, 60));
  ShowAndSettle(*form);
  TScratchDir dir(L"capture");
  TChild tool(BinDir() + L"qscapture.exe", L"\"捕获测试\" \"" + dir / L"shot.png" + L"\"");
  ASSERT_TRUE(tool.Started());
  long long code = -2;
  // The tool asks this window to paint: keep handling its messages meanwhile.
  PumpUntil([&] { return (code = tool.Wait(0)) != -2; }, 20000);
  ASSERT_EQ(code, 0);
  std::string bytes = ReadFileBytes(dir / L"shot.png");
  TPNGObject shot;
  ASSERT_TRUE(shot.LoadFromBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(shot.Width(), 120);
  EXPECT_EQ(shot.Height(), 80);
  EXPECT_EQ(shot.Pixel(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(shot.Pixel(70, 50), 0xFFC81E3Cu);
  // No such window: a failure code, no file.
  TChild missing(BinDir() + L"qscapture.exe", L"\"no such window\" \"" + dir / L"none.png" + L"\" 200");
  EXPECT_EQ(missing.Wait(10000), 2);
  EXPECT_FALSE(FileExists(dir / L"none.png"));
}

}  // namespace
}  // namespace qs
