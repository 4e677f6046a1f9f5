#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "items/launch_item.h"

// What the list pane asks of the window that shows the list.
class ListPaneHost {
 public:
  virtual ~ListPaneHost() = default;
  // Builds the window's controls, the list among them, unless they exist.
  virtual void EnsureControls() = 0;
  // Delete, Edit, Run, Up and Down, together.
  virtual void EnableRowButtons(bool enabled) = 0;
  // Shows an error that ended one of the list's handlers.
  virtual void ReportError(const std::exception& error) = 0;
};

// The list on the application page as the window drives it; the subsystem that owns the list's
// behaviour implements it and is handed the list's window when it exists.
class ListPane {
 public:
  // "T_ListBox" rows are 15 pixels high, less than its font and check boxes would make them:
  // the list is owner-drawn with rows of this height.
  static constexpr int kRowHeight = 15;
  // The row height at `dpi`: the 96-dpi height scaled, and never less than the check box
  // image the list draws (one pixel of it may be cut, as at 96 dpi).
  static int RowHeight(int dpi);

  virtual ~ListPane() = default;
  virtual void Attach(HWND list) = 0;
  // The list's WM_NOTIFY messages.
  virtual LRESULT Notify(const NMHDR& header) = 0;
  virtual void DrawRow(const DRAWITEMSTRUCT& item) = 0;
  virtual void ShowRows(const std::vector<LaunchItem>& rows) = 0;
  virtual bool SelectFirstRowAndFocus() = 0;
  // The window moved to a monitor of another DPI: the list's font and rows follow.
  virtual void DpiChanged(int /*dpi*/) {}
};
