// Editing the list as a user would: the item dialog, the list commands of the tool bar and the
// context menu, running an item, and the listing dialog; then what OK stores.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

constexpr char kItemDialog[] = "Morvelinアイテムプロパティ";
constexpr char kListing[] = "Morvelin Listing";
constexpr char kSelectFile[] = "ファイルを選択して下さい";

const int kRowButtons[] = {IDC_EDIT_BTN, IDC_DELETE_BTN, IDC_RUN_BTN, IDC_MOVE_UP_BTN,
                           IDC_MOVE_DOWN_BTN};

struct ItemFields {
  std::string title, file, folder, arguments, home_page;
  int style = 0;
  int start_hour = 0, start_minute = 0, end_hour = 0, end_minute = 0;
  bool once = false;
  bool operator==(const ItemFields&) const = default;
};

std::string Describe(const ItemFields& f) {
  return "{" + e2e::Describe(f.title) + ", " + e2e::Describe(f.file) + ", " +
         e2e::Describe(f.folder) + ", " + e2e::Describe(f.arguments) + ", " +
         e2e::Describe(f.home_page) + ", style " + std::to_string(f.style) + ", " +
         std::to_string(f.start_hour) + ":" + std::to_string(f.start_minute) + "-" +
         std::to_string(f.end_hour) + ":" + std::to_string(f.end_minute) + ", once " +
         e2e::Describe(f.once) + "}";
}

HWND DialogControl(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  E2E_REQUIRE(control != nullptr, "the item dialog has no control " + std::to_string(id));
  return control;
}

int NumberIn(HWND dialog, int id) {
  return std::atoi(TextOf(DialogControl(dialog, id)).c_str());
}

ItemFields ReadItemDialog(HWND dialog) {
  ItemFields f;
  f.title = TextOf(DialogControl(dialog, IDC_TITLE_NAME));
  f.file = TextOf(DialogControl(dialog, IDC_FILE_NAME));
  f.folder = TextOf(DialogControl(dialog, IDC_FOLDER_NAME));
  f.arguments = TextOf(DialogControl(dialog, IDC_ARGUMENTS_NAME));
  f.home_page = TextOf(DialogControl(dialog, IDC_HOME_NAME));
  f.style =
      static_cast<int>(SendOrZero(DialogControl(dialog, IDC_STYLE_COMBO), CB_GETCURSEL, 0, 0));
  f.start_hour = NumberIn(dialog, IDC_SHH);
  f.start_minute = NumberIn(dialog, IDC_SMM);
  f.end_hour = NumberIn(dialog, IDC_EHH);
  f.end_minute = NumberIn(dialog, IDC_EMM);
  f.once = IsChecked(DialogControl(dialog, IDC_ONCE_CHECK_BOX));
  return f;
}

// Types every field; the once box is clicked only when it must change.
void FillItemDialog(HWND dialog, const ItemFields& f) {
  const std::pair<int, std::string> texts[] = {{IDC_TITLE_NAME, f.title},
                                               {IDC_FILE_NAME, f.file},
                                               {IDC_FOLDER_NAME, f.folder},
                                               {IDC_ARGUMENTS_NAME, f.arguments},
                                               {IDC_HOME_NAME, f.home_page},
                                               {IDC_SHH, std::to_string(f.start_hour)},
                                               {IDC_SMM, std::to_string(f.start_minute)},
                                               {IDC_EHH, std::to_string(f.end_hour)},
                                               {IDC_EMM, std::to_string(f.end_minute)}};
  for (const auto& [id, text] : texts)
    E2E_CHECK(SetText(DialogControl(dialog, id), text),
              "cannot type into field " + std::to_string(id));
  HWND combo = DialogControl(dialog, IDC_STYLE_COMBO);
  SendOrZero(combo, CB_SETCURSEL, static_cast<WPARAM>(f.style), 0);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_STYLE_COMBO, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  HWND once = DialogControl(dialog, IDC_ONCE_CHECK_BOX);
  if (IsChecked(once) != f.once) Click(once);
  E2E_CHECK_EQ_AS("item dialog after typing", ReadItemDialog(dialog), f);
}

HWND OpenItemDialog(const Process& program, HWND main, int command) {
  PressCommand(main, command);
  HWND dialog = WaitForDialog(program.pid, kItemDialog);
  E2E_REQUIRE(dialog != nullptr, "the item dialog did not open; boxes:" + OpenBoxes(program.pid));
  return dialog;
}

void PressOkInDialog(HWND dialog) {
  PostButtonCommand(dialog, IDOK);
  E2E_REQUIRE(WaitUntilGone(dialog), "the item dialog stayed open after OK");
}

