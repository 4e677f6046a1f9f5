#include "settings_window/win32/status_hints.h"

#include <cstring>

#include "logon/logon_texts.h"
#include "settings_window/main_form.h"
#include "core/texts.h"
#include "platform/win32/dpi.h"
#include "platform/win32/system_error.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

StatusHints::StatusHints() {
  control_hints_ = {
      {IDC_T_LIST_BOX, texts::kListHint},
      {IDC_HOMEPAGE_LABEL, texts::kHomePageHint},
      {IDC_HOMEPAGE, texts::kHomePageHint},
      {IDC_LAN_CHECK_BOX, texts::kLanCheckBoxHint},
      {IDC_CLEAR_CHECK_BOX, texts::kClearCheckBoxHint},
      {IDC_CAPS_CHECK_BOX, texts::kCapsCheckBoxHint},
      {IDC_NUM_CHECK_BOX, texts::kNumCheckBoxHint},
      {IDC_SKIP_RUNNING_CHECK_BOX, texts::kSkipRunningHint},
      {IDC_WAIT_LABEL, texts::kWaitHint},
      {IDC_WAIT_EDIT, texts::kWaitHint},
      {IDC_WAIT_UP_DOWN, texts::kWaitHint},
      {IDC_LOG_BUTTON, texts::kLogButtonHint},
  };
  menu_hints_ = {
      {IDM_ALL_OK, texts::kAllOkHint},
      {IDM_ALL_NG, texts::kAllNgHint},
      {IDM_MOVE_UP, texts::kMoveUpHint},
      {IDM_MOVE_DOWN, texts::kMoveDownHint},
  };
}

void StatusHints::Create(HWND parent, HINSTANCE instance, HFONT font, int dpi) {
  HWND bar = CreateWindowExA(
      0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), instance, nullptr);
  if (!bar) throw SystemCallError("CreateWindowEx");
  UseFont(bar, font);
  status_bar_ = StatusBar(bar);
  ApplyDpi(dpi);
}

void StatusHints::ApplyDpi(int dpi) {
  // The hints take all the width the bar has, so that the longer ones are read whole.
  const int right_edges[] = {Scale(kVersionPanelWidth, dpi), -1};
  status_bar_.SetParts(right_edges, 2);
  status_bar_.SetOwnerDrawn(0, version_text_.c_str());
}

void StatusHints::SetVersionText(const std::string& text) {
  version_text_ = text;
  // The part carries the address of the text it shows, and repaints.
  status_bar_.SetOwnerDrawn(0, version_text_.c_str());
}

void StatusHints::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  status_bar_.SetText(1, LongHint(hint));
}

const char* StatusHints::ControlHint(int id) const {
  const auto hint = control_hints_.find(id);
  return hint == control_hints_.end() ? nullptr : hint->second.c_str();
}

void StatusHints::MenuSelect(UINT id, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && !menu) {  // the menu closed
    SetHint("");
    return;
  }
  const auto hint = (flags & (MF_POPUP | MF_SEPARATOR)) ? menu_hints_.end() : menu_hints_.find(id);
  SetHint(hint == menu_hints_.end() ? std::string() : hint->second);
}

bool StatusHints::DrawPanel(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem != status_bar_.Handle()) return false;
  if (item.itemID != 0 || !item.itemData) return true;
  const char* text = reinterpret_cast<const char*>(item.itemData);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(status_bar_.Handle(), WM_GETFONT, 0, 0));
  const SelectedObject chosen(item.hDC, font);
  const int old_mode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF old_color = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  const DpiScale px{WindowDpi(item.hwndItem)};
  TextOutA(item.hDC, item.rcItem.left + px(2), item.rcItem.top + px(1), text,
           static_cast<int>(std::strlen(text)));
  SetTextColor(item.hDC, old_color);
  SetBkMode(item.hDC, old_mode);
  return true;
}
