// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
// clang-format on

#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "adapter_test_support.h"
#include "platform/win32/checked_icon.h"
#include "resources/resource_ids.h"
#include "tray/win32/tray_window.h"

namespace {

HWND ShownTrayArea() {
  HWND tray = FindWindowA(nullptr, "Wine System Tray");
  return tray && IsWindowVisible(tray) ? tray : nullptr;
}

HICON SmallIcon() {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MORVELIN), IMAGE_ICON, 16, 16, 0));
}

HWND VisibleDialogOfThisProcess() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(window) ||
            std::string(name) != "#32770")
          return TRUE;
        *reinterpret_cast<HWND*>(data) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Lets the callback window see what was sent or posted to it.
void PumpUntil(const std::function<bool()>& condition) {
  WaitUntil([&] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return condition();
  });
}

TEST(TrayWindowTest, IconComesAndGoesInTheRealNotificationArea) {
  TrayWindow window(GetModuleHandleA(nullptr));
  {
    TrayIcon icon(window.Notifier());
    icon.SetIcon(SmallIcon());
    icon.SetTipHelp("Morvelin 2026年12月6日");
    icon.SetVisible(true);
    EXPECT_TRUE(icon.IconAdded());
    EXPECT_TRUE(WaitUntil([] { return ShownTrayArea() != nullptr; }));
    EXPECT_NO_THROW(icon.SetTipHelp("another tip"));  // a modify the shell accepts

    // A shell that forgot the icon, then announced itself: the icon is added again.
    NotifyIconRecord forgotten = icon.Record();
    EXPECT_TRUE(window.Notifier().Notify(NotifyAction::Delete, forgotten));
    EXPECT_TRUE(WaitUntil([] { return ShownTrayArea() == nullptr; }));
    SendMessageA(window.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([] { return ShownTrayArea() != nullptr; }));
  }
  // The icon went with its component.
  EXPECT_TRUE(WaitUntil([] { return ShownTrayArea() == nullptr; }));

  // The shell refuses to change an icon it does not know.
  NotifyIconRecord unknown;
  unknown.id = 4242;
  unknown.flags = 7;
  unknown.callback_message = kTrayCallbackMessage;
  EXPECT_FALSE(window.Notifier().Notify(NotifyAction::Modify, unknown));
}

TEST(TrayWindowTest, SingleClickArrivesAfterTheWait) {
  TrayWindow window(GetModuleHandleA(nullptr));
  TrayIcon icon(window.Notifier());
  int clicks = 0;
  icon.on_click = [&] { ++clicks; };
  PostMessageA(window.Handle(), kTrayCallbackMessage, icon.Id(), kWmLButtonUp);
  PumpUntil([&] { return clicks == 1; });
  EXPECT_EQ(clicks, 1);
}

TEST(MenuImagesTest, OneSlotPerFileWhetherOrNotItHasAnIcon) {
  Win32MenuImages images;
  EXPECT_TRUE(images.AddMenuIcon(TestProgramPath()));
  EXPECT_FALSE(images.AddMenuIcon("C:\\no\\such\\program.exe"));
  EXPECT_FALSE(images.AddMenuIcon(""));
  EXPECT_EQ(images.Count(), 3);
  int width = 0, height = 0;
  ImageList_GetIconSize(images.Handle(), &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  images.Clear();
  EXPECT_EQ(images.Count(), 0);
}

TEST(TrayMenuViewTest, MarksImagesAndHiddenSeparatorsInTheRealMenu) {
  using Kind = MenuEntry::Kind;
  const std::vector<MenuEntry> entries = {
      {Kind::Separator, "-", -1, false, MenuCommand::None, 0},    // 0: leading, hidden
      {Kind::Item, "Alpha", 1, true, MenuCommand::LaunchRow, 1},  // 1
      {Kind::Separator, "-", -1, false, MenuCommand::None, 2},    // 2: hidden, the next shows
      {Kind::Separator, "-", -1, false, MenuCommand::None, 3},    // 3
      {Kind::Item, "Beta", -1, true, MenuCommand::LaunchRow, 4},  // 4
      {Kind::Command, "Quit(&X)", -1, false, MenuCommand::Quit},  // 5
      {Kind::Separator, "-", -1, false},                          // 6: trailing, hidden
  };
  Win32MenuImages images;
  TrayMenuView view(500, entries, images.Handle());
  ASSERT_EQ(GetMenuItemCount(view.Handle()), 4);

  struct Expected {
    UINT id;
    bool separator;
    bool radio_checked;
    bool image;
    std::string caption;
  };
  const std::vector<Expected> expected = {
      {501, false, true, true, "Alpha"},
      {503, true, false, false, ""},
      {504, false, true, false, "Beta"},
      {505, false, false, false, "Quit(&X)"},
  };
  for (int i = 0; i < 4; ++i) {
    char text[64] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_BITMAP | MIIM_DATA | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(view.Handle(), i, TRUE, &item));
    SCOPED_TRACE(i);
    EXPECT_EQ(item.wID, expected[i].id);
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, expected[i].separator);
    EXPECT_EQ((item.fType & MFT_RADIOCHECK) != 0 && (item.fState & MFS_CHECKED) != 0,
              expected[i].radio_checked);
    // Every entry of a menu with images is drawn by its owner; only some draw an image.
    EXPECT_EQ(item.hbmpItem == HBMMENU_CALLBACK, !expected[i].separator);
    EXPECT_EQ(item.dwItemData, expected[i].image ? 1u : expected[i].separator ? 0u : ~0ull);
    if (!expected[i].separator) {
      EXPECT_EQ(std::string(text), expected[i].caption);
    }
  }

  // A spaced log-on run marks rows after the menu was built: in place, image kept, and
  // separators, hidden entries and the fixed entries untouched. A chosen id leads back to its
  // entry, whatever was hidden before it.
  const auto marked = [&](UINT id) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_BITMAP;
    EXPECT_TRUE(GetMenuItemInfoA(view.Handle(), id, FALSE, &item));
    EXPECT_EQ(item.hbmpItem, HBMMENU_CALLBACK);
    return (item.fType & MFT_RADIOCHECK) != 0 && (item.fState & MFS_CHECKED) != 0;
  };
  view.SetRadioMark(1, false);
  view.SetRadioMark(5, true);
  view.SetRadioMark(0, true);
  view.SetRadioMark(3, true);
  view.SetRadioMark(4, false);
  EXPECT_FALSE(marked(501));
  EXPECT_FALSE(marked(505));
  EXPECT_FALSE(marked(504));
  view.SetRadioMark(4, true);
  EXPECT_TRUE(marked(504));
  ASSERT_NE(view.EntryOf(505), nullptr);
  EXPECT_EQ(view.EntryOf(505)->command, MenuCommand::Quit);
  EXPECT_EQ(view.EntryOf(504)->row, 4);
  EXPECT_EQ(view.EntryOf(507), nullptr);
  EXPECT_EQ(GetMenuItemCount(view.Handle()), 4);
  EXPECT_EQ(GetMenuState(view.Handle(), 503, MF_BYCOMMAND) & (MF_SEPARATOR | MF_CHECKED),
            UINT{MF_SEPARATOR});
}

