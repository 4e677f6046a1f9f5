#pragma once

#include <string>
#include <vector>

#include "core/launch_item.h"

struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool operator==(const WindowBounds&) const = default;
};

// The check boxes of the "Propertis" page, one per boolean setting.
struct OptionChecks {
  bool launcher = false;      // LanCheckBox
  bool clear_recent = false;  // ClearCheckBox
  bool caps = false;          // CapsCheckBox
  bool num = false;           // NumCheckBox
  bool menu_icon = false;     // MenuIconCheckBox
  bool skip_running = false;  // Skip
  int wait_seconds = 0;       // Wait, from its up-down

  bool operator==(const OptionChecks&) const = default;
};

// The main window as its presenter sees it.
class MainView {
 public:
  virtual ~MainView() = default;

  // The window's normal (restored) position and size.
  virtual WindowBounds Bounds() = 0;
  virtual void SetBounds(const WindowBounds& bounds) = 0;
  virtual std::string HomePage() = 0;  // HOMEPAGE edit
  virtual void SetHomePage(const std::string& text) = 0;
  virtual OptionChecks Options() = 0;
  virtual void SetOptions(const OptionChecks& options) = 0;
  // The titles and check boxes of the list.
  virtual void ShowItems(const std::vector<LaunchItem>& rows) = 0;

  virtual void CentreOnScreen() = 0;
  virtual void Show() = 0;
  // Minimised state; a window that was never shown stays hidden.
  virtual void Minimise() = 0;
  // Gives the application's own top-level window the tool-window style: no task bar button.
  virtual void SetApplicationToolWindow() = 0;
  // Ends the message loop as soon as it runs.
  virtual void Terminate() = 0;
  // Closes the main window; the close handling runs and the program ends with it.
  virtual void Close() = 0;

  // Panel 0 holds the version text, panel 1 the hints.
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual void ShowApplicationPage() = 0;
  // Selects the first row and focuses the list; false when there is no row to select.
  virtual bool SelectFirstRowAndFocus() = 0;
  virtual void FocusLanCheckBox() = 0;
};
