// Accelerator letters of captions.
#include <gtest/gtest.h>

#include "ui/Accelerator.h"

namespace qs {
namespace {

TEST(Accelerator, LetterAfterASingleAmpersand) {
  struct TCase { const wchar_t* Caption; wchar_t Key; const wchar_t* Shown; } cases[] = {
      {L"确定(&O)", L'O', L"确定(O)"},
      {L"是(&y)", L'Y', L"是(y)"},
      {L"取消", 0, L"取消"},
      {L"A && B", 0, L"A & B"},
      {L"&&&N", L'N', L"&N"},
      {L"end&", 0, L"end"},
  };
  for (auto c : cases) {
    EXPECT_EQ(AcceleratorOf(c.Caption), c.Key) << c.Caption;
    EXPECT_EQ(StripAccelerator(c.Caption), c.Shown);
  }
  EXPECT_TRUE(IsAccelerator(L'o', L"确定(&O)"));
  EXPECT_TRUE(IsAccelerator(L'O', L"确定(&O)"));
  EXPECT_FALSE(IsAccelerator(L'N', L"确定(&O)"));
  EXPECT_FALSE(IsAccelerator(L'&', L"A && B"));
}

}  // namespace
}  // namespace qs
