#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "platform/win32/window_base.h"

// Takes over a control's typed characters: those the test refuses never reach it.
class KeyFilter : private WindowBase {
 public:
  KeyFilter(HWND control, std::function<bool(char)> accepts) : accepts_(std::move(accepts)) {
    Attach(control);
  }

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM) override {
    if (message == WM_CHAR && accepts_ && !accepts_(static_cast<char>(wparam))) return 0;
    return std::nullopt;
  }

  std::function<bool(char)> accepts_;
};