std::vector<ListRow> Rows(std::initializer_list<std::pair<const char*, bool>> rows) {
  std::vector<ListRow> out;
  for (const auto& [title, checked] : rows) out.push_back(Row(title, checked));
  return out;
}

// Waits for the list to show these rows (commands are posted, so they land a little later).
void ExpectList(HWND list, const std::vector<ListRow>& expected, const std::string& after) {
  if (!WaitUntil([&] { return ReadList(list) == expected; }))
    E2E_CHECK_EQ_AS("title list after " + after, ReadList(list), expected);
}

void ExpectSelection(HWND list, int row, const std::string& after) {
  if (!WaitUntil([&] { return ListSelection(list) == row; }))
    E2E_CHECK_EQ_AS("selected row after " + after, ListSelection(list), row);
}

void ExpectRowButtons(HWND main, bool enabled, const std::string& when) {
  for (int id : kRowButtons)
    E2E_CHECK_EQ_AS("button " + std::to_string(id) + " enabled " + when,
                    ToolButtonEnabled(main, id), enabled);
}

KeyValues Sorted(KeyValues keys) {
  std::sort(keys.begin(), keys.end());
  return keys;
}

// Posts a command and proves it was handled: a following Delete on the selected row must be
// the next box to appear, and the only one (answered No).
void ExpectNoBoxFrom(const Process& program, HWND main, int command, const std::string& what) {
  PressCommand(main, command);
  PressCommand(main, IDC_DELETE_BTN);
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "the Delete question never came after " + what);
  E2E_CHECK_EQ_AS("boxes after " + what, MessageBoxes(program.pid).size(), size_t{1});
  E2E_CHECK_EQ_AS("box after " + what, TextOf(GetDlgItem(box, 0xFFFF)), "削除しますか？");
  for (HWND open : MessageBoxes(program.pid)) ClickButton(open, kNo);
  E2E_CHECK(WaitUntil([&] { return MessageBoxes(program.pid).empty(); }), "boxes stay open");
}

}  // namespace

E2E_CASE(item_dialog_add_and_edit) {
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  ExpectRowButtons(main, false, "with an empty list");
  E2E_CHECK(ToolButtonEnabled(main, IDC_ADD_BTN) && ToolButtonEnabled(main, IDC_SEPARATOR_BTN),
            "Add and Separate must stay enabled");

  HWND dialog = OpenItemDialog(program, main, IDC_ADD_BTN);
  SaveScreenshot("item-dialog-new", dialog);
  ItemFields blank;
  blank.end_hour = 23;
  blank.end_minute = 59;
  E2E_CHECK_EQ_AS("new item dialog", ReadItemDialog(dialog), blank);

  // Both required fields are reported, the title first, and the dialog stays.
  PostButtonCommand(dialog, IDOK);
  AnswerBox(program.pid, kError, "タイトル名が入力されていません", {kOk}, IconKind::Error, kOk,
            "no-title");
  E2E_REQUIRE(IsWindowVisible(dialog), "the dialog closed without a title");
  SetText(DialogControl(dialog, IDC_TITLE_NAME), "マーカー");
  PostButtonCommand(dialog, IDOK);
  AnswerBox(program.pid, kError, "ファイル名が入力されていません", {kOk}, IconKind::Error, kOk);
  E2E_REQUIRE(IsWindowVisible(dialog), "the dialog closed without a file name");

  ItemFields marker;
  marker.title = "マーカー";
  marker.file = "C:\\e2e\\marker.exe";
  marker.folder = "C:\\windows";
  marker.arguments = "--x \"two words\" ソフト表示";
  marker.home_page = "http://home.example/";
  marker.style = 1;
  marker.start_hour = 7;
  marker.start_minute = 5;
  marker.end_hour = 18;
  marker.end_minute = 30;
  marker.once = true;
  FillItemDialog(dialog, marker);
  SaveScreenshot("item-dialog-filled", dialog);
  PressOkInDialog(dialog);
  ExpectList(list, Rows({{"マーカー", true}}), "Add");
  E2E_CHECK_EQ_AS("selection after Add", ListSelection(list), -1);
  ExpectRowButtons(main, true, "after Add");

  // Edit needs a selected row.
  PressCommand(main, IDC_EDIT_BTN);
  AnswerBox(program.pid, kInformation, kSelectFile, {kOk}, IconKind::Information, kOk);

  E2E_REQUIRE(SelectListRow(list, 0), "cannot select row 0");
  dialog = OpenItemDialog(program, main, IDC_EDIT_BTN);
  SaveScreenshot("item-dialog-edit", dialog);
  E2E_CHECK_EQ_AS("dialog for the added row", ReadItemDialog(dialog), marker);
  ItemFields edited = marker;
  edited.title = "マーカー表示";
  edited.once = false;
  FillItemDialog(dialog, edited);
  PressOkInDialog(dialog);
  ExpectList(list, Rows({{"マーカー表示", true}}), "Edit");
  ExpectSelection(list, 0, "Edit");

  // Cancel leaves the row alone.
  dialog = OpenItemDialog(program, main, IDC_EDIT_BTN);
  SetText(DialogControl(dialog, IDC_TITLE_NAME), "捨てる");
  E2E_CHECK(ClickButtonById(dialog, IDCANCEL), "cannot press Cancel");
  E2E_REQUIRE(WaitUntilGone(dialog), "the item dialog stayed open after Cancel");
  ExpectList(list, Rows({{"マーカー表示", true}}), "Cancel in the dialog");

  // Editing keeps the enabled flag, which the dialog never shows.
  E2E_CHECK(SetListChecked(list, 0, false), "cannot untick row 0");
  dialog = OpenItemDialog(program, main, IDC_EDIT_BTN);
  PressOkInDialog(dialog);
  ExpectList(list, Rows({{"マーカー表示", false}}), "Edit of an unticked row");

  SaveScreenshot("main", main);
  OkAndExpectExit(program, main);
  CheckWindowValues(DefaultWindowValues("1"));
  E2E_CHECK_EQ_AS("saved item keys", SavedItems(),
                  (KeyValues{{"T0", "マーカー表示"},
                             {"C0", "0"},
                             {"F0", "C:\\e2e\\marker.exe"},
                             {"W0", "C:\\windows"},
                             {"A0", "--x \"two words\" ソフト表示"},
                             {"S0", "1"},
                             {"H0", "07051830"},
                             {"D0", "000/00"},
                             {"P0", "http://home.example/"}}));
}

