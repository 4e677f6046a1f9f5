#include "logon/win32/logon_option_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <string>

#include "items/app_settings.h"
#include "logon/logon_texts.h"
#include "platform/win32/child_control.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/up_down.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

// Two digits and the caret beside the arrows.
constexpr int kWaitEditWidth = 44;
constexpr int kLogButtonWidth = 96;
constexpr int kRowHeight = 22;  // as the check boxes' beside them

}  // namespace

void LogOnOptionControls::Create(HWND parent, HINSTANCE instance, HFONT font) {
  skip_ = Button(CreateChildControl(parent, instance, font, "BUTTON", texts::kSkipRunningCaption,
                                    WS_TABSTOP | BS_AUTOCHECKBOX, 0, IDC_SKIP_RUNNING_CHECK_BOX));
  wait_label_ = CreateChildControl(parent, instance, font, "STATIC", texts::kWaitLabel, SS_LEFT, 0,
                                   IDC_WAIT_LABEL);
  wait_edit_ = CreateChildControl(parent, instance, font, "EDIT", "0",
                                  WS_TABSTOP | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, IDC_WAIT_EDIT);
  Edit(wait_edit_).SetLimitText(2);
  Edit(wait_edit_).SetNarrowMargins();
  // The up-down keeps the edit's number in range and steps it with the arrow keys.
  wait_up_down_ = CreateChildControl(
      parent, instance, font, UPDOWN_CLASSA, "",
      UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, IDC_WAIT_UP_DOWN);
  UpDown(wait_up_down_).SetBuddy(wait_edit_);
  UpDown(wait_up_down_).SetRange32(0, kMaxWaitSeconds);
  log_button_ =
      Button(CreateChildControl(parent, instance, font, "BUTTON", texts::kLogButtonCaption,
                                WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_LOG_BUTTON));
}

void LogOnOptionControls::Layout(int left, int top, int width, DpiScale px) {
  MoveWindow(skip_.Handle(), left, top, width, px(18), TRUE);
  int y = top + px(kRowHeight);
  // The '&' is measured too: the label is a little wider than its drawn text.
  const SIZE label =
      MeasureControlText(wait_label_, texts::kWaitLabel, DT_SINGLELINE | DT_NOPREFIX).extent;
  const int label_width = std::min(static_cast<int>(label.cx) + px(4), width);
  MoveWindow(wait_label_, left, y + px(3), label_width, px(16), TRUE);
  MoveWindow(wait_edit_, left + label_width + px(4), y, px(kWaitEditWidth), px(20), TRUE);
  // The buddy's new place carries the up-down along.
  UpDown(wait_up_down_).SetBuddy(wait_edit_);
  FitUpDownToDpi(wait_up_down_, wait_edit_, px.dpi);
  y += px(kRowHeight + 4);
  MoveWindow(log_button_.Handle(), left, y, px(kLogButtonWidth), px(22), TRUE);
}

void LogOnOptionControls::Show(bool visible) {
  const int state = visible ? SW_SHOW : SW_HIDE;
  for (HWND control :
       {skip_.Handle(), wait_label_, wait_edit_, wait_up_down_, log_button_.Handle()})
    ShowWindow(control, state);
}

int LogOnOptionControls::WaitSeconds() const {
  // The edit's own text, not the up-down's position: the up-down ignores a number typed past
  // its range and keeps its last one, which the field no longer shows.
  char text[16] = {};
  GetWindowTextA(wait_edit_, text, sizeof text);
  const std::string_view digits(text);
  int seconds = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
  if (error == std::errc::result_out_of_range) return kMaxWaitSeconds;
  if (error != std::errc{}) return 0;
  return std::clamp(seconds, 0, kMaxWaitSeconds);
}

void LogOnOptionControls::WaitFieldExit() {
  const int seconds = WaitSeconds();
  UpDown(wait_up_down_).SetPos32(seconds);
  // The up-down leaves an unchanged position's text alone, so the clamped number is written too.
  const std::string shown = std::to_string(seconds);
  char text[16] = {};
  GetWindowTextA(wait_edit_, text, sizeof text);
  if (shown != text) SetWindowTextA(wait_edit_, shown.c_str());
}

void LogOnOptionControls::Read(AppSettings& settings) const {
  settings.skip_running = skip_.GetCheck();
  settings.wait_seconds = WaitSeconds();
}

void LogOnOptionControls::Apply(const AppSettings& settings) {
  skip_.SetCheck(settings.skip_running);
  UpDown(wait_up_down_).SetPos32(settings.wait_seconds);
}

bool LogOnOptionControls::IsWaitField(HWND control) const {
  return control && control == wait_edit_;
}

bool LogOnOptionControls::Owns(HWND control) const {
  return control && (control == skip_.Handle() || control == wait_label_);
}
