#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

// A non-owning handle of an up-down control.
class UpDown {
 public:
  explicit UpDown(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  void SetBuddy(HWND buddy) {
    SendMessageA(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  }
  void SetRange32(int lowest, int highest) {
    SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(lowest), highest);
  }
  void SetAccel(const UDACCEL& step) {
    SendMessageA(hwnd_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
  }
  // The position, or nothing when the buddy's text is no number of the range.
  bool GetPos32(int* position) const {
    BOOL failed = FALSE;
    *position =
        static_cast<int>(SendMessageA(hwnd_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return !failed;
  }
  void SetPos32(int position) { SendMessageA(hwnd_, UDM_SETPOS32, 0, position); }

 private:
  HWND hwnd_;
};