// The conveniences menu's open dialog, driven from this thread while a worker waits in it.
TEST(FileChooserTest, OpensInTheFolderWithTheFiltersAndGivesThePickedPathOrNothing) {
  ScratchFolder scratch;
  const std::string picked = scratch.File("ﾒﾓ 帳.txt");
  ASSERT_TRUE(WriteFileBytes(picked, "x"));

  for (const bool cancel : {true, false}) {
    std::optional<std::string> result{"unset"};
    std::thread worker(
        [&] { result = Win32FileChooser(nullptr).ChooseFile(scratch.path() + "\\"); });
    HWND open = nullptr;
    WaitUntil([&] { return (open = VisibleDialogOfThisProcess()) != nullptr; });
    if (!open) {
      worker.detach();
      FAIL() << "no open dialog appeared";
    }
    char folder[MAX_PATH * 2] = {};
    SendMessageA(open, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    EXPECT_STRCASEEQ(folder, scratch.path().c_str());
    HWND filters = GetDlgItem(open, cmb1);
    std::vector<std::string> captions;
    for (int i = 0; i < SendMessageA(filters, CB_GETCOUNT, 0, 0); ++i) {
      char caption[128] = {};
      SendMessageA(filters, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(caption));
      captions.emplace_back(caption);
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{"すべてのﾌｧｲﾙ(*.*)", "ﾌﾟﾛｸﾞﾗﾑ(*.exe)", "ｼｮｰﾄｶｯﾄ(*.lnk)",
                                        "MicroSoft Excelﾌｧｨﾙ (*.x*)", "Word文書 (*.doc)"}));
    EXPECT_EQ(SendMessageA(filters, CB_GETCURSEL, 0, 0), 0);
    HWND name =
        reinterpret_cast<HWND>(SendMessageA(GetDlgItem(open, cmb13), CBEM_GETEDITCONTROL, 0, 0));
    char shown[MAX_PATH] = {};
    GetWindowTextA(name, shown, sizeof shown);
    EXPECT_STREQ(shown, "*.*");

    if (!cancel) SetWindowTextA(name, "ﾒﾓ 帳.txt");
    SendMessageA(GetDlgItem(open, cancel ? IDCANCEL : IDOK), BM_CLICK, 0, 0);
    worker.join();
    if (cancel) {
      EXPECT_FALSE(result.has_value());
    } else {
      ASSERT_TRUE(result.has_value());
      EXPECT_STRCASEEQ(result->c_str(), picked.c_str());
    }
  }
}

TEST(MenuImages, OnlyIconFilesThatHoldUpReachTheSystemsExtraction) {
  ScratchFolder folder;
  // One 16 x 16 image of 32 bits: header, directory entry, bitmap header, colour and mask bits.
  const std::string good =
      std::string(
          "\0\0\1\0\1\0\x10\x10\0\0\1\0 \0\x68\4\0\0\x16\0\0\0(\0\0\0\x10\0\0\0 \0\0\0\1\0 \0",
          38) +
      std::string(40 - 16 + 16 * 16 * 4 + 16 * 4, '\0');
  const std::string program = ReadFileBytes(TestProgramPath());
  Win32MenuImages images;
  for (const auto& [name, bytes, icon] : std::vector<std::tuple<std::string, std::string, bool>>{
           {"good.ico", good, true},
           {"cut.ico", good.substr(0, 600), false},
           {"many.ico", std::string(good).replace(4, 2, "\xFF\xFF"), false},
           {"program.exe", program, true},
           {"cut.exe", program.substr(0, program.size() / 3), false}}) {
    ASSERT_TRUE(WriteFileBytes(folder.File(name), bytes));
    EXPECT_EQ(images.AddMenuIcon(folder.File(name)), icon) << name;
  }
  EXPECT_EQ(images.Count(), 5) << "a damaged file keeps its row's slot, empty";
  // What a file was found to be holds only while it stays as it was.
  ASSERT_TRUE(WriteFileBytes(folder.File("cut.ico"), good));
  EXPECT_TRUE(images.AddMenuIcon(folder.File("cut.ico"))) << "a file mended since its check";
  EXPECT_EQ(ExtractCheckedIcon(folder.path()), nullptr);
}

}  // namespace