E2E_CASE(list_commands) {
  WriteSettings({{"Count", "3"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "一", "C:\\one.exe", "C:\\", "1", "0", "00002359", "112/24", "http://1/", "1"),
      RowKeys(1, "二", "C:\\two.exe", "", "2", "1", "01000200", "000/00", "", "0"),
      RowKeys(2, "三", "C:\\three.exe", "", "3", "2", "03000400", "100/00", "http://3/", "1"),
  })));
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  ExpectList(list, Rows({{"一", true}, {"二", false}, {"三", true}}), "start");
  ExpectSelection(list, 0, "showing the window");
  ExpectRowButtons(main, true, "with rows");

  PressCommand(main, IDC_SEPARATOR_BTN);
  ExpectList(list, Rows({{"一", true}, {"二", false}, {"三", true}, {"-", false}}), "Separate");

  SelectListRow(list, 1);
  PressCommand(main, IDC_MOVE_UP_BTN);
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}, {"-", false}}), "Up");
  ExpectSelection(list, 0, "Up");
  // Up on the first row and Down on the last do nothing; the Delete question proves that the
  // command was handled before we look.
  ExpectNoBoxFrom(program, main, IDC_MOVE_UP_BTN, "Up on the first row");
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}, {"-", false}}),
             "Up on the first row");
  SelectListRow(list, 3);
  ExpectNoBoxFrom(program, main, IDC_MOVE_DOWN_BTN, "Down on the last row");
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}, {"-", false}}),
             "Down on the last row");
  // The context menu's Up and Down.
  PressCommand(main, IDM_MOVE_UP);
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"-", false}, {"三", true}}), "menu Up");
  ExpectSelection(list, 2, "menu Up");
  PressCommand(main, IDM_MOVE_DOWN);
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}, {"-", false}}), "menu Down");
  ExpectSelection(list, 3, "menu Down");
  SaveScreenshot("moved", main);

  // Delete asks first; No keeps the row, Yes removes it and leaves nothing selected.
  PressCommand(main, IDC_DELETE_BTN);
  AnswerBox(program.pid, kWarning, "削除しますか？", {kYes, kNo}, IconKind::Warning, kNo,
            "delete-question");
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}, {"-", false}}), "Delete, No");
  PressCommand(main, IDC_DELETE_BTN);
  AnswerBox(program.pid, kWarning, "削除しますか？", {kYes, kNo}, IconKind::Warning, kYes);
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}}), "Delete, Yes");
  ExpectSelection(list, -1, "Delete");
  PressCommand(main, IDC_DELETE_BTN);
  AnswerBox(program.pid, kInformation, kSelectFile, {kOk}, IconKind::Information, kOk);

  PressCommand(main, IDM_ALL_NG);
  ExpectList(list, Rows({{"二", false}, {"一", false}, {"三", false}}), "clear all");
  PressCommand(main, IDM_ALL_OK);
  ExpectList(list, Rows({{"二", true}, {"一", true}, {"三", true}}), "select all");
  SetListChecked(list, 0, false);
  ExpectList(list, Rows({{"二", false}, {"一", true}, {"三", true}}), "unticking a row");

  OkAndExpectExit(program, main);
  CheckWindowValues(DefaultWindowValues("3"));
  // Every field travelled with its row; the kept once date survives.
  E2E_CHECK_EQ_AS(
      "saved item keys", Sorted(SavedItems()),
      Sorted(Join({RowKeys(0, "二", "C:\\two.exe", "", "2", "1", "01000200", "000/00", "", "0"),
                   RowKeys(1, "一", "C:\\one.exe", "C:\\", "1", "0", "00002359", "112/24",
                           "http://1/", "1"),
                   RowKeys(2, "三", "C:\\three.exe", "", "3", "2", "03000400", "100/00",
                           "http://3/", "1")})));
}

