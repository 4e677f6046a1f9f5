#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/main_window_fixture.h"
#include "resources/resource_ids.h"

// The main window whose controls wait for their first use, as the log-on run creates it.
namespace {

class DeferredMainWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    window.SetListPane(&pane);
    window.Create(MainWindow::Controls::OnFirstUse);
  }
  std::string ControlText(int id) {
    char buffer[512] = {};
    GetWindowTextA(Control(id), buffer, sizeof(buffer));
    return buffer;
  }
  bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  std::vector<std::pair<std::string, bool>> Rows() {
    std::vector<std::pair<std::string, bool>> rows;
    for (int i = 0; i < RowCount(); ++i) rows.emplace_back(RowText(i), RowChecked(i));
    return rows;
  }

  // What the log-on run sets before it decides whether the window is shown.
  void SetAsTheLoadDoes() {
    ShowBounds(window, {40, 30, 500, 340});
    ShowHomePage(window, "http://example.com/");
    ShowTicks(window, {false, true, false, true, true});
    window.ShowItems({Row("メモ帳", true), Row("-", false), Row("ソ表示", true)});
  }
};

TEST_F(DeferredMainWindowTest, LogOnRunThatEndsBuildsNoControlsAndShowsNothing) {
  SetAsTheLoadDoes();
  window.SetApplicationToolWindow();
  window.Minimise();
  PumpMessages();

  EXPECT_FALSE(window.ControlsBuilt());
  EXPECT_EQ(GetWindow(window.Handle(), GW_CHILD), nullptr);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_FALSE(IsWindowVisible(window.ApplicationHandle()));
  EXPECT_TRUE(GetWindowLongA(window.ApplicationHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  const WindowBounds bounds = BoundsOf(window.Settings());
  EXPECT_EQ(bounds, (WindowBounds{40, 30, 500, 340}));
  EXPECT_EQ(window.HintText(), "");
}

TEST_F(DeferredMainWindowTest, ShowingBuildsTheControlsWithWhatWasSetBefore) {
  SetAsTheLoadDoes();
  window.Show();
  PumpMessages();

  EXPECT_TRUE(window.ControlsBuilt());
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_NE(Control(IDC_COOL_BAR), nullptr);
  EXPECT_NE(Control(IDC_STATUS_BAR), nullptr);
  EXPECT_EQ(ControlText(IDC_HOMEPAGE), "http://example.com/");
  EXPECT_EQ(window.Settings().home_page, "http://example.com/");
  EXPECT_FALSE(Checked(IDC_LAN_CHECK_BOX));
  EXPECT_TRUE(Checked(IDC_CLEAR_CHECK_BOX));
  EXPECT_FALSE(Checked(IDC_CAPS_CHECK_BOX));
  EXPECT_TRUE(Checked(IDC_NUM_CHECK_BOX));
  EXPECT_TRUE(Checked(IDC_MENU_ICON_CHECK_BOX));
  EXPECT_EQ(TicksOf(window.Settings()), (OptionTicks{false, true, false, true, true}));
  EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, bool>>{
                        {"メモ帳", true}, {"-", false}, {"ソ表示", true}}));
  // The layout ran: the list fills its page.
  RECT list{};
  GetClientRect(List(), &list);
  EXPECT_GT(list.right, 0);
  EXPECT_GT(list.bottom, 0);

  // Once built, changes go straight into the controls.
  ShowHomePage(window, "http://example.org/");
  window.ShowItems({Row("one", false)});
  ShowTicks(window, {true, false, true, false, false});
  EXPECT_EQ(ControlText(IDC_HOMEPAGE), "http://example.org/");
  EXPECT_EQ(Rows(), (std::vector<std::pair<std::string, bool>>{{"one", false}}));
  EXPECT_TRUE(Checked(IDC_LAN_CHECK_BOX));
  EXPECT_TRUE(Checked(IDC_CAPS_CHECK_BOX));
  EXPECT_FALSE(Checked(IDC_NUM_CHECK_BOX));
}

TEST_F(DeferredMainWindowTest, ReadingTheControlsBuildsThemAndKeepsTheWindowHidden) {
  SetAsTheLoadDoes();
  // The resident launcher places its listing by the window's parts without showing it.
  const MainWindowFigures figures = window.Figures();
  EXPECT_TRUE(window.ControlsBuilt());
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_EQ(figures.left, 40);
  EXPECT_EQ(figures.top, 30);
  EXPECT_EQ(figures.width, 500);
  EXPECT_GT(figures.tool_strip_height, 0);
  EXPECT_GT(figures.status_bar_height, 0);
  EXPECT_GT(figures.page_height, 0);
  EXPECT_EQ(TicksOf(window.Settings()), (OptionTicks{false, true, false, true, true}));
  EXPECT_EQ(Rows().size(), 3u);
}

}  // namespace
