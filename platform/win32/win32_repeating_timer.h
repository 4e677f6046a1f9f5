#pragma once

#include <windows.h>

#include <functional>

#include "platform/repeating_timer.h"

// A timer on a message-only window of its own: the ticks arrive through the thread's message
// loop, so the program stays responsive between them.
class Win32RepeatingTimer : public RepeatingTimer {
 public:
  explicit Win32RepeatingTimer(HINSTANCE instance);
  ~Win32RepeatingTimer() override;
  Win32RepeatingTimer(const Win32RepeatingTimer&) = delete;
  Win32RepeatingTimer& operator=(const Win32RepeatingTimer&) = delete;

  bool Start(int milliseconds, std::function<void()> tick) override;
  void Stop() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  std::function<void()> tick_;
  bool running_ = false;
};
