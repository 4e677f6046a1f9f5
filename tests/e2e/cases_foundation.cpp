// Start, load, save and close of the real program: defaults, stored settings and items, the
// File band's commands, the single-instance guard and the log-on start with an empty list.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const std::vector<std::string> kToolCaptions = {
    "&Ok",   "&Cancel", "&Update", "&Add",     "&Edit", "&Delete",  "&Separate", "&Up",
    "&Down", "&Run",    "&List",   "&Version", "&Help", "&Startup", "ShortCut"};
const std::vector<int> kToolIds = {IDC_OK_BTN,
                                   IDC_CANCEL_BTN,
                                   IDC_UPDATE_BTN,
                                   IDC_ADD_BTN,
                                   IDC_EDIT_BTN,
                                   IDC_DELETE_BTN,
                                   IDC_SEPARATOR_BTN,
                                   IDC_MOVE_UP_BTN,
                                   IDC_MOVE_DOWN_BTN,
                                   IDC_RUN_BTN,
                                   IDC_LIST_VIEW_BUTTON,
                                   IDC_VERSION_BTN,
                                   IDC_HELP_CONTENTS_BTN,
                                   IDC_GROUP_BUTTON,
                                   IDC_SHORTCUT_BUTTON};
const std::vector<size_t> kButtonsPerBar = {3, 4, 4, 4};

const std::vector<std::string> kWindowValueNames = {
    "Left", "Top", "Height", "Width", "MP", "Lanc", "Clear", "Caps", "Num", "MenuIcon", "Count"};

struct Options {
  std::string home_page;
  bool lanc, clear, caps, num, menu_icon;
};

void CheckOptions(HWND main, const Options& expected) {
  if (HWND home_page = Control(main, IDC_HOMEPAGE))
    E2E_CHECK_EQ_AS("HOMEPAGE edit", TextOf(home_page), expected.home_page);
  const std::pair<int, bool> boxes[] = {{IDC_LAN_CHECK_BOX, expected.lanc},
                                        {IDC_CLEAR_CHECK_BOX, expected.clear},
                                        {IDC_CAPS_CHECK_BOX, expected.caps},
                                        {IDC_NUM_CHECK_BOX, expected.num},
                                        {IDC_MENU_ICON_CHECK_BOX, expected.menu_icon}};
  for (const auto& [id, checked] : boxes)
    if (HWND box = Control(main, id))
      E2E_CHECK_EQ_AS("check state of " + Describe(TextOf(box)), IsChecked(box), checked);
}

void CheckBounds(HWND main, LONG left, LONG top, LONG width, LONG height) {
  RECT r = WindowRect(main);
  E2E_CHECK_EQ_AS("window left", r.left, left);
  E2E_CHECK_EQ_AS("window top", r.top, top);
  E2E_CHECK_EQ_AS("window width", r.right - r.left, width);
  E2E_CHECK_EQ_AS("window height", r.bottom - r.top, height);
}

}  // namespace