E2E_CASE(run_item) {
  const std::string arguments = "--x \"two words\" ソフト表示";
  WriteSettings({{"Count", "2"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "マーカー", "C:\\e2e\\marker.exe", "C:\\windows", arguments, "2", "00000001",
              "000/00", "", "0"),
      RowKeys(1, "-", "", "", "", "0", "00000000", "000/00", "", "0"),
  })));
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_REQUIRE(ListCount(list) == 2, "the rows did not load");

  // Neither the time band nor the unticked flag matter to Run.
  SelectListRow(list, 0);
  PressCommand(main, IDC_RUN_BTN);
  AnswerBox(program.pid, kInformation, "マーカーを実行しますか？", {kYes, kNo},
            IconKind::Information, kYes, "run-question");
  E2E_REQUIRE(WaitUntil([] { return !ReadMarks().empty(); }), "the marker did not start");
  std::vector<Mark> marks = ReadMarks();
  E2E_CHECK_EQ_AS("marker runs", marks.size(), size_t{1});
  E2E_CHECK_EQ_AS("started program", marks[0].exe, "C:\\e2e\\marker.exe");
  E2E_CHECK_EQ_AS("arguments", marks[0].args, arguments);
  E2E_CHECK_EQ_AS("working folder", marks[0].cwd, "C:\\windows");
  E2E_CHECK_EQ_AS("show command (maximised)", marks[0].show, "3");

  // No launches nothing: the next Yes gives the second mark and no third.
  PressCommand(main, IDC_RUN_BTN);
  AnswerBox(program.pid, kInformation, "マーカーを実行しますか？", {kYes, kNo},
            IconKind::Information, kNo);
  PressCommand(main, IDC_RUN_BTN);
  AnswerBox(program.pid, kInformation, "マーカーを実行しますか？", {kYes, kNo},
            IconKind::Information, kYes);
  E2E_CHECK(WaitUntil([] { return ReadMarks().size() >= 2; }), "the second Yes launched nothing");
  E2E_CHECK_EQ_AS("marker runs after Yes, No, Yes", ReadMarks().size(), size_t{2});

  // A separator is not run and asks nothing.
  SelectListRow(list, 1);
  ExpectNoBoxFrom(program, main, IDC_RUN_BTN, "Run on a separator");
  E2E_CHECK_EQ_AS("marker runs after Run on a separator", ReadMarks().size(), size_t{2});

  SaveScreenshot("main", main);
  CancelAndExpectExit(program, main);
}

