// TTimer: calls OnTimer every Interval milliseconds while Enabled (a timer starts
// disabled, with 1000 ms), through the thread's message loop (so also inside modal loops and ProcessMessages). Changing Interval or
// OnTimer, or disabling the timer, from inside OnTimer is allowed and takes effect at
// once; so is freeing the timer there. Exceptions from OnTimer go to the application's
// handler.
#pragma once
#include <cstdint>

#include "ui/Component.h"
#include "ui/UiTypes.h"

namespace qs {

class TTimer : public TComponent {
public:
  TTimer() = default;
  ~TTimer() override;

  uint32_t Interval() const { return FInterval; }
  // Restarts the count when the timer runs.
  void SetInterval(uint32_t ms);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);

  TNotifyEvent OnTimer;

  // The timer procedure's work for the timer of that id.
  static void Fire(uintptr_t id);

private:
  void Start();
  void Stop();

  uint32_t FInterval = 1000;
  bool FEnabled = false;
  uintptr_t FId = 0;
};

}  // namespace qs
