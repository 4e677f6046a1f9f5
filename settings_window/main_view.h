#pragma once

#include <string>
#include <vector>

#include "items/app_settings.h"
#include "items/launch_item.h"

// The main window as its presenter sees it.
class MainView {
 public:
  virtual ~MainView() = default;

  // The settings as the window shows them: its normal (restored) position and size, the
  // HOMEPAGE edit and the "Propertis" page's options. The controls are a view of the settings
  // given, not a second store of them.
  virtual AppSettings Settings() = 0;
  virtual void ShowSettings(const AppSettings& settings) = 0;
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
