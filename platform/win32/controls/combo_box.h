#pragma once

#include <windows.h>

// A non-owning handle of a drop-down list.
class ComboBox {
 public:
  explicit ComboBox(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  int AddString(const char* text) {
    return static_cast<int>(SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int GetCount() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }
  int GetCurSel() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }
  // -1 selects nothing.
  void SetCurSel(int index) { SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

 private:
  HWND hwnd_;
};
