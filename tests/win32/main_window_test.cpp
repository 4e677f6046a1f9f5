#include <windows.h>

// windows.h first: the common controls header relies on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "adapter_test_support.h"
#include "common/main_window_fixture.h"
#include "core/texts.h"
#include "platform/app_error.h"
#include "resources/resource_ids.h"

namespace {

POINT CentreOnScreen(HWND window, const RECT& client_rect) {
  POINT point{(client_rect.left + client_rect.right) / 2,
              (client_rect.top + client_rect.bottom) / 2};
  ClientToScreen(window, &point);
  return point;
}

class MainWindowTest : public MainWindowFixture {
 protected:
  std::vector<int> commands;
  int double_clicks = 0;
  int list_entries = 0;
  std::vector<std::pair<int, bool>> checked_rows;
  std::vector<std::string> errors;

  void SetUp() override {
    window.SetListPane(&pane);
    window.Create();
    for (int id :
         {IDC_OK_BTN, IDC_CANCEL_BTN, IDC_UPDATE_BTN, IDC_ADD_BTN, IDC_EDIT_BTN, IDC_DELETE_BTN,
          IDC_SEPARATOR_BTN, IDC_MOVE_UP_BTN, IDC_MOVE_DOWN_BTN, IDC_RUN_BTN, IDC_GROUP_BUTTON,
          IDM_ALL_OK, IDM_ALL_NG, IDM_MOVE_UP, IDM_MOVE_DOWN})
      window.SetCommandHandler(id, [this, id] { commands.push_back(id); });
    ListEventHandlers list_events;
    list_events.row_checked = [this](int row, bool checked) {
      checked_rows.emplace_back(row, checked);
    };
    list_events.double_click = [this] { ++double_clicks; };
    list_events.enter = [this] { ++list_entries; };
    pane.SetEventHandlers(list_events);
    window.SetErrorHandler([this](const std::exception& error) { errors.push_back(error.what()); });
  }

  HWND ToolBarOf(int id) { return GetDlgItem(Control(IDC_COOL_BAR), id); }
  bool ButtonEnabled(int tool_bar, int id) {
    return SendMessageA(ToolBarOf(tool_bar), TB_ISBUTTONENABLED, id, 0) != 0;
  }

  // Shows the window and makes it the active one, as the user sees it.
  bool ShowActive() {
    window.Show();
    SetForegroundWindow(window.Handle());
    SetActiveWindow(window.Handle());
    PumpMessages();
    return WaitUntil([&] {
      PumpMessages();
      return GetActiveWindow() == window.Handle();
    });
  }

  bool Translate(HWND target, UINT message, WPARAM wparam, POINT screen_point = {}) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = wparam;
    msg.pt = screen_point;
    const bool handled = window.PreTranslateMessage(msg);
    PumpMessages();
    return handled;
  }

  void ShowOptionsPage() {
    HWND tabs = Control(IDC_PAGE_CONTROL);
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
  }

