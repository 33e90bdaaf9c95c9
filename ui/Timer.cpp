// TTimer over thread timers (SetTimer without a window): WM_TIMER reaches the timer
// procedure through whichever message loop runs.
#include "ui/Timer.h"

#include <windows.h>

#include <unordered_map>

#include "ui/Application.h"

namespace qs {
namespace {

std::unordered_map<uintptr_t, TTimer*>& Running() {
  static std::unordered_map<uintptr_t, TTimer*> timers;
  return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  CallGuarded([id] { TTimer::Fire(id); });
}

}  // namespace

TTimer::~TTimer() { Stop(); }

void TTimer::SetInterval(uint32_t ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  if (FEnabled) {
    Stop();
    Start();
  }
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  if (v) Start();
  else Stop();
}

void TTimer::Start() {
  if (FInterval == 0) return;
  FId = ::SetTimer(nullptr, 0, FInterval, &TimerProc);
  if (FId) Running()[FId] = this;
}

void TTimer::Stop() {
  if (!FId) return;
  ::KillTimer(nullptr, FId);
  Running().erase(FId);
  FId = 0;
}

void TTimer::Fire(uintptr_t id) {
  auto it = Running().find(id);
  if (it == Running().end()) return;  // stopped while its message waited in the queue
  // A copy: the handler may replace OnTimer or free the timer.
  TNotifyEvent handler = it->second->OnTimer;
  if (handler) handler();
}

}  // namespace qs