E2E_CASE(first_start) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);

  E2E_CHECK_EQ(TextOf(main), "Morvelin");
  CheckBounds(main, 0, 0, 485, 333);
  CheckOptions(main, {"", true, false, false, false, false});
  const std::pair<int, const char*> captions[] = {
      {IDC_HOMEPAGE_LABEL, "一番お気に入りのホームページ"},
      {IDC_LAN_CHECK_BOX, "ﾗﾝﾁｬとして使用する"},
      {IDC_CLEAR_CHECK_BOX, "最近使ったﾌｧｲﾙを削除"},
      {IDC_CAPS_CHECK_BOX, "[Caps]をOnにする"},
      {IDC_NUM_CHECK_BOX, "[NumLock]をOnにする"},
      {IDC_MENU_ICON_CHECK_BOX, "ﾒﾆｭｰにｱｲｺﾝを追加する"}};
  for (const auto& [id, caption] : captions)
    if (HWND control = Control(main, id))
      E2E_CHECK_EQ_AS("caption of control " + std::to_string(id), TextOf(control),
                      std::string(caption));

  HWND list = TitleList(main);
  if (E2E_CHECK(list != nullptr, "no title list"))
    E2E_CHECK_EQ_AS("rows in the title list", ListCount(list), 0);

  std::vector<HWND> bars = ToolBars(main);
  std::vector<size_t> per_bar;
  std::vector<std::string> all_captions;
  std::vector<int> all_ids;
  for (HWND bar : bars) {
    auto buttons = ReadToolBar(bar);
    per_bar.push_back(buttons.size());
    for (const auto& b : buttons) {
      all_captions.push_back(b.caption);
      all_ids.push_back(b.id);
    }
  }
  E2E_CHECK_EQ_AS("buttons per tool bar", per_bar, kButtonsPerBar);
  E2E_CHECK_EQ_AS("tool button captions", all_captions, kToolCaptions);
  E2E_CHECK_EQ_AS("tool button command ids", all_ids, kToolIds);

  HWND status = FindControl(main, STATUSCLASSNAMEA);
  if (E2E_CHECK(status != nullptr, "no status bar"))
    E2E_CHECK_EQ_AS("status panel 0", StatusText(status, 0), "Version 2.1");

  // Nothing is stored before the user saves.
  E2E_CHECK_EQ_AS("registry values before OK", WindowValueNames().size(), size_t{0});

  PressCommand(main, IDC_OK_BTN);
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "OK asked no restart question");
  CheckBox(ReadBox(box), kInformation, kRestartQuestion, {kYes, kNo}, IconKind::Information);
  SaveScreenshot("restart-question");

  // The save is complete by the time the question is asked.
  CheckWindowValues(DefaultWindowValues("0"));
  std::vector<std::string> names = WindowValueNames();
  std::vector<std::string> expected_names = kWindowValueNames;
  std::sort(names.begin(), names.end());
  std::sort(expected_names.begin(), expected_names.end());
  E2E_CHECK_EQ_AS("registry value names", names, expected_names);
  std::string items;
  if (ReadFileBytes(ItemFilePath(), &items))
    E2E_CHECK_EQ_AS("item keys saved for an empty list", ProfileSection(items, "Items"),
                    KeyValues{});

  E2E_REQUIRE(ClickButton(box, kNo), "cannot answer the restart question");
  ExpectQuietExit(program);
}

E2E_CASE(load_items) {
  const KeyValues settings = {{"Left", "40"},
                              {"Top", "30"},
                              {"Height", "350"},
                              {"Width", "500"},
                              {"MP", "http://example.com/"},
                              {"Lanc", "0"},
                              {"Clear", "1"},
                              {"Caps", "2"},
                              {"Num", "-1"},
                              {"MenuIcon", "yes"},
                              {"Count", "3"}};
  WriteSettings(settings);
  const std::string file = ItemFile(Join({
      RowKeys(0, "メモ帳", "C:\\windows\\notepad.exe", "C:\\windows", "", "0", "00002359", "000/00",
              "", "1"),
      // Trail bytes 0x5C in the title; an enabled flag that is not a number.
      RowKeys(1, "ソフト表示", "C:\\ソフト\\表示.exe", "", "/a /b", "1", "08001200", "112/06",
              "http://soft.example/", "abc"),
      // A separator whose flag is written in hexadecimal.
      RowKeys(2, "-", "", "", "", "0", "00000000", "000/00", "", "0x1"),
      // Beyond Count: never read.
      RowKeys(3, "余り", "C:\\extra.exe", "", "", "0", "00002359", "000/00", "", "1"),
  }));
  WriteItemFile(file);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);

  CheckBounds(main, 40, 30, 500, 350);
  // 2 and -1 are true; a word that is not a number gives the default (off).
  CheckOptions(main, {"http://example.com/", false, true, true, true, false});
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_CHECK_EQ_AS(
      "title list", ReadList(list),
      (std::vector<ListRow>{Row("メモ帳", true), Row("ソフト表示", false), Row("-", true)}));

  CancelAndExpectExit(program, main);
  CheckWindowValues(settings);
  E2E_CHECK_EQ_AS("item file after Cancel", ItemFileBytes(), file);
}

