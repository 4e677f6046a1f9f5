#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "core/command_target.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/list_view.h"
#include "settings_window/win32/window_page.h"
#include "takeover/entries.h"
#include "takeover/entries_page_handlers.h"

// The page "ｽﾀｰﾄｱｯﾌﾟ項目": every other log-on entry, read afresh whenever the page is shown,
// with the buttons that take an entry over into the list and give it back.
class TakeoverPage : public WindowPage {
 public:
  using Handlers = EntriesPageHandlers;
  // The handlers come later than the page, which the window needs before its controls exist.
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

  // WindowPage.
  const char* Caption() const override;
  void Create(HWND parent, HINSTANCE instance, HFONT font) override;
  void Layout(const RECT& page, DpiScale px) override;
  void Show(bool visible) override;
  HWND FirstControl() const override { return list_.Handle(); }
  std::optional<LRESULT> Notify(const NMHDR& header) override;
  const char* Hint(HWND control) const override;

  // 取り込む, 元に戻す and the uninstall button.
  void RegisterWith(CommandTarget& window);
  void TakeOverClick();
  void GiveBackClick();
  void UninstallClick();
  // Reads the entries again, keeping the selected row where it was.
  void Refresh();

 private:
  void FitColumns();
  const TakeoverEntry* Selected() const;
  void UpdateButtons();
  // The hints read whole in a tip where the status bar is too narrow for them.
  void AddTips(HWND parent, HINSTANCE instance);

  Handlers handlers_;
  HWND parent_ = nullptr;
  ListView list_;
  Button take_over_button_;
  Button give_back_button_;
  Button uninstall_button_;
  HWND tips_ = nullptr;  // owned by the window, which destroys it
  std::vector<TakeoverEntry> entries_;
  bool filling_ = false;
  int columns_dpi_ = kBaseDpi;  // the window's DPI as last laid out
};
