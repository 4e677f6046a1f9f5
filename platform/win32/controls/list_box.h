#pragma once

#include <windows.h>

// A non-owning handle of a list box.
class ListBox {
 public:
  explicit ListBox(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  void ResetContent() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }
  int AddString(const char* text) {
    return static_cast<int>(SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int GetCurSel() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

 private:
  HWND hwnd_;
};