E2E_CASE(count_beyond_rows) {
  WriteSettings({{"Count", "5"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "一", "C:\\one.exe", "C:\\", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(1, "二", "C:\\two.exe", "", "", "2", "00002359", "100/00", "", "1"),
  })));

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_CHECK_EQ_AS("title list", ReadList(list),
                  (std::vector<ListRow>{Row("一", true), Row("二", true), Row("", false),
                                        Row("", false), Row("", false)}));

  // Update writes the missing rows back as empty, not enabled rows.
  PressCommand(main, IDC_UPDATE_BTN);
  E2E_CHECK(WaitUntil([] {
              bool found = false;
              ProfileValue(ProfileSection(ItemFileBytes(), "Items"), "P4", &found);
              return found;
            }),
            "Update wrote no key P4; message boxes open:" + OpenBoxes(program.pid));
  KeyValues saved = ProfileSection(ItemFileBytes(), "Items");
  for (int row = 2; row < 5; ++row) {
    const std::string n = std::to_string(row);
    for (const char* letter : {"T", "F", "W", "A", "S", "H", "D", "P"}) {
      bool found = false;
      std::string value = ProfileValue(saved, letter + n, &found);
      if (E2E_CHECK(found, std::string("key ") + letter + n + " not written"))
        E2E_CHECK_EQ_AS(std::string("saved ") + letter + n, value, "");
    }
    E2E_CHECK_EQ_AS("saved C" + n, ProfileValue(saved, "C" + n), "0");
  }
  E2E_CHECK_EQ_AS("saved D1", ProfileValue(saved, "D1"), "100/00");
  CheckWindowValues({{"Count", "5"}});
  E2E_CHECK(MessageBoxes(program.pid).empty(), "Update showed a box:" + OpenBoxes(program.pid));
  E2E_CHECK(IsWindowVisible(main), "Update closed the main window");

  CancelAndExpectExit(program, main);
}

namespace {

const char kCountNotNumberEnd[] =
    "' が数値ではないため、アイテムの一覧を表示できません。\r\n"
    "保存されている一覧はそのまま残っています。";

// A stored Count that yields no rows: the list is empty and the file stays as it was.
void ExpectEmptyListFor(const std::string& count) {
  WriteSettings({{"Count", count}});
  const std::string file = ItemFile(Join({
      RowKeys(0, "一", "C:\\one.exe", "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(1, "二", "C:\\two.exe", "", "", "0", "00002359", "000/00", "", "1"),
  }));
  WriteItemFile(file);

  // The stored rows are not shown, and the window says why before it opens.
  Process program = StartProgram();
  AnswerBox(program.pid, kWarning, "保存されているアイテム数 '" + count + kCountNotNumberEnd, {kOk},
            IconKind::Warning, kOk);
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);
  E2E_CHECK(MessageBoxes(program.pid).empty(), "a box is open:" + OpenBoxes(program.pid));
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_CHECK_EQ_AS("title list", ReadList(list), std::vector<ListRow>{});

  CancelAndExpectExit(program, main);
  E2E_CHECK_EQ_AS("item file after Cancel", ItemFileBytes(), file);
}

}  // namespace

E2E_CASE(count_negative) {
  ExpectEmptyListFor("-2");
}

E2E_CASE(count_not_a_number) {
  ExpectEmptyListFor("three");
}

