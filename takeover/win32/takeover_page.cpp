#include "takeover/win32/takeover_page.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/child_control.h"
#include "platform/win32/dpi.h"
#include "resources/resource_ids.h"
#include "takeover/takeover_texts.h"
#include "takeover/win32/takeover_page_layout.h"

namespace t = takeover_texts;
namespace layout = takeover_page_layout;

const char* TakeoverPage::Caption() const {
  return t::kPageCaption;
}

void TakeoverPage::Create(HWND parent, HINSTANCE instance, HFONT font) {
  parent_ = parent;
  list_ = ListView(CreateChildControl(
      parent, instance, font, WC_LISTVIEWA, "",
      WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
      WS_EX_CLIENTEDGE, IDC_TAKEOVER_ENTRIES));
  list_.SetExtendedListViewStyle(LVS_EX_FULLROWSELECT);
  const char* headers[] = {t::kColumnPlace, t::kColumnName, t::kColumnCommand, t::kColumnMark};
  columns_dpi_ = WindowDpi(parent);
  for (int i = 0; i < static_cast<int>(std::size(headers)); ++i)
    list_.InsertColumn(i, headers[i], Scale(layout::kColumnWidths[i], columns_dpi_));
  take_over_button_ =
      Button(CreateChildControl(parent, instance, font, "BUTTON", t::kTakeOverButton,
                                WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_TAKE_OVER_BUTTON));
  give_back_button_ =
      Button(CreateChildControl(parent, instance, font, "BUTTON", t::kGiveBackButton,
                                WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_GIVE_BACK_BUTTON));
  uninstall_button_ =
      Button(CreateChildControl(parent, instance, font, "BUTTON", t::kUninstallButton,
                                WS_TABSTOP | BS_PUSHBUTTON, 0, IDC_UNINSTALL_BUTTON));
  AddTips(parent, instance);
  UpdateButtons();
}

void TakeoverPage::AddTips(HWND parent, HINSTANCE instance) {
  tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
  if (!tips_) return;  // the status bar still shows what fits
  // The list's header is a window of its own: the pointer over it gets the list's hint too.
  HWND header = ListView_GetHeader(list_.Handle());
  for (HWND control : {list_.Handle(), header, take_over_button_.Handle(),
                       give_back_button_.Handle(), uninstall_button_.Handle()}) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(Hint(control == header ? list_.Handle() : control));
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TakeoverPage::Layout(const RECT& page, DpiScale px) {
  columns_dpi_ = px.dpi;
  const int m = px(layout::kMargin);
  const int button_width = px(layout::kButtonWidth);
  const int button_height = px(layout::kButtonHeight);
  const int buttons_top = page.bottom - m - button_height;
  const int list_height = std::max(0, buttons_top - m - static_cast<int>(page.top) - m);
  const int list_width = std::max(0, static_cast<int>(page.right - page.left) - 2 * m);
  MoveWindow(list_.Handle(), page.left + m, page.top + m, list_width, list_height, TRUE);
  MoveWindow(take_over_button_.Handle(), page.left + m, buttons_top, button_width, button_height,
             TRUE);
  const int step = button_width + px(layout::kButtonGap);
  MoveWindow(give_back_button_.Handle(), page.left + m + step, buttons_top, button_width,
             button_height, TRUE);
  // Apart from the two that change one entry: it ends the program's use altogether.
  const int uninstall_width = px(layout::kUninstallWidth);
  MoveWindow(uninstall_button_.Handle(),
             std::max(static_cast<int>(page.left) + m + 2 * step,
                      static_cast<int>(page.right) - m - uninstall_width),
             buttons_top, uninstall_width, button_height, TRUE);
  // The widest line of a hint fills the tip at most this wide.
  if (tips_) SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, px(layout::kTipWidth));
  FitColumns();
}

void TakeoverPage::FitColumns() {
  // Where an entry comes from and its marks must read whole at any DPI and with any text; the
  // command, which is long anyway, takes what room is left.
  const HWND list = list_.Handle();
  const DpiScale px{columns_dpi_};
  const auto fit = [&](int column, const char* header) {
    ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
    const int width = std::max(ListView_GetColumnWidth(list, column),
                               ListView_GetStringWidth(list, header) + px(12));
    ListView_SetColumnWidth(list, column, width);
    return width;
  };
  const int taken =
      fit(0, t::kColumnPlace) + ListView_GetColumnWidth(list, 1) + fit(3, t::kColumnMark);
  RECT client{};
  GetClientRect(list, &client);
  ListView_SetColumnWidth(
      list, 2, std::max(px(layout::kColumnWidths[2]) / 2, static_cast<int>(client.right) - taken));
}

