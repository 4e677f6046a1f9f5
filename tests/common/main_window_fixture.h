#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/main_window_settings.h"
#include "editing/win32/item_list_pane.h"
#include "resources/resource_ids.h"
#include "settings_window/win32/main_window.h"

inline LaunchItem Row(std::string title, bool enabled) {
  LaunchItem row;
  row.title = std::move(title);
  row.enabled = enabled;
  return row;
}

// Dispatches what is waiting; true when a quit was among it.
inline bool PumpMessages() {
  bool quit = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

// The main window and its list pane, read back through the controls as a user sees them.
class MainWindowFixture : public ::testing::Test {
 protected:
  MainWindow window{GetModuleHandleA(nullptr)};
  ItemListPane pane{window};

  // Nothing of this window, a quit least of all, may reach the next test's message loops.
  void TearDown() override { PumpMessages(); }

  HWND Control(int id) { return GetDlgItem(window.Handle(), id); }
  HWND List() { return Control(IDC_T_LIST_BOX); }
  int RowCount() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }
  std::string RowText(int index) {
    char buffer[256] = {};
    LVITEMA item{};
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(List(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  bool RowChecked(int index) {
    return ((SendMessageA(List(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) >> 12) & 0xF) == 2;
  }
};
