#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/controls/status_bar.h"

// The main window's status bar: the version panel it paints itself and the hint panel, with
// the hints of the controls and of the list's menu.
class StatusHints {
 public:
  static constexpr int kVersionPanelWidth = 84;

  StatusHints();
  // Creates the bar as a child of `parent`. Throws on failure.
  void Create(HWND parent, HINSTANCE instance, HFONT font, int dpi);
  // The panels' widths for the window's DPI; the bar's height follows at the owner's next layout.
  void ApplyDpi(int dpi);
  HWND Handle() const { return status_bar_.Handle(); }

  void SetVersionText(const std::string& text);
  // Shows the hint unless it shows already.
  void SetHint(const std::string& hint);
  std::string HintText() const { return status_bar_.GetText(1); }
  // The hint of a control of the main window by its id; nullptr when it has none.
  const char* ControlHint(int id) const;
  // WM_MENUSELECT: the hint of the menu item under the highlight, none when the menu closed.
  void MenuSelect(UINT id, UINT flags, HMENU menu);
  // Paints the version panel; false when the item is not this bar's.
  bool DrawPanel(const DRAWITEMSTRUCT& item);

 private:
  StatusBar status_bar_;
  std::map<int, std::string> control_hints_;  // by control id
  std::map<UINT, std::string> menu_hints_;    // by menu item id
  std::string version_text_;
  std::string hint_;
};
