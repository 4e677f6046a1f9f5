#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_tray.h"

namespace {

int image = 0;
IconHandle AnImage() {
  return &image;
}

class TrayIconTest : public ::testing::Test {
 protected:
  FakeNotifyIcons shell;
};

TEST_F(TrayIconTest, FirstHundredIconsGetOneToHundredAndTheNextFails) {
  std::vector<std::unique_ptr<TrayIcon>> icons;
  for (int i = 0; i < kMaxTrayIcons; ++i) icons.push_back(std::make_unique<TrayIcon>(shell));
  for (int i = 0; i < kMaxTrayIcons; ++i) EXPECT_EQ(icons[i]->Id(), static_cast<unsigned>(i + 1));
  try {
    TrayIcon extra(shell);
    FAIL() << "the 101st icon was created";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "タスクトレイにアイコンを登録できません。");
  }
  // Only the last identifier comes back after its icon goes; a gap in the middle stays.
  icons.erase(icons.begin() + 10);
  icons.pop_back();
  TrayIcon next(shell);
  EXPECT_EQ(next.Id(), 100u);
}

TEST_F(TrayIconTest, RecordFlagsTipAndVisibility) {
  TrayIcon icon(shell);
  icon.SetVisible(true);  // no image yet
  EXPECT_FALSE(icon.Visible());
  EXPECT_TRUE(shell.calls.empty());

  icon.SetIcon(AnImage());
  icon.SetVisible(true);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].action, NotifyAction::Add);
  const NotifyIconRecord& added = shell.calls[0].record;
  EXPECT_EQ(added.id, icon.Id());
  EXPECT_EQ(added.callback_message, 0x04C8u);
  EXPECT_EQ(added.flags, 7u);
  EXPECT_EQ(added.tip, "TipHelp");
  EXPECT_EQ(added.icon, AnImage());
  EXPECT_TRUE(icon.IconAdded());

  icon.SetTipHelp("");
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, NotifyAction::Modify);
  EXPECT_EQ(shell.calls[1].record.flags, 3u);

  icon.SetIcon(nullptr);  // empties the image and takes the icon away
  ASSERT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(shell.calls[2].action, NotifyAction::Delete);
  EXPECT_FALSE(icon.Visible());
  EXPECT_FALSE(icon.IconAdded());
}

TEST_F(TrayIconTest, TipIsCutAtSixtyTwoBytesWithoutSplittingACharacter) {
  TrayIcon icon(shell);
  icon.SetIcon(AnImage());
  icon.SetVisible(true);
  icon.SetTipHelp(std::string(70, 'a'));
  EXPECT_EQ(icon.TipHelp(), std::string(62, 'a'));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].record.tip, std::string(62, 'a'));

  icon.SetTipHelp(std::string(70, 'a'));  // the same text after the cut: nothing is sent
  EXPECT_EQ(shell.calls.size(), 2u);

  // "日" (93 FA) starts at byte 61: it would be cut in half, so it goes whole.
  icon.SetTipHelp(std::string(61, 'b') + "日本");
  EXPECT_EQ(icon.TipHelp(), std::string(61, 'b'));
  // Ending exactly at byte 62 keeps the character.
  icon.SetTipHelp(std::string(60, 'c') + "日本");
  EXPECT_EQ(icon.TipHelp(), std::string(60, 'c') + "日");
}

TEST_F(TrayIconTest, ShellRefusalRaisesAndDeleteNeverDoes) {
  TrayIcon icon(shell);
  icon.SetIcon(AnImage());
  shell.refused = {NotifyAction::Add, NotifyAction::Delete};
  EXPECT_THROW(icon.SetVisible(true), AppError);
  EXPECT_FALSE(icon.IconAdded());
  shell.refused = {NotifyAction::Delete};
  icon.ShellRestarted();
  EXPECT_TRUE(icon.IconAdded());
  icon.SetVisible(false);
  EXPECT_FALSE(icon.IconAdded());
}

TEST_F(TrayIconTest, ShellRestartAddsAShownIconAgain) {
  TrayIcon hidden(shell);
  TrayIcon shown(shell);
  shown.SetIcon(AnImage());
  shown.SetVisible(true);
  shell.calls.clear();
  ForEachTrayIcon([](TrayIcon& icon) { icon.ShellRestarted(); });
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].action, NotifyAction::Delete);
  EXPECT_EQ(shell.calls[1].action, NotifyAction::Add);
  EXPECT_EQ(shell.calls[1].record.id, shown.Id());
  EXPECT_TRUE(shown.IconAdded());
}

