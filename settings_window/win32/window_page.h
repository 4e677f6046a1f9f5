#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/dpi.h"

// A page that another subsystem adds after the two of the window's own; app/ hands it over
// before the controls are built.
class WindowPage {
 public:
  virtual ~WindowPage() = default;
  virtual const char* Caption() const = 0;
  // Creates the controls as hidden children of the window.
  virtual void Create(HWND parent, HINSTANCE instance, HFONT font) = 0;
  // `px` scales the page's 96-dpi layout to the window's DPI.
  virtual void Layout(const RECT& page, DpiScale px) = 0;
  // The page is shown (and reads what it shows afresh) or hidden.
  virtual void Show(bool visible) = 0;
  virtual HWND FirstControl() const = 0;
  // The control's WM_NOTIFY messages, when it is the page's.
  virtual std::optional<LRESULT> Notify(const NMHDR& header) = 0;
  // The status bar's hint for the control; nullptr when it is not the page's.
  virtual const char* Hint(HWND control) const = 0;
};
