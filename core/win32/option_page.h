#pragma once

#include <windows.h>

#include <string>

#include "core/main_view.h"
#include "core/win32/logon_option_controls.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"

// The "Propertis" page: the home page address and one check box per boolean setting. What is
// set before the controls exist is kept and goes into them when they are made.
class OptionPage {
 public:
  // Creates the controls as hidden children of `parent`, over the tab control `tab`.
  void Create(HWND parent, HINSTANCE instance, HFONT font, HWND tab);
  bool Created() const { return homepage_.Handle() != nullptr; }

  // Places the controls inside the page's rectangle.
  void Layout(const RECT& page);
  void Show(bool visible);
  std::string HomePage() const;
  void SetHomePage(const std::string& text);
  OptionChecks Options() const;
  void SetOptions(const OptionChecks& options);
  void FocusLanCheckBox();

  // WM_CTLCOLORSTATIC: the page's background for its label and check boxes; nullptr for any
  // other control.
  HBRUSH ControlColour(HWND control, HDC dc) const;
  // WM_THEMECHANGED: the page's background follows the visual style.
  void ThemeChanged();

 private:
  void ApplyOptions();

  HWND tab_ = nullptr;
  HWND homepage_label_ = nullptr;
  Edit homepage_;
  Button lan_check_box_;
  Button clear_check_box_;
  Button caps_check_box_;
  Button num_check_box_;
  Button menu_icon_check_box_;
  LogOnOptionControls logon_;
  HBRUSH page_brush_ = nullptr;  // a system brush: not deleted
  std::string home_page_;
  OptionChecks options_;
};
