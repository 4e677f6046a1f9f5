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
  // The text of a part that is not owner-drawn. (The length the bar reports is not always in
  // bytes, so the buffer is generous.)
  std::string GetText(int part) const {
    char text[1024] = {};
    SendMessageA(hwnd_, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    text[sizeof(text) - 1] = '\0';
    return text;
  }

 private:
  HWND hwnd_;
};
