#include "platform/win32/win32_repeating_timer.h"

#include "platform/app_error.h"

namespace {

constexpr char kClassName[] = "MorvelinRepeatingTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32RepeatingTimer::Win32RepeatingTimer(HINSTANCE instance) : instance_(instance) {}

bool Win32RepeatingTimer::Start(int milliseconds, std::function<void()> tick) {
  // The window comes with the first start: a log-on run's first launches do not wait for it.
  if (!Handle()) {
    try {
      Create(instance_, {kClassName}, 0, 0, "", 0, 0, HWND_MESSAGE);
    } catch (const AppError&) {
      // Without its window the timer cannot start, and its user starts everything at once.
    }
  }
  tick_ = std::move(tick);
  running_ = Handle() && SetTimer(Handle(), kTimerId, static_cast<UINT>(milliseconds), nullptr);
  return running_;
}

void Win32RepeatingTimer::Stop() {
  if (running_) KillTimer(Handle(), kTimerId);
  running_ = false;
}

// Each row's own errors are shown by the run; no reporter is set, so nothing else escapes.
bool Win32RepeatingTimer::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return false;
  if (running_ && tick_) tick_();
  return true;
}
