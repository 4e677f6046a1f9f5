#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <string>

// A non-owning handle of a tab control.
class TabControl {
 public:
  explicit TabControl(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  int InsertItem(int index, const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&item)));
  }
  int ItemCount() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0)); }
  int GetCurSel() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) { SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
  // Turns a window rectangle of the control into its display area.
  void AdjustRect(RECT& rect) const {
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  }

 private:
  HWND hwnd_;
};
