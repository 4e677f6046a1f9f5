// The main window's pages: the title list, the options and the page another subsystem adds,
// and turning between them.
#include "core/texts.h"
#include "platform/win32/child_control.h"
#include "resources/resource_ids.h"
#include "settings_window/win32/main_window.h"

namespace {

constexpr int kOptionPage = 1;
constexpr int kAddedPage = 2;

}  // namespace

void MainWindow::CreatePages() {
  const auto create = [this](const char* class_name, DWORD style, DWORD ex_style, int id) {
    return CreateChildControl(Handle(), instance_, font_.Get(), class_name, "", style, ex_style,
                              id);
  };
  page_control_ = TabControl(
      create(WC_TABCONTROLA, WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, IDC_PAGE_CONTROL));
  page_control_.InsertItem(0, texts::kTabApplication);
  page_control_.InsertItem(1, texts::kTabProperties);
  title_list_ = create(
      WC_LISTVIEWA,
      LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED,
      WS_EX_CLIENTEDGE, IDC_T_LIST_BOX);
  option_page_.Create(Handle(), instance_, font_.Get(), page_control_.Handle());
  option_page_.Apply(shown_);
  if (added_page_) {
    page_control_.InsertItem(kAddedPage, added_page_->Caption());
    added_page_->Create(Handle(), instance_, font_.Get());
  }
}

void MainWindow::PageControlChange() {
  const int page = page_control_.GetCurSel();
  ShowWindow(title_list_, page != kOptionPage && page != kAddedPage ? SW_SHOW : SW_HIDE);
  option_page_.Show(page == kOptionPage);
  if (added_page_) added_page_->Show(page == kAddedPage);
}

void MainWindow::TurnPage(int step) {
  const int count = page_control_.ItemCount();
  if (count <= 0) return;
  const bool on_tabs = GetFocus() == page_control_.Handle();
  page_control_.SetCurSel((page_control_.GetCurSel() + count + step) % count);
  PageControlChange();
  // As in a property sheet, the focus stays on the tabs if it was there and otherwise goes into
  // the page turned to; the list is no Tab stop, so this is the keyboard's way back into it.
  if (on_tabs) return;
  const int page = page_control_.GetCurSel();
  HWND first = page == kOptionPage                 ? GetDlgItem(Handle(), IDC_HOMEPAGE)
               : page == kAddedPage && added_page_ ? added_page_->FirstControl()
                                                   : title_list_;
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}
