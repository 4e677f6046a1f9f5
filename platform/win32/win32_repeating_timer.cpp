#include "platform/win32/win32_repeating_timer.h"

#include <exception>

namespace {

constexpr char kClassName[] = "MorvelinRepeatingTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

Win32RepeatingTimer::Win32RepeatingTimer(HINSTANCE instance) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClassName;
  RegisterClassA(&window_class);
  window_ =
      CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

Win32RepeatingTimer::~Win32RepeatingTimer() {
  if (window_) DestroyWindow(window_);
}

bool Win32RepeatingTimer::Start(int milliseconds, std::function<void()> tick) {
  tick_ = std::move(tick);
  running_ = window_ && SetTimer(window_, kTimerId, static_cast<UINT>(milliseconds), nullptr);
  return running_;
}

void Win32RepeatingTimer::Stop() {
  if (running_) KillTimer(window_, kTimerId);
  running_ = false;
}

LRESULT CALLBACK Win32RepeatingTimer::WindowProc(HWND window, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_TIMER && wparam == kTimerId) {
    auto* self = reinterpret_cast<Win32RepeatingTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->running_ && self->tick_) {
      try {
        self->tick_();
      } catch (const std::exception&) {
        // Each row's own errors are shown by the run; nothing may cross the window procedure.
      }
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
