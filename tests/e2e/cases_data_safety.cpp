// Bad input and failures that must not cost the user's list: unread lists, unwritable and
// oddly encoded item files, values and file names beyond what can be stored or launched, and a
// save cut short.

// clang-format off
#include <windows.h>
// clang-format on

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";
const char kReplaceQuestion[] =
    "保存されているアイテムの一覧を読み込めませんでした。\r\n"
    "今の一覧で置き換えますか？\r\n"
    "「いいえ」を選ぶと設定だけを保存し、保存されている一覧はそのまま残します。";
const char kWriteError[] = "C:\\e2e\\Morvelin.ini に書き込めません.";

void CALLBACK LetGo(void* file, BOOLEAN) {
  CloseHandle(file);
}

std::string TodayOnce() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[8];
  std::snprintf(text, sizeof text, "1%02d/%02d", now.wMonth, now.wDay);
  return text;
}

void WriteBinaryCount() {
  E2E_REQUIRE(WriteRegValue(HKEY_CURRENT_USER, "Software\\Brel\\Morvelin\\Window", "Count",
                            REG_BINARY, std::string("\x02\0\0\0", 4)),
              "cannot write the settings key");
}

// OK on a list that did not load, Separate added first; the replace question answered.
void OkWithAnswer(const Process& program, HWND main, const char* answer) {
  PressCommand(main, IDC_SEPARATOR_BTN);
  PressCommand(main, IDC_OK_BTN);
  AnswerBox(program.pid, kWarning, kReplaceQuestion, {kYes, kNo}, IconKind::Warning, answer,
            "replace-question");
  AnswerBox(program.pid, kInformation, kRestartQuestion, {kYes, kNo}, IconKind::Information, kNo);
  ExpectQuietExit(program);
}

bool WaitForMarks(size_t count) {
  return WaitUntil([count] { return ReadMarks().size() >= count; });
}

}  // namespace

