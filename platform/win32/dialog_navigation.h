#pragma once

#include <windows.h>

#include <optional>

// The messages that IsDialogMessage and the activation send to a window it drives, answered as
// a dialog's own procedure would. The main window is no dialog (it has a frame, bars and
// pages of its own), yet its keys are the dialog manager's: Tab, Enter, the labels' access
// keys, and the focus kept while another window is active.
class DialogNavigation {
 public:
  // The answer for `window`, or nothing when the message is none of the dialog manager's.
  std::optional<LRESULT> Answer(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND focus_to_restore_ = nullptr;  // focused again when the window is active again
};
