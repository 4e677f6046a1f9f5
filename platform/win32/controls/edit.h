#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// A non-owning handle of an edit box.
class Edit {
 public:
  explicit Edit(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  std::string GetText() const {
    const int length = static_cast<int>(SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = static_cast<int>(
        SendMessageA(hwnd_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(copied));
    return text;
  }
  void SetText(const std::string& text) {
    SendMessageA(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void SetLimitText(std::size_t most) { SendMessageA(hwnd_, EM_LIMITTEXT, most, 0); }
  // A short number field beside its up-down needs every pixel for its digits: the margins
  // a double-byte font brings would scroll the first digit out of view.
  void SetNarrowMargins() {
    SendMessageA(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
  }

 private:
  HWND hwnd_;
};
