#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

// A non-owning handle of a rebar (cool bar).
class ReBar {
 public:
  explicit ReBar(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  bool InsertBand(int index, REBARBANDINFOA& band) {
    band.cbSize = sizeof(band);
    return SendMessageA(hwnd_, RB_INSERTBANDA, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&band)) != 0;
  }
  void SetBkColor(COLORREF color) { SendMessageA(hwnd_, RB_SETBKCOLOR, 0, color); }

 private:
  HWND hwnd_;
};
