// Timers: they fire through the message loop, may change their interval and handler or
// stop or free themselves from inside the handler, and report exceptions.
#include <gtest/gtest.h>

#include "tests/ui/UiTestUtil.h"
#include "ui/Timer.h"

namespace qs {
namespace {

using namespace qs::test;

TEST(Timer, FiresUntilItStopsItself) {
  SetUpApplication();
  TTimer t;
  int ticks = 0;
  t.SetInterval(20);
  t.OnTimer = [&] {
    if (++ticks == 3) t.SetEnabled(false);
  };
  EXPECT_FALSE(t.Enabled());  // made disabled
  t.SetEnabled(true);
  PumpUntil([&] { return ticks == 3; });
  Pump(150);
  EXPECT_EQ(ticks, 3);
}

TEST(Timer, TheHandlerCanSwitchToAnotherHandlerAndInterval) {
  SetUpApplication();
  TTimer t;
  std::vector<std::string> calls;
  t.SetInterval(20);
  t.OnTimer = [&] {
    calls.push_back("first");
    t.SetEnabled(false);
    t.SetInterval(30);
    t.OnTimer = [&] {
      calls.push_back("second");
      t.SetEnabled(false);
    };
    t.SetEnabled(true);
  };
  t.SetEnabled(true);
  PumpUntil([&] { return calls.size() == 2; });
  Pump(100);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
}

TEST(Timer, TheHandlerCanFreeItsTimer) {
  SetUpApplication();
  auto t = std::make_unique<TTimer>();
  int ticks = 0;
  t->SetInterval(20);
  t->OnTimer = [&] {
    ++ticks;
    t.reset();
  };
  t->SetEnabled(true);
  PumpUntil([&] { return !t; });
  Pump(100);
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, AnExceptionInTheHandlerIsReportedAndTheTimerGoesOn) {
  SetUpApplication();
  CaughtExceptions().clear();
  TTimer t;
  int ticks = 0;
  t.SetInterval(20);
  t.OnTimer = [&] {
    if (++ticks == 1) throw std::runtime_error("tick failed");
    t.SetEnabled(false);
  };
  t.SetEnabled(true);
  PumpUntil([&] { return ticks == 2; });
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(CaughtExceptions(), (std::vector<std::wstring>{L"tick failed"}));
}

}  // namespace
}  // namespace qs