E2E_CASE(update_then_cancel) {
  WriteSettings({{"Count", "2"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "メモ帳", "C:\\e2e\\marker.exe", "C:\\e2e", "one two", "1", "00002359", "012/06",
              "http://a.example/", "1"),
      RowKeys(1, "ソフト表示", "C:\\ソフト\\表示.exe", "", "", "0", "09001700", "112/06", "", "0"),
  })));

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_REQUIRE(ListCount(list) == 2, "the two rows did not load");

  // Change options and a check mark the way a user would.
  HWND home_page = Control(main, IDC_HOMEPAGE);
  HWND lanc = Control(main, IDC_LAN_CHECK_BOX);
  HWND num = Control(main, IDC_NUM_CHECK_BOX);
  E2E_REQUIRE(home_page && lanc && num, "option controls missing");
  E2E_CHECK(SetText(home_page, "http://home.example/"), "cannot type into HOMEPAGE");
  ShowOptionsPage(main);
  E2E_CHECK(Click(lanc), "cannot click LanCheckBox");
  E2E_CHECK(Click(num), "cannot click NumCheckBox");
  E2E_CHECK(!IsChecked(lanc) && IsChecked(num), "the option boxes did not change");
  E2E_CHECK(SetListChecked(list, 1, true), "cannot tick row 1");
  E2E_CHECK_EQ_AS("row 1 after ticking", ListStateImage(list, 1), 2);
  SaveScreenshot("main", main);

  // The file is read only at start, so a new one shows exactly what a save writes.
  E2E_REQUIRE(DeleteFileA(ItemFilePath().c_str()), "cannot remove the item file");
  PressCommand(main, IDC_UPDATE_BTN);
  E2E_CHECK(WaitUntil([] {
              bool found = false;
              ProfileValue(ProfileSection(ItemFileBytes(), "Items"), "P1", &found);
              return found;
            }),
            "Update wrote no key P1; message boxes open:" + OpenBoxes(program.pid));

  CheckWindowValues({{"Left", "0"},
                     {"Top", "0"},
                     {"Height", "333"},
                     {"Width", "485"},
                     {"MP", "http://home.example/"},
                     {"Lanc", "0"},
                     {"Clear", "0"},
                     {"Caps", "0"},
                     {"Num", "1"},
                     {"MenuIcon", "0"},
                     {"Count", "2"}});
  const std::string saved = ItemFileBytes();
  // Column by column; the flag follows each title; an off once flag forgets its date.
  E2E_CHECK_EQ_AS("saved item keys", ProfileSection(saved, "Items"),
                  (KeyValues{{"T0", "メモ帳"},
                             {"C0", "1"},
                             {"T1", "ソフト表示"},
                             {"C1", "1"},
                             {"F0", "C:\\e2e\\marker.exe"},
                             {"F1", "C:\\ソフト\\表示.exe"},
                             {"W0", "C:\\e2e"},
                             {"W1", ""},
                             {"A0", "one two"},
                             {"A1", ""},
                             {"S0", "1"},
                             {"S1", "0"},
                             {"H0", "00002359"},
                             {"H1", "09001700"},
                             {"D0", "000/00"},
                             {"D1", "112/06"},
                             {"P0", "http://a.example/"},
                             {"P1", ""}}));
  E2E_CHECK(!saved.empty() && saved.front() == '[', "the item file does not start with [Items]");
  for (size_t i = 0; i < saved.size(); ++i)
    if (saved[i] == '\n' && (i == 0 || saved[i - 1] != '\r')) {
      E2E_CHECK(false, "a line of the item file does not end in CR LF");
      break;
    }
  E2E_CHECK(MessageBoxes(program.pid).empty(), "Update showed a box:" + OpenBoxes(program.pid));
  E2E_CHECK(IsRunning(program) && IsWindowVisible(main), "Update closed the main window");

  // Changes after Update are dropped by Cancel, which asks nothing.
  SetText(home_page, "http://changed.example/");
  Click(lanc);
  SetListChecked(list, 0, false);
  CancelAndExpectExit(program, main);
  CheckWindowValues({{"MP", "http://home.example/"}, {"Lanc", "0"}, {"Count", "2"}});
  E2E_CHECK_EQ_AS("item file after Cancel", ItemFileBytes(), saved);
}