TEST_F(TrayIconTest, ButtonPressesOpenTheirMenusAtThePointer) {
  TrayIcon icon(shell);
  icon.SetLBPopupMenu(TrayMenu::Conveniences);
  icon.SetRBPopupMenu(TrayMenu::Launcher);
  std::vector<std::string> events;
  icon.on_mouse_down = [&](TrayButton, int, int) { events.push_back("down"); };

  TrayAction right = HandleTrayCallback(icon.Id(), kWmRButtonDown, 300, 12, 500);
  EXPECT_EQ(right.kind, TrayAction::Kind::OpenMenu);
  EXPECT_EQ(right.menu, TrayMenu::Launcher);
  EXPECT_EQ(right.x, 300);
  EXPECT_EQ(right.y, 12);
  EXPECT_EQ(LastTraySender(), &icon);
  TrayAction left = HandleTrayCallback(icon.Id(), kWmLButtonDown, 5, 6, 500);
  EXPECT_EQ(left.kind, TrayAction::Kind::OpenMenu);
  EXPECT_EQ(left.menu, TrayMenu::Conveniences);
  EXPECT_TRUE(events.empty());

  // An identifier no icon has is ignored.
  EXPECT_EQ(HandleTrayCallback(icon.Id() + 7, kWmRButtonDown, 0, 0, 500).kind,
            TrayAction::Kind::None);

  // AutoPopup off: the press is reported instead.
  icon.SetAutoPopup(false);
  EXPECT_EQ(HandleTrayCallback(icon.Id(), kWmLButtonDown, 0, 0, 500).kind, TrayAction::Kind::None);
  EXPECT_EQ(events, std::vector<std::string>{"down"});

  // Disabled: every message is ignored, no menu and no event.
  icon.SetAutoPopup(true);
  icon.SetEnabled(false);
  for (unsigned message : {kWmMouseMove, kWmLButtonDown, kWmLButtonUp, kWmLButtonDblClk,
                           kWmRButtonDown, kWmRButtonUp, kWmMButtonDown, kWmMButtonUp}) {
    EXPECT_EQ(HandleTrayCallback(icon.Id(), message, 0, 0, 500).kind, TrayAction::Kind::None);
  }
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(TrayIconTest, SingleClickWaitsAndDoubleClickNeverClicks) {
  TrayIcon icon(shell);
  int clicks = 0;
  int double_clicks = 0;
  icon.on_click = [&] { ++clicks; };
  icon.on_dbl_click = [&] { ++double_clicks; };

  // A lone click: the timer is asked for one double-click time plus 50 ms.
  TrayAction wait = HandleTrayCallback(icon.Id(), kWmLButtonUp, 0, 0, 400);
  ASSERT_EQ(wait.kind, TrayAction::Kind::StartClickTimer);
  EXPECT_EQ(wait.delay_ms, 450u);
  EXPECT_EQ(clicks, 0);
  icon.ClickTimerElapsed();
  EXPECT_EQ(clicks, 1);

  // A double click: down, up (timer starts), double-click, up; the timer then finds nothing.
  HandleTrayCallback(icon.Id(), kWmLButtonDown, 0, 0, 400);
  EXPECT_EQ(HandleTrayCallback(icon.Id(), kWmLButtonUp, 0, 0, 400).kind,
            TrayAction::Kind::StartClickTimer);
  HandleTrayCallback(icon.Id(), kWmLButtonDblClk, 0, 0, 400);
  EXPECT_EQ(HandleTrayCallback(icon.Id(), kWmLButtonUp, 0, 0, 400).kind, TrayAction::Kind::None);
  icon.ClickTimerElapsed();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(double_clicks, 1);

  // Turning the icon inert while a click waits drops it.
  HandleTrayCallback(icon.Id(), kWmLButtonUp, 0, 0, 400);
  icon.SetEnabled(false);
  icon.ClickTimerElapsed();
  EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconTest, AnimateRateHasAFloor) {
  TrayIcon icon(shell);
  EXPECT_EQ(icon.AnimateRate(), 500);
  icon.SetAnimateRate(20);
  EXPECT_EQ(icon.AnimateRate(), 100);
  icon.SetAnimateRate(250);
  EXPECT_EQ(icon.AnimateRate(), 250);
}

}  // namespace
