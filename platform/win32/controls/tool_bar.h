#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

// A non-owning handle of a tool bar.
class ToolBar {
 public:
  explicit ToolBar(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  void ButtonStructSize() { SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0); }
  void SetImageList(HIMAGELIST images) {
    SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  }
  bool AddButtons(const TBBUTTON* buttons, int count) {
    return SendMessageA(hwnd_, TB_ADDBUTTONSA, static_cast<WPARAM>(count),
                        reinterpret_cast<LPARAM>(buttons)) != 0;
  }
  void AutoSize() { SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0); }
  SIZE GetMaxSize() const {
    SIZE size{};
    SendMessageA(hwnd_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return size;
  }
  bool GetButton(int index, TBBUTTON& button) const {
    return SendMessageA(hwnd_, TB_GETBUTTON, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&button)) != 0;
  }
  // Index of the button under a client point; negative when none.
  int HitTest(POINT point) const {
    return static_cast<int>(SendMessageA(hwnd_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
  }
  int CommandToIndex(int command) const {
    return static_cast<int>(
        SendMessageA(hwnd_, TB_COMMANDTOINDEX, static_cast<WPARAM>(command), 0));
  }
  void SetHotItem(int index) const {
    SendMessageA(hwnd_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
  }
  void EnableButton(int command, bool enabled) {
    SendMessageA(hwnd_, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enabled, 0));
  }
  bool IsButtonEnabled(int command) const {
    return SendMessageA(hwnd_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
  }

 private:
  HWND hwnd_;
};