// A load that failed ("Count" of the wrong type, then beyond the bound): No keeps the stored
// list and "Count" byte for byte; Yes replaces them.
E2E_CASE(unread_list_needs_consent) {
  const std::string file = ItemFile(Join({
      RowKeys(0, "一", "C:\\one.exe", "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(1, "二", "C:\\two.exe", "", "", "0", "00002359", "000/00", "", "1"),
  }));
  WriteItemFile(file);
  WriteBinaryCount();

  Process program = StartProgram();
  AnswerBox(program.pid, "Morvelin", "'Count' のデータ型が不正です.", {kOk}, IconKind::Error, kOk);
  OkWithAnswer(program, StartAndWaitForMain(program), kNo);
  E2E_CHECK_EQ_AS("item file after No", ItemFileBytes(), file);
  const RegValue count = ReadWindowValue("Count");
  E2E_CHECK_EQ_AS("Count type after No", count.type, static_cast<DWORD>(REG_BINARY));
  E2E_CHECK_EQ_AS("Lanc after No", ReadWindowValue("Lanc").bytes, SzBytes("1"));

  WriteSettings({{"Count", "20000"}});
  program = StartProgram();
  AnswerBox(program.pid, "Morvelin",
            "アイテム数 20000 が上限の 10000 を超えています。アイテムは読み込まれませんでした.",
            {kOk}, IconKind::Error, kOk);
  OkWithAnswer(program, StartAndWaitForMain(program), kYes);
  KeyValues saved = ProfileSection(ItemFileBytes(), "Items");
  E2E_CHECK_EQ_AS("T0 after Yes", ProfileValue(saved, "T0"), "-");
  E2E_CHECK_EQ_AS("T1 beyond Count stays", ProfileValue(saved, "T1"), "二");
  E2E_CHECK_EQ_AS("Count after Yes", ReadWindowValue("Count").bytes, SzBytes("1"));
}

// A file name of 2,000 characters, and addresses of 1,000 and 2,000 past where the shell faults:
// at log-on the report names them, the other rows start (900 characters too) and every once
// date is written; through Run the user is told why nothing starts, and the window lives on.
E2E_CASE(long_file_name) {
  const std::string longFile = "C:\\" + std::string(2000, 'x') + ".exe";
  E2E_REQUIRE(WriteRegValue(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", "", REG_SZ,
                            SzBytes("\"C:\\e2e\\marker.exe\" \"%1\"")),
              "cannot point web addresses at the marker");
  const std::string address = "https://a.example/" + std::string(1982, 'q');
  const KeyValues items = Join({
      RowKeys(0, "長い", longFile, "", "", "0", "00002359", "100/00", "", "1"),
      RowKeys(1, "一", kMarker, "", "--row 1", "0", "00002359", "100/00", "", "1"),
      RowKeys(2, "二", kMarker, "", "--row 2", "0", "00002359", "000/00", "", "1"),
      RowKeys(3, "千", address.substr(0, 1000), "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(4, "二千", address, "", "", "0", "00002359", "000/00", "", "1"),
      RowKeys(5, "九百", address.substr(0, 900), "", "", "0", "00002359", "000/00", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "6"}});
  WriteItemFile(ItemFile(items));

  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  E2E_CHECK(WaitForMarks(3), "the rows after the long one did not start");
  E2E_CHECK_EQ_AS("marker runs", ReadMarks().size(), size_t{3});
  std::string log;
  ReadFileBytes(AppPath("Morvelin.log"), &log);
  for (const std::string row : {"0 長い", "3 千", "4 二千"})
    E2E_CHECK(log.find(row + ": 失敗 ﾌｧｲﾙ名、作業ﾌｫﾙﾀﾞまたは引数が長すぎます\r\n") != log.npos,
              log);
  KeyValues saved = ProfileSection(ItemFileBytes(), "Items");
  E2E_CHECK_EQ_AS("D0", ProfileValue(saved, "D0"), TodayOnce());
  E2E_CHECK_EQ_AS("D1", ProfileValue(saved, "D1"), TodayOnce());

  program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  for (const auto& [row, title] : {std::pair{0, "長い"}, {3, "千"}, {4, "二千"}}) {
    SelectListRow(list, row);
    PressCommand(main, IDC_RUN_BTN);
    AnswerBox(program.pid, kInformation, title + std::string("を実行しますか？"), {kYes, kNo},
              IconKind::Information, kYes);
    AnswerBox(program.pid, kWarning,
              "ファイル名、作業フォルダまたは引数が長すぎるため実行できません", {kOk},
              IconKind::Warning, kOk, "run-refused");
    E2E_CHECK(Responsive(main), "the main window does not answer after Run");
  }
  E2E_CHECK_EQ_AS("marker runs after Run", ReadMarks().size(), size_t{3});
  CancelAndExpectExit(program, main);
}

// An item file that cannot be replaced: the log-on starts all three once rows and then reports
// once; a save reports the error and leaves registry and file describing the same list.
E2E_CASE(unwritable_item_file) {
  const std::string file = ItemFile(Join({
      RowKeys(0, "一", kMarker, "", "--row 0", "0", "00002359", "100/00", "", "1"),
      RowKeys(1, "二", kMarker, "", "--row 1", "0", "00002359", "100/00", "", "1"),
      RowKeys(2, "三", kMarker, "", "--row 2", "0", "00002359", "100/00", "", "1"),
  }));
  WriteSettings({{"Lanc", "0"}, {"Count", "3"}});
  WriteItemFile(file);
  // A folder where the new copy of the file would be written.
  E2E_REQUIRE(CreateDirectoryA(AppPath("Morvelin.ini.new").c_str(), nullptr), "no folder");

  Process program = StartProgram("/N");
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "no report of the failed write");
  E2E_CHECK(WaitForMarks(3), "not every row started before the report");
  AnswerBox(program.pid, "Morvelin", kWriteError, {kOk}, IconKind::Error, kOk, "logon-report");
  ExpectQuietExit(program);
  E2E_CHECK_EQ_AS("marker runs", ReadMarks().size(), size_t{3});
  E2E_CHECK_EQ_AS("item file after the log-on", ItemFileBytes(), file);

  program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_SEPARATOR_BTN);
  PressCommand(main, IDC_UPDATE_BTN);
  AnswerBox(program.pid, "Morvelin", kWriteError, {kOk}, IconKind::Error, kOk, "save-error");
  E2E_CHECK_EQ_AS("item file after Update", ItemFileBytes(), file);
  E2E_CHECK_EQ_AS("Count after Update", ReadWindowValue("Count").bytes, SzBytes("3"));
  CancelAndExpectExit(program, main);
}

// A 40,000-byte value from a hand-edited file: the save names the item and the field and writes
// nothing; the value is still there afterwards.
E2E_CASE(value_too_long) {
  const std::string file = ItemFile(Join({RowKeys(0, "長い", kMarker, "", std::string(40000, 'a'),
                                                  "0", "00002359", "000/00", "", "1")}));
  WriteSettings({{"Count", "1"}});
  WriteItemFile(file);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  PressCommand(main, IDC_OK_BTN);
  AnswerBox(program.pid, "Morvelin",
            "アイテム「長い」の引数は保存できません。32766 バイト以内の1行にして下さい.", {kOk},
            IconKind::Error, kOk, "refused");
  E2E_CHECK(IsWindowVisible(main), "the refused save closed the window");
  CancelAndExpectExit(program, main);
  E2E_CHECK_EQ_AS("item file", ItemFileBytes(), file);
  E2E_CHECK_EQ_AS("values written", WindowValueNames(), std::vector<std::string>{"Count"});
}