E2E_CASE(second_instance) {
  Process first = StartProgram();
  HWND main = StartAndWaitForMain(first);

  Process second = StartProgram();
  E2E_REQUIRE(second.handle != nullptr, "the second morvelin.exe did not start");
  HWND box = WaitForMessageBox(second.pid);
  E2E_REQUIRE(box != nullptr, "the second instance showed no box");
  BoxInfo info = ReadBox(box);
  E2E_CHECK_EQ_AS("box text", info.text, "二重起動は出来ません");
  E2E_CHECK_EQ_AS("box buttons", info.buttons, std::vector<std::string>{"OK"});
  E2E_CHECK_EQ_AS("box icon", info.icon, IconKind::None);
  SaveScreenshot("refused");
  E2E_CHECK(MainWindow(second.pid, false) == nullptr, "the second instance made a main window");
  E2E_CHECK(MessageBoxes(first.pid).empty(), "the first instance shows a box");

  E2E_REQUIRE(ClickButton(box, "OK"), "cannot answer the box");
  E2E_CHECK(WaitForExit(second, nullptr), "the second instance did not end after OK");

  E2E_CHECK(IsRunning(first), "the first instance ended");
  E2E_CHECK(MainWindow(first.pid) == main, "the first instance's main window is gone");
  E2E_CHECK(Responsive(main), "the first instance does not answer");
  SaveScreenshot("main", main);
  CancelAndExpectExit(first, main);
}

E2E_CASE(logon_empty_list) {
  Process program = StartProgram("/N");
  E2E_REQUIRE(program.handle != nullptr, "morvelin.exe did not start");
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "no welcome box; process running: " + Describe(IsRunning(program)));
  CheckBox(ReadBox(box), kInformation,
           "Morvelinをご利用いただき、誠に有り難うございます。\r\n"
           "スタートアッププログラムを登録して下さい。",
           {"OK"}, IconKind::Information);
  SaveScreenshot("welcome");
  E2E_CHECK(MainWindow(program.pid) == nullptr, "the main window shows before the welcome box");

  E2E_REQUIRE(ClickButton(box, "OK"), "cannot answer the welcome box");
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);
  RECT r = WindowRect(main);
  const LONG width = r.right - r.left;
  const LONG height = r.bottom - r.top;
  E2E_CHECK_EQ_AS("window width", width, 485L);
  E2E_CHECK_EQ_AS("window height", height, 333L);
  const LONG screen_width = GetSystemMetrics(SM_CXSCREEN);
  const LONG screen_height = GetSystemMetrics(SM_CYSCREEN);
  E2E_CHECK(std::abs(r.left * 2 + width - screen_width) <= 2,
            "not centred across: left " + std::to_string(r.left) + " on a screen " +
                std::to_string(screen_width) + " wide");
  E2E_CHECK(std::abs(r.top * 2 + height - screen_height) <= 2,
            "not centred down: top " + std::to_string(r.top) + " on a screen " +
                std::to_string(screen_height) + " high");
  E2E_CHECK(ReadMarks().empty(), "something was launched");

  CancelAndExpectExit(program, main);
}