  // A modal message box over the window, answered from another thread as a user would; true
  // when the window is the active one again afterwards.
  bool ShowBoxOverWindow() {
    std::thread user([] {
      HWND box = nullptr;
      if (WaitUntil([&] {
            box = FindWindowA("#32770", texts::kCaptionInformation);
            return box && IsWindowVisible(box);
          }))
        SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    MessageBoxA(window.Handle(), "box", texts::kCaptionInformation, MB_OK);
    user.join();
    return WaitUntil([&] {
      PumpMessages();
      return GetActiveWindow() == window.Handle();
    });
  }

  POINT ToolButtonCentre(int tool_bar, int id) {
    RECT rect{};
    SendMessageA(ToolBarOf(tool_bar), TB_GETRECT, id, reinterpret_cast<LPARAM>(&rect));
    return CentreOnScreen(ToolBarOf(tool_bar), rect);
  }
};

TEST_F(MainWindowTest, UsesTheControlClassesAndIdsOthersFindItBy) {
  char name[64] = {};
  GetClassNameA(window.Handle(), name, sizeof(name));
  EXPECT_STREQ(name, "TForm1");
  EXPECT_EQ(GetWindowTextLengthA(window.Handle()), 8);
  const std::pair<int, const char*> controls[] = {{IDC_COOL_BAR, "ReBarWindow32"},
                                                  {IDC_PAGE_CONTROL, "SysTabControl32"},
                                                  {IDC_T_LIST_BOX, "SysListView32"},
                                                  {IDC_STATUS_BAR, "msctls_statusbar32"},
                                                  {IDC_HOMEPAGE, "Edit"},
                                                  {IDC_LAN_CHECK_BOX, "Button"},
                                                  {IDC_MENU_ICON_CHECK_BOX, "Button"},
                                                  {IDC_HOMEPAGE_LABEL, "Static"}};
  for (const auto& [id, class_name] : controls) {
    HWND control = Control(id);
    ASSERT_NE(control, nullptr) << id;
    GetClassNameA(control, name, sizeof(name));
    EXPECT_STRCASEEQ(name, class_name) << id;
  }
  const std::pair<int, int> bars[] = {{IDC_FILE_TOOL_BAR, 3},
                                      {IDC_EDIT_TOOL_BAR, 4},
                                      {IDC_OPTION_TOOL_BAR, 4},
                                      {IDC_HELP_TOOL_BAR, 4}};
  for (const auto& [id, buttons] : bars)
    EXPECT_EQ(SendMessageA(ToolBarOf(id), TB_BUTTONCOUNT, 0, 0), buttons) << id;
  // No tool tips anywhere on the main window.
  for (const auto& [id, buttons] : bars)
    EXPECT_EQ(SendMessageA(ToolBarOf(id), TB_GETTOOLTIPS, 0, 0), 0) << id;
  // The list is no Tab stop; the options are.
  EXPECT_FALSE(GetWindowLongA(List(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(Control(IDC_LAN_CHECK_BOX), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(MainWindowTest, ListShowsTitlesAndChecksAndPassesOnOnlyTheUsersTicks) {
  pane.ShowRows({Row("メモ帳", true), Row("電卓", false), Row("-", false)});
  ASSERT_EQ(RowCount(), 3);
  EXPECT_EQ(RowText(0), "メモ帳");
  EXPECT_EQ(RowText(2), "-");
  EXPECT_TRUE(RowChecked(0));
  EXPECT_FALSE(RowChecked(1));
  EXPECT_TRUE(checked_rows.empty()) << "filling the list is not the user ticking";

  // A tick as the list makes it when the user clicks a check box.
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageA(List(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  state.state = INDEXTOSTATEIMAGEMASK(1);
  SendMessageA(List(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(checked_rows, (std::vector<std::pair<int, bool>>{{1, true}, {0, false}}));

  // Selecting is no tick.
  checked_rows.clear();
  pane.Select(2);
  EXPECT_EQ(pane.SelectedIndex(), 2);
  pane.Select(-1);
  EXPECT_EQ(pane.SelectedIndex(), -1);
  EXPECT_TRUE(checked_rows.empty());

  // Showing fewer rows replaces the old ones.
  pane.ShowRows({Row("一", false)});
  EXPECT_EQ(RowCount(), 1);
  EXPECT_EQ(RowText(0), "一");
  EXPECT_TRUE(checked_rows.empty());
}

TEST_F(MainWindowTest, RightClickKeepsTheSelectedRow) {
  pane.ShowRows({Row("a", true), Row("b", true), Row("c", true)});
  pane.Select(0);
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(List(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  SendMessageA(List(), WM_RBUTTONDOWN, MK_RBUTTON,
               MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2));
  EXPECT_EQ(pane.SelectedIndex(), 0);
}

TEST_F(MainWindowTest, TheListsMenuOpensFromTheKeyboardAtTheSelectedRow) {
  ASSERT_TRUE(ShowActive());
  pane.ShowRows({Row("a", true), Row("b", true), Row("c", true)});
  ASSERT_TRUE(window.SelectFirstRowAndFocus());
  pane.Select(1);
  RECT row{};
  row.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
  MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&row), 2);

  // Shift+F10, then the context-menu key; each time the user picks the entry the keys reach.
  struct Way {
    bool shift;
    UINT down, up;
    WPARAM key;
    std::vector<WPARAM> picks;
    int command;
  };
  const Way ways[] = {{true, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F10, {VK_DOWN, VK_RETURN}, IDM_ALL_OK},
                      {false, WM_KEYDOWN, WM_KEYUP, VK_APPS, {VK_UP, VK_RETURN}, IDM_MOVE_DOWN}};
  for (const Way& way : ways) {
    commands.clear();
    RECT shown{};
    std::thread user([&] {
      HWND popup = nullptr;
      if (!WaitUntil([&] {
            popup = FindWindowA("#32768", nullptr);
            return popup && IsWindowVisible(popup);
          }))
        return;
      GetWindowRect(popup, &shown);
      for (WPARAM key : way.picks) PostMessageA(popup, WM_KEYDOWN, key, 0);
    });
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = way.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    // The menu's own loop runs inside the key's handling until the user has picked.
    Translate(List(), way.down, way.key);
    Translate(List(), way.up, way.key);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    user.join();
    EXPECT_EQ(commands, (std::vector<int>{way.command})) << way.key;
    EXPECT_EQ(shown.left, row.left) << way.key;
    EXPECT_EQ(shown.top, row.bottom) << way.key;
    EXPECT_EQ(pane.SelectedIndex(), 1) << way.key;
  }
}

TEST_F(MainWindowTest, RowButtonsAreSwitchedTogetherAndTheOthersStay) {
  window.EnableRowButtons(false);
  EXPECT_FALSE(ButtonEnabled(IDC_EDIT_TOOL_BAR, IDC_EDIT_BTN));
  EXPECT_FALSE(ButtonEnabled(IDC_EDIT_TOOL_BAR, IDC_DELETE_BTN));
  EXPECT_FALSE(ButtonEnabled(IDC_OPTION_TOOL_BAR, IDC_MOVE_UP_BTN));
  EXPECT_FALSE(ButtonEnabled(IDC_OPTION_TOOL_BAR, IDC_MOVE_DOWN_BTN));
  EXPECT_FALSE(ButtonEnabled(IDC_OPTION_TOOL_BAR, IDC_RUN_BTN));
  EXPECT_TRUE(ButtonEnabled(IDC_EDIT_TOOL_BAR, IDC_ADD_BTN));
  EXPECT_TRUE(ButtonEnabled(IDC_EDIT_TOOL_BAR, IDC_SEPARATOR_BTN));
  EXPECT_TRUE(ButtonEnabled(IDC_OPTION_TOOL_BAR, IDC_LIST_VIEW_BUTTON));
  EXPECT_TRUE(ButtonEnabled(IDC_FILE_TOOL_BAR, IDC_OK_BTN));
  window.EnableRowButtons(true);
  EXPECT_TRUE(ButtonEnabled(IDC_EDIT_TOOL_BAR, IDC_DELETE_BTN));
  EXPECT_TRUE(ButtonEnabled(IDC_OPTION_TOOL_BAR, IDC_RUN_BTN));
}

TEST_F(MainWindowTest, SettingsGoIntoTheControlsAndComeBackOut) {
  ShowBounds(window, {30, 40, 520, 360});
  EXPECT_EQ(BoundsOf(window.Settings()), (WindowBounds{30, 40, 520, 360}));
  RECT rect{};
  GetWindowRect(window.Handle(), &rect);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.bottom - rect.top, 360);

  ShowTicks(window, {true, false, true, false, true});
  EXPECT_EQ(TicksOf(window.Settings()), (OptionTicks{true, false, true, false, true}));
  EXPECT_EQ(SendMessageA(Control(IDC_CAPS_CHECK_BOX), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(Control(IDC_NUM_CHECK_BOX), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // The user ticks one more.
  SendMessageA(Control(IDC_NUM_CHECK_BOX), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(window.Settings().num);

  ShowHomePage(window, "http://example.com/ホーム");
  EXPECT_EQ(window.Settings().home_page, "http://example.com/ホーム");
  SetWindowTextA(Control(IDC_HOMEPAGE), "typed");
  EXPECT_EQ(window.Settings().home_page, "typed");
}

TEST_F(MainWindowTest, ToolButtonsAndMenuItemsReachTheirCommands) {
  ASSERT_TRUE(ShowActive());
  // A real click on the Update button, routed from its tool bar through the cool bar.
  HWND bar = ToolBarOf(IDC_FILE_TOOL_BAR);
  RECT rect{};
  SendMessageA(bar, TB_GETRECT, IDC_UPDATE_BTN, reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(bar, WM_LBUTTONUP, 0, at);
  PumpMessages();
  // As the e2e driver and the popup menu deliver them.
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(IDM_ALL_NG, 0), 0);
  // A check box's click is no command.
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_ADD_BTN, EN_CHANGE),
               reinterpret_cast<LPARAM>(Control(IDC_HOMEPAGE)));
  EXPECT_EQ(commands, (std::vector<int>{IDC_UPDATE_BTN, IDM_ALL_NG}));
}

TEST_F(MainWindowTest, AccessKeysPressAUniqueButtonAndMoveAmongButtonsThatShareOne) {
  ASSERT_TRUE(ShowActive());
  // &Update and &Up share U: each press moves on, none presses; Enter or Space does.
  EXPECT_TRUE(Translate(window.Handle(), WM_SYSCHAR, 'u'));
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(GetFocus(), ToolBarOf(IDC_FILE_TOOL_BAR));
  EXPECT_TRUE(Translate(GetFocus(), WM_SYSCHAR, 'U'));
  EXPECT_EQ(GetFocus(), ToolBarOf(IDC_OPTION_TOOL_BAR));
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(commands, (std::vector<int>{IDC_MOVE_UP_BTN}));
  // Past the last one it starts again at the first.
  Translate(GetFocus(), WM_SYSCHAR, 'u');
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_SPACE));
  EXPECT_EQ(commands, (std::vector<int>{IDC_MOVE_UP_BTN, IDC_UPDATE_BTN}));
  // &Delete and &Down, &Separate and &Startup: the first press only moves the focus.
  Translate(List(), WM_SYSCHAR, 'd');
  Translate(GetFocus(), WM_SYSCHAR, 's');
  Translate(GetFocus(), WM_SYSCHAR, 's');
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_SPACE));
  EXPECT_EQ(commands, (std::vector<int>{IDC_MOVE_UP_BTN, IDC_UPDATE_BTN, IDC_GROUP_BUTTON}));

  // A key no other button has presses its button at once.
  commands.clear();
  EXPECT_TRUE(Translate(window.Handle(), WM_SYSCHAR, 'r'));
  EXPECT_EQ(commands, (std::vector<int>{IDC_RUN_BTN}));
  // Disabled buttons do not count: with Up off, U belongs to Update alone.
  window.EnableRowButtons(false);
  EXPECT_TRUE(Translate(window.Handle(), WM_SYSCHAR, 'U'));
  Translate(window.Handle(), WM_SYSCHAR, 'z');
  EXPECT_EQ(commands, (std::vector<int>{IDC_RUN_BTN, IDC_UPDATE_BTN}));
  // Delete and Down both off: the key does nothing.
  Translate(window.Handle(), WM_SYSCHAR, 'd');
  EXPECT_EQ(commands, (std::vector<int>{IDC_RUN_BTN, IDC_UPDATE_BTN}));
}

TEST_F(MainWindowTest, ArrowsMoveAmongTheEnabledToolButtonsSoEachCanBePressed) {
  ASSERT_TRUE(ShowActive());
  window.SetCommandHandler(IDC_SHORTCUT_BUTTON,
                           [this] { commands.push_back(IDC_SHORTCUT_BUTTON); });
  const auto hot = [&](int tool_bar) {
    return static_cast<int>(SendMessageA(ToolBarOf(tool_bar), TB_GETHOTITEM, 0, 0));
  };
  // "ShortCut" has no access key: the user reaches it from its neighbour.
  Translate(window.Handle(), WM_SYSCHAR, 's');
  Translate(GetFocus(), WM_SYSCHAR, 's');
  ASSERT_EQ(GetFocus(), ToolBarOf(IDC_HELP_TOOL_BAR));
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_RIGHT));
  EXPECT_EQ(hot(IDC_HELP_TOOL_BAR), 3);
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(commands, (std::vector<int>{IDC_SHORTCUT_BUTTON}));

  // Round the end to the first band and back; the band left shows no hot button.
  struct Step {
    WPARAM key;
    int tool_bar;
    int hot;
  };
  window.EnableRowButtons(false);
  const Step steps[] = {{VK_RIGHT, IDC_FILE_TOOL_BAR, 0}, {VK_LEFT, IDC_HELP_TOOL_BAR, 3},
                        {VK_DOWN, IDC_FILE_TOOL_BAR, 0},  {VK_RIGHT, IDC_FILE_TOOL_BAR, 1},
                        {VK_RIGHT, IDC_FILE_TOOL_BAR, 2}, {VK_RIGHT, IDC_EDIT_TOOL_BAR, 0},
                        {VK_RIGHT, IDC_EDIT_TOOL_BAR, 3}, {VK_RIGHT, IDC_OPTION_TOOL_BAR, 3},
                        {VK_UP, IDC_EDIT_TOOL_BAR, 3}};
  for (const Step& step : steps) {
    EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, step.key));
    ASSERT_EQ(GetFocus(), ToolBarOf(step.tool_bar)) << step.key;
    EXPECT_EQ(hot(step.tool_bar), step.hot) << step.key;
    for (int other :
         {IDC_FILE_TOOL_BAR, IDC_EDIT_TOOL_BAR, IDC_OPTION_TOOL_BAR, IDC_HELP_TOOL_BAR}) {
      if (other != step.tool_bar) {
        EXPECT_EQ(hot(other), -1) << other;
      }
    }
  }
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_SPACE));
  EXPECT_EQ(commands, (std::vector<int>{IDC_SHORTCUT_BUTTON, IDC_SEPARATOR_BTN}));
  // Away from the tool strip the arrows are the controls' own.
  pane.ShowRows({Row("a", true), Row("b", true)});
  ASSERT_TRUE(window.SelectFirstRowAndFocus());
  Translate(List(), WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(GetFocus(), List());
  EXPECT_EQ(pane.SelectedIndex(), 1);
}

TEST_F(MainWindowTest, TheListsDoubleClickAndFocusReachTheirHandlersThroughTheListWindow) {
  ASSERT_TRUE(ShowActive());
  pane.ShowRows({Row("a", true), Row("b", true)});
  SetFocus(Control(IDC_PAGE_CONTROL));
  const int entries_before = list_entries;
  SetFocus(List());
  PumpMessages();
  EXPECT_EQ(list_entries, entries_before + 1);

  RECT row{};
  row.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
  const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(List(), WM_LBUTTONUP, 0, at);
  SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(List(), WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_EQ(double_clicks, 1);
  EXPECT_EQ(pane.SelectedIndex(), 1);
}

TEST_F(MainWindowTest, ListRowsAreFifteenPixelsHighAndTheirCheckBoxesStillTick) {
  ASSERT_TRUE(ShowActive());
  pane.ShowRows({Row("メモ帳", true), Row("電卓", false), Row("-", false)});
  RECT first{};
  RECT second{};
  first.left = second.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
  ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
  EXPECT_EQ(first.bottom - first.top, 15);
  EXPECT_EQ(second.top - first.top, 15);

  // A click on a row's check box, as the user makes it.
  LVHITTESTINFO hit{};
  hit.pt = POINT{first.left + 4, second.top + 7};
  SendMessageA(List(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON) << hit.flags;
  const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
  SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(List(), WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_TRUE(RowChecked(1));
  EXPECT_EQ(checked_rows, (std::vector<std::pair<int, bool>>{{1, true}}));
}

TEST_F(MainWindowTest, StatusBarShowsTheHintUnderThePointerWhileActive) {
  ASSERT_TRUE(ShowActive());
  window.ShowApplicationPage();
  RECT client{};
  GetClientRect(List(), &client);
  Translate(List(), WM_MOUSEMOVE, 0, CentreOnScreen(List(), client));
  EXPECT_EQ(window.HintText(), texts::kListHint);

  HWND bar = ToolBarOf(IDC_OPTION_TOOL_BAR);
  Translate(bar, WM_MOUSEMOVE, 0, ToolButtonCentre(IDC_OPTION_TOOL_BAR, IDC_RUN_BTN));
  EXPECT_EQ(window.HintText(), texts::kRunBtnHint);
  // A disabled button still explains itself.
  window.EnableRowButtons(false);
  Translate(bar, WM_MOUSEMOVE, 0, ToolButtonCentre(IDC_OPTION_TOOL_BAR, IDC_MOVE_DOWN_BTN));
  EXPECT_EQ(window.HintText(), texts::kMoveDownHint);

  // The tab control has no hint, nor has the window: the panel empties.
  HWND tabs = Control(IDC_PAGE_CONTROL);
  RECT tab{};
  SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  Translate(tabs, WM_MOUSEMOVE, 0, CentreOnScreen(tabs, tab));
  EXPECT_EQ(window.HintText(), "");

  // Menu items of the list's context menu.
  HMENU menu = CreatePopupMenu();
  SendMessageA(window.Handle(), WM_MENUSELECT, MAKEWPARAM(IDM_ALL_OK, MF_STRING),
               reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(window.HintText(), texts::kAllOkHint);
  SendMessageA(window.Handle(), WM_MENUSELECT, MAKEWPARAM(IDM_MOVE_DOWN, MF_STRING),
               reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(window.HintText(), texts::kMoveDownHint);
  SendMessageA(window.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(window.HintText(), "");
  DestroyMenu(menu);

  // Over the options page.
  SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
  HWND caps = Control(IDC_CAPS_CHECK_BOX);
  GetClientRect(caps, &client);
  Translate(caps, WM_MOUSEMOVE, 0, CentreOnScreen(caps, client));
  EXPECT_EQ(window.HintText(), texts::kCapsCheckBoxHint);
  HWND menu_icon = Control(IDC_MENU_ICON_CHECK_BOX);
  GetClientRect(menu_icon, &client);
  Translate(menu_icon, WM_MOUSEMOVE, 0, CentreOnScreen(menu_icon, client));
  EXPECT_EQ(window.HintText(), "") << "no hint of its own and none on its parent";

  // Another window of the program is active: the panel keeps its text.
  Translate(caps, WM_MOUSEMOVE, 0, CentreOnScreen(caps, client));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 400, 50, 50,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(other);
  ASSERT_NE(GetActiveWindow(), window.Handle());
  Translate(List(), WM_MOUSEMOVE, 0, ToolButtonCentre(IDC_OPTION_TOOL_BAR, IDC_RUN_BTN));
  EXPECT_EQ(window.HintText(), texts::kCapsCheckBoxHint);
  DestroyWindow(other);
}

TEST_F(MainWindowTest, PagesShowTheirOwnControlsAndTabMovesAmongTheOptions) {
  ASSERT_TRUE(ShowActive());
  window.ShowApplicationPage();
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_FALSE(IsWindowVisible(Control(IDC_LAN_CHECK_BOX)));

  HWND tabs = Control(IDC_PAGE_CONTROL);
  SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_LAN_CHECK_BOX)));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_HOMEPAGE)));

  // The option controls lie above the tab control, which would otherwise paint over them.
  RECT options{};
  GetWindowRect(Control(IDC_HOMEPAGE), &options);
  POINT inside{options.left + 4, options.top + 4};
  EXPECT_EQ(WindowFromPoint(inside), Control(IDC_HOMEPAGE));

  SetFocus(Control(IDC_HOMEPAGE));
  EXPECT_TRUE(Translate(Control(IDC_HOMEPAGE), WM_KEYDOWN, VK_TAB));
  EXPECT_EQ(GetFocus(), Control(IDC_LAN_CHECK_BOX));
  Translate(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Control(IDC_CLEAR_CHECK_BOX));

  window.ShowApplicationPage();
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  pane.ShowRows({Row("a", true), Row("b", true)});
  EXPECT_TRUE(window.SelectFirstRowAndFocus());
  EXPECT_EQ(pane.SelectedIndex(), 0);
  EXPECT_EQ(GetFocus(), List());
}

TEST_F(MainWindowTest, CtrlTabAndCtrlPageKeysTurnThePagesFromAnyControl) {
  ASSERT_TRUE(ShowActive());
  HWND tabs = Control(IDC_PAGE_CONTROL);
  pane.ShowRows({Row("a", true)});
  ASSERT_TRUE(window.SelectFirstRowAndFocus());
  BYTE keys[256] = {};
  ASSERT_TRUE(GetKeyboardState(keys));
  const auto press = [&](HWND target, WPARAM key, bool shift) {
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = 0x80;
    held[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(held);
    const bool handled = Translate(target, WM_KEYDOWN, key);
    SetKeyboardState(keys);
    return handled;
  };

  // The focus goes into the page turned to, which is the keyboard's way back into the list.
  EXPECT_TRUE(press(List(), VK_TAB, false));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_LAN_CHECK_BOX)));
  EXPECT_EQ(GetFocus(), Control(IDC_HOMEPAGE));
  SetFocus(Control(IDC_CAPS_CHECK_BOX));
  EXPECT_TRUE(press(GetFocus(), VK_PRIOR, false));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_EQ(GetFocus(), List());
  // On the tabs the focus stays there; backwards from the first page comes round to the last.
  SetFocus(tabs);
  EXPECT_TRUE(press(tabs, VK_TAB, true));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetFocus(), tabs);
  EXPECT_TRUE(press(tabs, VK_NEXT, false));
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(GetFocus(), tabs);
  // Without Ctrl, Tab only moves the focus.
  Translate(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(MainWindowTest, TheLogOnOptionsAnswerTheirOwnAccessKeys) {
  ASSERT_TRUE(ShowActive());
  window.SetCommandHandler(IDC_LOG_BUTTON, [this] { commands.push_back(IDC_LOG_BUTTON); });
  HWND tabs = Control(IDC_PAGE_CONTROL);
  SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
  NMHDR change{tabs, IDC_PAGE_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(window.Handle(), WM_NOTIFY, IDC_PAGE_CONTROL, reinterpret_cast<LPARAM>(&change));
  SetFocus(Control(IDC_HOMEPAGE));
  HWND skip = Control(IDC_SKIP_RUNNING_CHECK_BOX);
  ASSERT_EQ(SendMessageA(skip, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Alt+K ticks the box, Alt+I goes to the interval, Alt+G opens the log; no tool button moves.
  EXPECT_TRUE(Translate(GetFocus(), WM_SYSCHAR, 'k'));
  EXPECT_EQ(SendMessageA(skip, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(Translate(GetFocus(), WM_SYSCHAR, 'I'));
  EXPECT_EQ(GetFocus(), Control(IDC_WAIT_EDIT));
  // Its text is selected, so a typed figure replaces it.
  DWORD from = 1, to = 0;
  SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(std::make_pair(from, to), std::make_pair(DWORD{0}, DWORD{1}));
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(Translate(GetFocus(), WM_SYSCHAR, 'g'));
  EXPECT_EQ(commands, (std::vector<int>{IDC_LOG_BUTTON}));
}

TEST_F(MainWindowTest, FocusComesBackAfterABoxAndEnterPressesOnlyAFocusedPushButton) {
  ASSERT_TRUE(ShowActive());
  window.SetCommandHandler(IDC_LOG_BUTTON, [this] { commands.push_back(IDC_LOG_BUTTON); });
  pane.ShowRows({Row("a", true), Row("b", true)});
  ASSERT_TRUE(window.SelectFirstRowAndFocus());
  // After a box (as Run and Delete ask), the arrows and Space work on the list again.
  ASSERT_TRUE(ShowBoxOverWindow());
  EXPECT_EQ(GetFocus(), List());
  ShowOptionsPage();
  HWND caps = Control(IDC_CAPS_CHECK_BOX);
  SetFocus(caps);
  ASSERT_TRUE(ShowBoxOverWindow());
  EXPECT_EQ(GetFocus(), caps);

  // There is no default button: Enter on a check box neither ticks it nor runs a command.
  const LRESULT ticked = SendMessageA(caps, BM_GETCHECK, 0, 0);
  EXPECT_TRUE(Translate(caps, WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(SendMessageA(caps, BM_GETCHECK, 0, 0), ticked);
  EXPECT_TRUE(commands.empty());
  // A push button that has the focus is pressed by Enter, as Space would.
  SetFocus(Control(IDC_LOG_BUTTON));
  EXPECT_TRUE(Translate(GetFocus(), WM_KEYDOWN, VK_RETURN));
  EXPECT_EQ(commands, (std::vector<int>{IDC_LOG_BUTTON}));
}

TEST_F(MainWindowTest, VersionPanelIsOwnerDrawnFromTheTextItCarries) {
  window.SetStatusText(0, "Version 2.1");
  HWND status = Control(IDC_STATUS_BAR);
  const LRESULT length = SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0);
  EXPECT_TRUE(HIWORD(length) & SBT_OWNERDRAW);
  const auto data = SendMessageA(status, SB_GETTEXTA, 0, 0);
  ASSERT_NE(data, 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(data), "Version 2.1");

  int edges[2] = {};
  ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 84);
  EXPECT_EQ(edges[1], -1) << "the hint panel stops short of the window's edge";
  window.SetStatusText(1, "ヒント");
  EXPECT_EQ(window.HintText(), "ヒント");
}

TEST_F(MainWindowTest, LayoutFillsTheWindowBetweenTheBars) {
  ShowBounds(window, {0, 0, 485, 333});
  const MainWindowFigures small = window.Figures();
  RECT small_client{};
  GetClientRect(window.Handle(), &small_client);
  EXPECT_EQ(small.tool_strip_height + small.page_height + small.status_bar_height,
            small_client.bottom);
  ShowBounds(window, {0, 0, 700, 500});
  const MainWindowFigures large = window.Figures();
  RECT client{};
  GetClientRect(window.Handle(), &client);
  EXPECT_GT(large.tool_strip_height, 0);
  EXPECT_GT(large.status_bar_height, 0);
  EXPECT_EQ(large.tool_strip_height + large.page_height + large.status_bar_height, client.bottom);
  EXPECT_EQ(large.width, 700);
  // The list fills the page: as wide as the window, less the tab control's borders.
  RECT list{};
  GetWindowRect(List(), &list);
  EXPECT_GT(list.right - list.left, client.right - 20);
  // All four bands fit in fewer rows once the window is wide.
  EXPECT_LE(large.tool_strip_height, small.tool_strip_height);
}

TEST_F(MainWindowTest, StoredBoundsOffEveryScreenComeIntoViewSizesFitItAndOthersStayExactly) {
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  const LONG right = work.right;
  const LONG bottom = work.bottom;
  struct Case {
    WindowBounds stored;
    bool moved;
  };
  const Case cases[] = {
      {{30, 40, 520, 360}, false},
      // Partly shown, the caption included or not: the user's own choice, kept.
      {{-400, -200, 485, 333}, false},
      {{static_cast<int>(right) - 20, static_cast<int>(bottom) - 20, 485, 333}, false},
      // Where no screen shows any of it.
      {{-32000, -32000, 485, 333}, true},
      {{static_cast<int>(right) + 5000, 40, 485, 333}, true},
      {{40, static_cast<int>(bottom) + 1, 485, 333}, true},
      {{-600, -400, 485, 333}, true},
  };
  for (const Case& c : cases) {
    ShowBounds(window, c.stored);
    const WindowBounds shown = BoundsOf(window.Settings());
    SCOPED_TRACE(testing::Message() << c.stored.left << "," << c.stored.top);
    EXPECT_EQ(shown.width, c.stored.width);
    EXPECT_EQ(shown.height, c.stored.height);
    if (!c.moved) {
      EXPECT_EQ(shown, c.stored);
      continue;
    }
    EXPECT_GE(shown.left, work.left);
    EXPECT_GE(shown.top, work.top);
    EXPECT_LE(shown.left + shown.width, right);
    EXPECT_LE(shown.top + shown.height, bottom);
  }
  // Larger than any screen and far away: its top left corner, caption and all, comes into view.
  ShowBounds(window, {-2000000, 3000000, 100000, 100000});
  const WindowBounds huge = BoundsOf(window.Settings());
  EXPECT_EQ(huge.left, work.left);
  EXPECT_EQ(huge.top, work.top);
  EXPECT_EQ(huge.width + huge.height, work.right - work.left + work.bottom - work.top);
  // A size of nothing or less: no smaller than the design that shows every control.
  for (const int size : {0, -40}) {
    ShowBounds(window, {200, 100, size, size});
    EXPECT_EQ(BoundsOf(window.Settings()), (WindowBounds{200, 100, 485, 333})) << size;
  }
}

TEST_F(MainWindowTest, CloseRunsTheCloseHandlingThenEndsTheLoop) {
  int closes = 0;
  window.SetCloseHandler([&] { ++closes; });
  window.Close();
  const bool quit = PumpMessages();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(IsWindow(window.Handle()));
  EXPECT_TRUE(quit);
}

TEST_F(MainWindowTest, ErrorsOfAHandlerGoToTheErrorBoxAndTheWindowGoesOn) {
  window.SetCommandHandler(IDC_RUN_BTN, [] { throw AppError("'x' は整数ではありません"); });
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_RUN_BTN, 0), 0);
  EXPECT_EQ(errors, (std::vector<std::string>{"'x' は整数ではありません"}));
  SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(IDC_ADD_BTN, 0), 0);
  EXPECT_EQ(commands, (std::vector<int>{IDC_ADD_BTN}));
}

TEST_F(MainWindowTest, LogOnRunKeepsTheWindowsHiddenAndOffTheTaskBar) {
  window.SetApplicationToolWindow();
  window.Minimise();
  EXPECT_TRUE(GetWindowLongA(window.ApplicationHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_FALSE(IsWindowVisible(window.ApplicationHandle()));
  char title[32] = {};
  GetWindowTextA(window.ApplicationHandle(), title, sizeof(title));
  EXPECT_STREQ(title, "Morvelin");
}

}  // namespace