// A UTF-8 byte-order mark, a NUL and a lone lead byte: the log-on changes only the once date's
// bytes, and OK without changes writes nothing.
E2E_CASE(foreign_bytes_survive) {
  const std::string before = std::string("\xEF\xBB\xBF; kept\r\n[Items]\r\n") +
                             "T0=\xE3\x83\xA1\xE3\x83\xA2\r\nC0=1\r\nF0=" + kMarker +
                             "\r\nS0=0\r\nH0=00002359\r\nD0=100/00\r\n" +
                             "T1=lone\x83\r\nC1=0\r\nS1=0\r\nH1=00002359\r\nD1=000/00\r\n" +
                             "W0=\r\nW1=\r\nA0=\r\nA1=\r\nF1=\r\nP0=\r\nP1=\r\n" +
                             "[Other]\r\nK=a" + std::string(1, '\0') + "b\r\n";
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}});
  WriteItemFile(before);

  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  std::string after = before;
  after.replace(after.find("D0=100/00") + 3, 6, TodayOnce());
  E2E_CHECK_EQ_AS("item file after the log-on", ItemFileBytes(), after);

  program = StartProgram();
  OkAndExpectExit(program, StartAndWaitForMain(program));
  E2E_CHECK_EQ_AS("item file after OK", ItemFileBytes(), after);
}

// Update over 3,000 rows killed at different moments: the file is always the old list or the
// new one.
E2E_CASE(killed_save_leaves_one_list) {
  KeyValues rows;
  for (int i = 0; i < 3000; ++i) {
    const KeyValues row = RowKeys(i, "行" + std::to_string(i), kMarker, "", "--row", "0",
                                  "00002359", "012/06", "", "1");
    rows.insert(rows.end(), row.begin(), row.end());
  }
  const std::string oldFile = ItemFile(rows);
  std::string newFile = oldFile;
  for (size_t at = 0; (at = newFile.find("=012/06", at)) != std::string::npos; at += 7)
    newFile.replace(at, 7, "=000/00");
  WriteSettings({{"Count", "3000"}});

  int sawOld = 0, sawNew = 0;
  for (DWORD delay : {0u, 20u, 60u, 150u, 300u, 500u, 800u, 1200u, 2000u, 4000u}) {
    WriteItemFile(oldFile);
    Process program = StartProgram();
    HWND main = StartAndWaitForMain(program);
    PressCommand(main, IDC_UPDATE_BTN);
    Sleep(delay);  // where in the save the kill lands; no outcome is timed
    TerminateProcess(program.handle, 1);
    DWORD code = 0;
    WaitForExit(program, &code);
    const std::string bytes = ItemFileBytes();
    if (bytes == oldFile) ++sawOld;
    if (bytes == newFile) ++sawNew;
    E2E_CHECK(bytes == oldFile || bytes == newFile, "delay " + std::to_string(delay) +
                                                        ": a torn file of " +
                                                        std::to_string(bytes.size()) + " bytes");
    DeleteFileA(AppPath("Morvelin.ini.new").c_str());
  }
  Log("old " + std::to_string(sawOld) + ", new " + std::to_string(sawNew));
  E2E_CHECK(sawNew > 0, "no kill came after the save: the delays never reached its end");
  E2E_CHECK_EQ_AS("Count", ReadWindowValue("Count").bytes, SzBytes("3000"));
}

// At the most rows a load reads, Add and Separate refuse with a message and the list stays.
E2E_CASE(row_bound_at_add) {
  std::string file = "[Items]\r\n";
  for (int i = 0; i < 10000; ++i) {
    const std::string n = std::to_string(i);
    file += "T" + n + "=-\r\nC" + n + "=0\r\nS" + n + "=0\r\nH" + n + "=00000000\r\nD" + n +
            "=000/00\r\n";
  }
  WriteSettings({{"Count", "10000"}});
  WriteItemFile(file);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = TitleList(main);
  E2E_REQUIRE(list != nullptr, "no title list");
  E2E_CHECK_EQ_AS("rows loaded", ListCount(list), 10000);
  for (int command : {IDC_ADD_BTN, IDC_SEPARATOR_BTN}) {
    PressCommand(main, command);
    AnswerBox(program.pid, kWarning, "アイテムは 10000 個までしか登録できません", {kOk},
              IconKind::Warning, kOk, "full");
  }
  E2E_CHECK(FindDialog(program.pid, "Morvelinアイテムプロパティ") == nullptr,
            "the item dialog opened");
  E2E_CHECK_EQ_AS("rows after Add and Separate", ListCount(list), 10000);
  CancelAndExpectExit(program, main);
  E2E_CHECK_EQ_AS("item file", ItemFileBytes(), file);
}