E2E_CASE(huge_count) {
  WriteSettings({{"Count", "2147483647"}});
  const std::string file = ItemFile(Join({
      RowKeys(0, "一", "C:\\one.exe", "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(1, "二", "C:\\two.exe", "", "", "0", "00002359", "000/00", "", "1"),
  }));
  WriteItemFile(file);

  Process program = StartProgram();
  E2E_REQUIRE(program.handle != nullptr, "morvelin.exe did not start");
  // Reading two thousand million rows would take for ever: the program must stop and say so.
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = WaitForMessageBox(program.pid, 0);
        return box != nullptr || !IsRunning(program);
      },
      2 * kWaitLimitMs);
  E2E_REQUIRE(IsRunning(program), "the program ended (exit code of a crash?)");
  E2E_REQUIRE(box != nullptr,
              "no error box; main window shown: " + Describe(MainWindow(program.pid) != nullptr));
  BoxInfo info = ReadBox(box);
  E2E_CHECK(info.caption == "Morvelin" || info.caption == "エラー",
            "caption " + Describe(info.caption));
  E2E_CHECK_EQ_AS("box icon", info.icon, IconKind::Error);
  E2E_CHECK_EQ_AS("box buttons", info.buttons, std::vector<std::string>{"OK"});
  E2E_CHECK(!info.text.empty(), "the error box says nothing");
  SaveScreenshot("error");
  E2E_REQUIRE(ClickButton(box, "OK"), "cannot answer the error box");

  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);
  E2E_CHECK(Responsive(main), "the main window does not answer");
  E2E_CHECK_EQ_AS("item file after start", ItemFileBytes(), file);

  CancelAndExpectExit(program, main);
  E2E_CHECK_EQ_AS("item file after Cancel", ItemFileBytes(), file);
  CheckWindowValues({{"Count", "2147483647"}});
}

E2E_CASE(close_box_quits_without_saving) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  ShowOptionsPage(main);
  HWND lanc = Control(main, IDC_LAN_CHECK_BOX);
  E2E_REQUIRE(lanc != nullptr, "no LanCheckBox");
  Click(lanc);
  SaveScreenshot("main", main);
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  // The change is offered for saving; No leaves nothing behind.
  E2E_REQUIRE(AnswerBox(program.pid, "確認",
                        "アイテムの一覧または設定の変更が保存されていません。\r\n"
                        "保存してから終了しますか？\r\n「いいえ」を選ぶと変更を捨てて終了します。",
                        {kYes, kNo, "キャンセル"}, IconKind::Question, kNo),
              "no question about the unsaved option");
  ExpectQuietExit(program);
  E2E_CHECK_EQ_AS("registry values after the close box", WindowValueNames().size(), size_t{0});
  E2E_CHECK(!FileExists(ItemFilePath()), "the close box wrote an item file");
}

namespace {

// Starts the program with the arguments and tells whether it chose the log-on mode: with an
// empty list that mode greets the user before the window shows; the other shows it at once.
bool StartsInLogOnMode(const std::string& arguments, const std::string& shot) {
  Process program = StartProgram(arguments);
  E2E_REQUIRE(program.handle != nullptr, "morvelin.exe did not start");
  HWND box = nullptr;
  HWND main = nullptr;
  E2E_REQUIRE(WaitUntil([&] {
                box = WaitForMessageBox(program.pid, 0);
                main = MainWindow(program.pid);
                return box || main || !IsRunning(program);
              }),
              "neither a box nor the window appeared for " + Describe(arguments));
  const bool log_on = box != nullptr;
  if (box) {
    E2E_CHECK(ClickButton(box, kOk), "cannot answer the welcome box");
    main = StartAndWaitForMain(program);
  }
  E2E_REQUIRE(main != nullptr, "no main window for " + Describe(arguments));
  SaveScreenshot(shot, main);
  CancelAndExpectExit(program, main);
  return log_on;
}

}  // namespace

E2E_CASE(command_line_modes) {
  E2E_CHECK(StartsInLogOnMode("/N more arguments", "main-N-more"),
            "\"/N more arguments\" must start the log-on mode");
  E2E_CHECK(!StartsInLogOnMode("/n", "main-lower-n"), "\"/n\" must start the configuration mode");
  E2E_CHECK(!StartsInLogOnMode("-N", "main-dash-N"), "\"-N\" must start the configuration mode");
  E2E_CHECK(!StartsInLogOnMode("x /N", "main-x-N"), "\"/N\" counts only as the first argument");
}