void TakeoverPage::Show(bool visible) {
  if (visible) Refresh();
  const int command = visible ? SW_SHOW : SW_HIDE;
  for (HWND control : {list_.Handle(), take_over_button_.Handle(), give_back_button_.Handle(),
                       uninstall_button_.Handle()})
    ShowWindow(control, command);
}

void TakeoverPage::Refresh() {
  const int selected = list_.GetNextItem(-1, LVNI_SELECTED);
  entries_ = handlers_.list ? handlers_.list() : std::vector<TakeoverEntry>();
  filling_ = true;
  list_.SetRedraw(false);
  list_.DeleteAllItems();
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    const TakeoverEntry& entry = entries_[static_cast<size_t>(i)];
    list_.InsertItem(i, PlaceText(entry));
    list_.SetItemText(i, 1, entry.name);
    list_.SetItemText(i, 2, entry.command);
    list_.SetItemText(i, 3, MarkText(entry));
  }
  const int count = static_cast<int>(entries_.size());
  if (count > 0) {
    const int row = std::clamp(selected, 0, count - 1);
    list_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list_.EnsureVisible(row);
  }
  FitColumns();
  list_.SetRedraw(true);
  filling_ = false;
  UpdateButtons();
}

const TakeoverEntry* TakeoverPage::Selected() const {
  const int row = list_.GetNextItem(-1, LVNI_SELECTED);
  return row >= 0 && row < static_cast<int>(entries_.size()) ? &entries_[static_cast<size_t>(row)]
                                                             : nullptr;
}

void TakeoverPage::UpdateButtons() {
  const TakeoverEntry* entry = Selected();
  // A button that loses its use while it has the focus hands the focus to the list.
  HWND focus = GetFocus();
  EnableWindow(take_over_button_.Handle(), entry && CanTakeOver(*entry));
  EnableWindow(give_back_button_.Handle(), entry && IsKept(*entry));
  if (focus && !IsWindowEnabled(focus) &&
      (focus == take_over_button_.Handle() || focus == give_back_button_.Handle()))
    SendMessageA(parent_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list_.Handle()), TRUE);
}

std::optional<LRESULT> TakeoverPage::Notify(const NMHDR& header) {
  if (header.hwndFrom != list_.Handle()) return std::nullopt;
  if (header.code == LVN_ITEMCHANGED && !filling_) UpdateButtons();
  return 0;
}

const char* TakeoverPage::Hint(HWND control) const {
  if (control == list_.Handle()) return t::kListHint;
  if (control == take_over_button_.Handle()) return t::kTakeOverHint;
  if (control == give_back_button_.Handle()) return t::kGiveBackHint;
  if (control == uninstall_button_.Handle()) return t::kUninstallHint;
  return nullptr;
}

void TakeoverPage::TakeOverClick() {
  const TakeoverEntry* entry = Selected();
  if (!entry || !CanTakeOver(*entry)) return;
  const TakeoverEntry chosen = *entry;
  if (handlers_.take_over) handlers_.take_over(chosen);
  Refresh();
}

void TakeoverPage::GiveBackClick() {
  const TakeoverEntry* entry = Selected();
  if (!entry || !IsKept(*entry)) return;
  const TakeoverEntry chosen = *entry;
  if (handlers_.give_back) handlers_.give_back(chosen);
  Refresh();
}

void TakeoverPage::UninstallClick() {
  if (handlers_.uninstall) handlers_.uninstall();
}

void TakeoverPage::RegisterWith(CommandTarget& window) {
  window.SetCommandHandler(IDC_TAKE_OVER_BUTTON, [this] { TakeOverClick(); });
  window.SetCommandHandler(IDC_GIVE_BACK_BUTTON, [this] { GiveBackClick(); });
  window.SetCommandHandler(IDC_UNINSTALL_BUTTON, [this] { UninstallClick(); });
}
