#include "settings_window/win32/option_page.h"

#include <algorithm>

#include "core/texts.h"
#include "platform/win32/child_control.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

// Space between the page's edge and the controls, and their rows.
constexpr int kPageMargin = 12;
constexpr int kCheckRowHeight = 22;
// The check boxes leave room for the log-on controls' column beside them.
constexpr int kCheckWidth = 190;
constexpr int kColumnGap = 8;

// The brush of the tab pages' body, behind the option controls: white where the tab control
// draws with the visual style, the dialog face otherwise.
HBRUSH PageBrush(HWND tab) {
  if (HMODULE uxtheme = GetModuleHandleA("uxtheme.dll")) {
    using GetWindowThemeFunction = HANDLE(WINAPI*)(HWND);
    const auto get_window_theme = reinterpret_cast<GetWindowThemeFunction>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "GetWindowTheme")));
    if (get_window_theme && get_window_theme(tab)) return GetSysColorBrush(COLOR_WINDOW);
  }
  return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

void OptionPage::Create(HWND parent, HINSTANCE instance, HFONT font, HWND tab) {
  tab_ = tab;
  page_brush_ = PageBrush(tab);
  homepage_label_ = CreateChildControl(parent, instance, font, "STATIC", texts::kHomePageLabel,
                                       SS_LEFT | SS_NOPREFIX, 0, IDC_HOMEPAGE_LABEL);
  homepage_ = Edit(CreateChildControl(parent, instance, font, "EDIT", "",
                                      WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IDC_HOMEPAGE));
  const auto check_box = [&](const char* caption, int id) {
    return Button(CreateChildControl(parent, instance, font, "BUTTON", caption,
                                     WS_TABSTOP | BS_AUTOCHECKBOX, 0, id));
  };
  lan_check_box_ = check_box(texts::kLanCheckBoxCaption, IDC_LAN_CHECK_BOX);
  clear_check_box_ = check_box(texts::kClearCheckBoxCaption, IDC_CLEAR_CHECK_BOX);
  caps_check_box_ = check_box(texts::kCapsCheckBoxCaption, IDC_CAPS_CHECK_BOX);
  num_check_box_ = check_box(texts::kNumCheckBoxCaption, IDC_NUM_CHECK_BOX);
  menu_icon_check_box_ = check_box(texts::kMenuIconCheckBoxCaption, IDC_MENU_ICON_CHECK_BOX);
  logon_.Create(parent, instance, font);
}

int OptionPage::Layout(const RECT& page, DpiScale px) {
  const int x = page.left + px(kPageMargin);
  const int inner_width =
      std::max(0, static_cast<int>(page.right - page.left) - 2 * px(kPageMargin));
  int y = page.top + px(kPageMargin);
  MoveWindow(homepage_label_, x, y, inner_width, px(16), TRUE);
  y += px(18);
  MoveWindow(homepage_.Handle(), x, y, std::min(inner_width, px(360)), px(21), TRUE);
  y += px(21 + 10);
  const int checks_top = y;
  for (const Button* check : {&lan_check_box_, &clear_check_box_, &caps_check_box_, &num_check_box_,
                              &menu_icon_check_box_}) {
    MoveWindow(check->Handle(), x, y, std::min(inner_width, px(kCheckWidth)), px(18), TRUE);
    y += px(kCheckRowHeight);
  }
  const int column = px(kCheckWidth + kColumnGap);
  logon_.Layout(x + column, checks_top, std::max(0, inner_width - column), px);
  // The check boxes' column is the taller one.
  const int bottom = y - px(kCheckRowHeight) + px(18);
  return bottom > page.bottom ? bottom + px(kPageMargin) - static_cast<int>(page.bottom) : 0;
}

void OptionPage::Show(bool visible) {
  const int state = visible ? SW_SHOW : SW_HIDE;
  ShowWindow(homepage_label_, state);
  ShowWindow(homepage_.Handle(), state);
  for (const Button* check : {&lan_check_box_, &clear_check_box_, &caps_check_box_, &num_check_box_,
                              &menu_icon_check_box_})
    ShowWindow(check->Handle(), state);
  logon_.Show(visible);
}

void OptionPage::Read(AppSettings& settings) const {
  settings.home_page = homepage_.GetText();
  settings.launcher = lan_check_box_.GetCheck();
  settings.clear_recent = clear_check_box_.GetCheck();
  settings.caps = caps_check_box_.GetCheck();
  settings.num = num_check_box_.GetCheck();
  settings.menu_icon = menu_icon_check_box_.GetCheck();
  logon_.Read(settings);
}

void OptionPage::FieldExit(HWND control) {
  if (logon_.IsWaitField(control)) logon_.WaitFieldExit();
}

void OptionPage::ClampFields() {
  logon_.WaitFieldExit();
}

void OptionPage::Apply(const AppSettings& settings) {
  homepage_.SetText(settings.home_page);
  lan_check_box_.SetCheck(settings.launcher);
  clear_check_box_.SetCheck(settings.clear_recent);
  caps_check_box_.SetCheck(settings.caps);
  num_check_box_.SetCheck(settings.num);
  menu_icon_check_box_.SetCheck(settings.menu_icon);
  logon_.Apply(settings);
}

void OptionPage::FocusLanCheckBox() {
  if (IsWindowVisible(lan_check_box_.Handle())) SetFocus(lan_check_box_.Handle());
}

HBRUSH OptionPage::ControlColour(HWND control, HDC dc) const {
  bool on_page = control == homepage_label_ || logon_.Owns(control);
  for (const Button* check : {&lan_check_box_, &clear_check_box_, &caps_check_box_, &num_check_box_,
                              &menu_icon_check_box_})
    on_page = on_page || control == check->Handle();
  if (!on_page) return nullptr;
  LOGBRUSH brush{};
  GetObjectA(page_brush_, sizeof(brush), &brush);
  SetBkColor(dc, brush.lbColor);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return page_brush_;
}

void OptionPage::ThemeChanged() {
  page_brush_ = PageBrush(tab_);
}
