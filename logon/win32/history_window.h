#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "logon/logon_chart.h"
#include "logon/win32/history_chart_painter.h"
#include "platform/win32/controls/list_box.h"
#include "platform/win32/dialog_navigation.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/window_base.h"

// The window "ﾛｸﾞｵﾝ履歴": the last log-on as a chart, the log-on times of the last log-ons as a
// trend under it, and the rows of the last log-on in a list whose picked row shows its figures.
// Made when shown and gone when closed; each showing reads the history afresh.
class LogOnHistoryWindow : private WindowBase {
 public:
  explicit LogOnHistoryWindow(HINSTANCE instance) : instance_(instance) {}

  // Shows the history (oldest first) over the owner and brings the window forward. Throws
  // AppError when the window cannot be made.
  void Show(HWND owner, std::vector<LogOnTimeline> history);

  // Tab, Shift+Tab and Escape as in a dialog, for a message on its way to this window or one of
  // its controls; true when the message was used up.
  bool PreTranslateMessage(MSG& message);

  using WindowBase::Handle;
  using WindowBase::SetErrorReporter;

 private:
  bool OnCommand(int id, int code, HWND control) override;
  void OnSize(int width, int height) override;
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void CreateWindowAndControls(HWND owner);
  // Fonts for the window's DPI, and the layout again.
  void ApplyDpi(int dpi);
  void Layout();
  void Paint();
  void Pick(std::optional<std::size_t> row);
  void PickAt(POINT point);
  const LogOnTimeline* Last() const { return history_.empty() ? nullptr : &history_.back(); }

  HINSTANCE instance_;
  std::vector<LogOnTimeline> history_;
  std::vector<std::size_t> heavy_;
  ChartTools tools_;
  OwnedFont font_;
  ListBox rows_;
  HWND figures_ = nullptr;
  int dpi_ = 96;
  // Worked out by Layout, drawn by Paint.
  RECT header_{};
  RECT chart_area_{};
  RECT trend_label_{};
  ChartLayout chart_;
  std::vector<ChartRect> trend_;
  std::optional<std::size_t> picked_;
  DialogNavigation navigation_;
};