// Another program holds the item file without sharing: at log-on nothing starts, one box and
// the log say why; in the window the box offers retry, and after cancel the list counts as
// unread, so OK after the file is let go keeps it unless the user agrees.
E2E_CASE(held_item_file) {
  const std::string file =
      ItemFile(RowKeys(0, "一", kMarker, "", "--row 0", "0", "00002359", "000/00", "", "1"));
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}});
  WriteItemFile(file);
  HANDLE holder = CreateFileA(ItemFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  E2E_REQUIRE(holder != INVALID_HANDLE_VALUE, "cannot hold the item file");
  const std::string refused = ItemFilePath() + " を読み込めません: ";
  Process program;
  for (const char* arguments : {"/N", ""}) {
    program = StartProgram(arguments);
    HWND box = WaitForMessageBox(program.pid);
    E2E_REQUIRE(box != nullptr, std::string("no word of the held file: ") + arguments);
    E2E_CHECK(ReadBox(box).text.rfind(refused, 0) == 0, "box: " + Describe(ReadBox(box).text));
    if (*arguments) {
      E2E_CHECK(ClickButton(box, kOk), "no OK in the box");
      ExpectQuietExit(program);
      continue;
    }
    E2E_REQUIRE(ClickButton(box, "再試行(&R)"), "no retry in the box");
    E2E_REQUIRE(WaitUntilGone(box), "the box stayed");
    box = WaitForMessageBox(program.pid);
    E2E_REQUIRE(box != nullptr, "no word of the file still held");
    E2E_CHECK(ReadBox(box).text.rfind(refused, 0) == 0, "box: " + Describe(ReadBox(box).text));
    E2E_CHECK(ClickButton(box, "キャンセル"), "no cancel in the box");
  }
  HWND main = StartAndWaitForMain(program);
  CloseHandle(holder);
  OkWithAnswer(program, main, kNo);
  E2E_CHECK(ReadFileBytes(AppPath("Morvelin.log"))
                    .find("ｱｲﾃﾑﾌｧｲﾙを読み込めないため、何も起動しませんでした: " + refused) !=
                std::string::npos,
            "no line in the log");
  E2E_CHECK_EQ_AS("item file after No", ItemFileBytes(), file);
}

// Held as the log-on run starts (a sync client, a backup or a scanner): a brief hold is waited
// out and the report names the wait; a long one ends in a clear report with nothing started.
E2E_CASE(item_file_held_at_logon) {
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}});
  WriteItemFile(ItemFile(
      Join({RowKeys(0, "一", kMarker, "", "--row 0", "0", "00002359", "000/00", "", "1"),
            RowKeys(1, "二", kMarker, "", "--row 1", "0", "00002359", "000/00", "", "1")})));
  for (const DWORD held_ms : {3000u, 15000u}) {
    const bool brief = held_ms < 10000;
    const HANDLE file = CreateFileA(ItemFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE timer = nullptr;
    E2E_REQUIRE(
        file != INVALID_HANDLE_VALUE &&
            CreateTimerQueueTimer(&timer, nullptr, LetGo, file, held_ms, 0, WT_EXECUTEONLYONCE),
        "cannot hold the item file");
    const Process program = StartProgram("/N");
    if (!brief) {
      HWND box = WaitForMessageBox(program.pid);
      E2E_REQUIRE(box != nullptr, "no word of the held file");
      E2E_CHECK(ReadBox(box).text.find("秒待ってもアイテムファイルは使用中のままだったため、何も起"
                                       "動しませんでした。") != std::string::npos,
                "box: " + Describe(ReadBox(box).text));
      E2E_CHECK(ClickButton(box, kOk), "no OK in the box");
    }
    ExpectQuietExit(program);
    WaitUntil([] { return ReadMarks().size() >= 2; });
    E2E_CHECK_EQ_AS("rows launched, both runs", ReadMarks().size(), static_cast<size_t>(2));
    const std::string log = ReadFileBytes(AppPath("Morvelin.log"));
    const std::string said = brief ? "秒待ってから起動しました\r\n  0 一: 起動しました\r\n"
                                   : "秒待っても他のﾌﾟﾛｸﾞﾗﾑに使用されたままでした\r\n";
    E2E_CHECK(log.find(said) != std::string::npos, "log: " + Describe(log));
  }
}
