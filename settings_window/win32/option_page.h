#pragma once

#include <windows.h>

#include <string>

#include "items/app_settings.h"
#include "logon/win32/logon_option_controls.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/dpi.h"

// The "Propertis" page: the home page address and one check box per boolean setting, as a view
// of the settings.
class OptionPage {
 public:
  // Creates the controls as hidden children of `parent`, over the tab control `tab`.
  void Create(HWND parent, HINSTANCE instance, HFONT font, HWND tab);
  bool Created() const { return homepage_.Handle() != nullptr; }

  // Places the controls inside the page's rectangle, their 96-dpi places scaled by `px`.
  // Returns how much taller the page must be for them and a margin below: 0 when none is cut.
  int Layout(const RECT& page, DpiScale px);
  void Show(bool visible);
  // Reads the page's settings into `settings`, leaving the others as they are.
  void Read(AppSettings& settings) const;
  void Apply(const AppSettings& settings);
  // A number field left, or about to be read: shows its value brought into range.
  void FieldExit(HWND control);
  void ClampFields();
  void FocusLanCheckBox();

  // WM_CTLCOLORSTATIC: the page's background for its label and check boxes; nullptr for any
  // other control.
  HBRUSH ControlColour(HWND control, HDC dc) const;
  // WM_THEMECHANGED: the page's background follows the visual style.
  void ThemeChanged();

 private:
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
};
