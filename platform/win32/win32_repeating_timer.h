#pragma once

#include <windows.h>

#include <functional>

#include "platform/repeating_timer.h"
#include "platform/win32/window_base.h"

// A timer on a message-only window of its own: the ticks arrive through the thread's message
// loop, so the program stays responsive between them.
class Win32RepeatingTimer : public RepeatingTimer, private WindowBase {
 public:
  explicit Win32RepeatingTimer(HINSTANCE instance);

  bool Start(int milliseconds, std::function<void()> tick) override;
  void Stop() override;

 private:
  bool OnTimer(UINT_PTR id) override;

  HINSTANCE instance_;
  std::function<void()> tick_;
  bool running_ = false;
};
