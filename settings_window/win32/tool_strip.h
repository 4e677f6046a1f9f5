#pragma once

#include <windows.h>

#include "platform/win32/controls/rebar.h"
#include "platform/win32/controls/tool_bar.h"
#include "platform/win32/owned_handle.h"

// A tool button: its command id, band, image and texts.
struct ToolButton {
  int id;
  int band;
  int image;
  const char* caption;
  const char* hint;
};

// The main window's cool bar: four bands of tool buttons, their hints and access keys.
class ToolStrip {
 public:
  static constexpr int kBandCount = 4;

  // Creates the cool bar, its bands and buttons as children of `parent`. Throws on failure.
  void Create(HWND parent, HINSTANCE instance, HFONT font, int dpi);
  // The images, font and band sizes for the window's DPI.
  void ApplyDpi(HFONT font, int dpi);
  HWND Handle() const { return cool_bar_.Handle(); }

  // Enables or disables Delete, Edit, Run, Up and Down together.
  void EnableRowButtons(bool enabled);
  // The hint of the tool button under the screen point when `window` is one of the bands.
  const char* HintAt(HWND window, POINT screen_point) const;

  // Alt and a letter: presses the enabled button whose caption has that access key when it is
  // the only one; when several share it, moves the focus to the next of them instead. True when
  // some button has the key.
  bool AccessKey(char key);
  // Space or Enter while a button has the focus presses it. True when one did.
  bool PressFocusedButton();
  // An arrow key while a button has the focus moves it to the next (step 1) or previous (-1)
  // enabled button, over the bands' edges and round: the only way to "ShortCut", which has no
  // access key. True when a button had the focus.
  bool MoveFocus(int step);
  // The command id of the button holding the focus; 0 when none does.
  int FocusedButton() const;

 private:
  void Press(int id) const;
  // Gives the keyboard focus to the button at this index of the table, shown as its hot item.
  void FocusButton(int index);

  HWND parent_ = nullptr;
  HINSTANCE instance_ = nullptr;
  ReBar cool_bar_;
  ToolBar tool_bars_[kBandCount];
  OwnedImageList images_;
  int focused_ = -1;  // index into the button table
};
