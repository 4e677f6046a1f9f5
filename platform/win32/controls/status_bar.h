#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <string>

// A non-owning handle of a status bar.
class StatusBar {
 public:
  explicit StatusBar(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  // Right edges of the parts in client coordinates; -1 reaches the right border.
  void SetParts(const int* right_edges, int count) {
    SendMessageA(hwnd_, SB_SETPARTS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(right_edges));
  }
  void SetText(int part, const std::string& text) {
    SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  // The part is painted by its parent in WM_DRAWITEM, which gets data as the item's data.
  void SetOwnerDrawn(int part, const void* data) {
    SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(part | SBT_OWNERDRAW),
                 reinterpret_cast<LPARAM>(data));
  }
  std::string GetText(int part) const {
    const LRESULT info = SendMessageA(hwnd_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessageA(hwnd_, SB_GETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
  }

 private:
  HWND hwnd_;
};
