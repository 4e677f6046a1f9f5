#pragma once

#include <windows.h>

#include "items/app_settings.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/dpi.h"

// The option page's log-on controls: "Skip", "Wait" with its up-down, and the log button. They
// sit in a column of their own beside the check boxes.
class LogOnOptionControls {
 public:
  void Create(HWND parent, HINSTANCE instance, HFONT font);
  bool Created() const { return skip_.Handle() != nullptr; }
  // Rows as tall as the check boxes', starting at top; 96-dpi sizes scaled by `px`.
  void Layout(int left, int top, int width, DpiScale px);
  void Show(bool visible);
  // Copies the controls into options, or the options into the controls.
  void Read(AppSettings& settings) const;
  // Shows the Wait field's number brought into range, as it will be saved.
  void WaitFieldExit();
  bool IsWaitField(HWND control) const;
  void Apply(const AppSettings& settings);
  bool Owns(HWND control) const;

 private:
  int WaitSeconds() const;

  Button skip_;
  HWND wait_label_ = nullptr;
  HWND wait_edit_ = nullptr;
  HWND wait_up_down_ = nullptr;
  Button log_button_;
};