namespace {

using Cells = std::vector<std::vector<std::string>>;

Cells ReadCells(HWND list, int columns) {
  Cells cells;
  for (int row = 0; row < ListCount(list); ++row) {
    std::vector<std::string> line;
    for (int column = 0; column < columns; ++column) line.push_back(ListText(list, row, column));
    cells.push_back(line);
  }
  return cells;
}

std::vector<std::string> Column(const Cells& cells, size_t column) {
  std::vector<std::string> out;
  for (const auto& row : cells) out.push_back(row.at(column));
  return out;
}

void ClickHeader(HWND header, int index) {
  RECT item{};
  E2E_REQUIRE(HeaderItemRect(header, index, &item), "no header item " + std::to_string(index));
  PostClick(header, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

void ExpectTitles(HWND list, const std::vector<std::string>& titles, const std::string& after) {
  if (!WaitUntil([&] { return Column(ReadCells(list, 1), 0) == titles; }))
    E2E_CHECK_EQ_AS("titles after " + after, Column(ReadCells(list, 1), 0), titles);
}

HWND OpenListing(const Process& program, HWND main) {
  PressCommand(main, IDC_LIST_VIEW_BUTTON);
  HWND dialog = WaitForDialog(program.pid, kListing);
  E2E_REQUIRE(dialog != nullptr, "the listing did not open; boxes:" + OpenBoxes(program.pid));
  return dialog;
}

void CloseListing(HWND dialog) {
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  E2E_REQUIRE(WaitUntilGone(dialog), "the listing did not close");
}

}  // namespace

E2E_CASE(listing_dialog) {
  WriteSettings({{"Count", "6"}});
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "ソフト表示", "C:\\soft.exe", "", "/s", "0", "09001700", "100/00", "", "1"),
      RowKeys(1, "-", "", "", "", "0", "00000000", "000/00", "", "0"),
      RowKeys(2, "-backup", "C:\\b.exe", "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(3, "あいう", "C:\\a.exe", "", "", "0", "00002359", "000/00", "", "0"),
      RowKeys(4, "Beta", "C:\\beta.exe", "", "-v", "0", "07302000", "", "", "1"),
      RowKeys(5, "alpha", "C:\\alpha.exe", "", "", "0", "12000100", "012/06", "", "1"),
  })));
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  SaveScreenshot("main", main);
  HWND dialog = OpenListing(program, main);
  HWND list = FindControl(dialog, WC_LISTVIEWA);
  E2E_REQUIRE(list != nullptr, "the listing has no list");
  SaveScreenshot("listing", dialog, list);
  HWND header = reinterpret_cast<HWND>(SendOrZero(list, LVM_GETHEADER, 0, 0));
  E2E_REQUIRE(header != nullptr, "the listing has no column headers");
  E2E_CHECK_EQ_AS("headers", HeaderTexts(header),
                  (std::vector<std::string>{"ﾀｲﾄﾙ", "状態", "Start", "End", "1回", "ﾌｧｲﾙ名", "引数",
                                            "起動条件"}));
  std::vector<int> widths;
  for (int column = 0; column < 8; ++column)
    widths.push_back(static_cast<int>(SendOrZero(list, LVM_GETCOLUMNWIDTH, column, 0)));
  E2E_CHECK_EQ_AS("column widths", widths, (std::vector<int>{120, 40, 44, 44, 40, 112, 52, 100}));
  E2E_CHECK_EQ_AS("cells", ReadCells(list, 7),
                  (Cells{{"ソフト表示", "○", "09:00", "17:00", "○", "C:\\soft.exe", "/s"},
                         {"あいう", "×", "00:00", "23:59", " ", "C:\\a.exe", ""},
                         {"Beta", "○", "07:30", "20:00", "○", "C:\\beta.exe", "-v"},
                         {"alpha", "○", "12:00", "01:00", " ", "C:\\alpha.exe", ""}}));
  E2E_CHECK((GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
            "the listing does not stay on top");
  RECT placed = WindowRect(dialog);
  RECT owner = WindowRect(main);
  E2E_CHECK_EQ_AS("listing left", placed.left, owner.left);
  E2E_CHECK_EQ_AS("listing width", placed.right - placed.left, owner.right - owner.left);

  // Start ascending, then descending; the title column starts ascending on its own.
  ClickHeader(header, 2);
  ExpectTitles(list, {"あいう", "Beta", "ソフト表示", "alpha"}, "first click on Start");
  SaveScreenshot("listing-sorted", dialog, list);
  ClickHeader(header, 2);
  ExpectTitles(list, {"alpha", "ソフト表示", "Beta", "あいう"}, "second click on Start");
  std::vector<std::string> by_title = {"ソフト表示", "あいう", "Beta", "alpha"};
  std::sort(by_title.begin(), by_title.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
  ClickHeader(header, 0);
  ExpectTitles(list, by_title, "first click on the title header");
  E2E_CHECK(std::find(by_title.begin(), by_title.end(), "alpha") <
                std::find(by_title.begin(), by_title.end(), "Beta"),
            "the locale ordering should put alpha before Beta");

  // The order is not kept between openings.
  CloseListing(dialog);
  E2E_CHECK(IsRunning(program) && IsWindowVisible(main), "closing the listing closed more");
  dialog = OpenListing(program, main);
  list = FindControl(dialog, WC_LISTVIEWA);
  E2E_REQUIRE(list != nullptr, "the listing has no list");
  ExpectTitles(list, {"ソフト表示", "あいう", "Beta", "alpha"}, "opening again");
  CloseListing(dialog);

  CancelAndExpectExit(program, main);
}
