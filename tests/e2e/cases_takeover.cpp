// The start-up entries page: other log-on entries listed with their marks, two taken over into
// the list and started by the log-on run in its order, one given back and started by the
// system's own log-on processing again.

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The page's rows as "place|name|command|mark".
std::vector<std::string> PageRows(HWND list) {
  std::vector<std::string> rows;
  for (int i = 0; i < ListCount(list); ++i)
    rows.push_back(ListText(list, i, 0) + "|" + ListText(list, i, 1) + "|" + ListText(list, i, 2) +
                   "|" + ListText(list, i, 3));
  return rows;
}

bool SelectNamed(HWND list, const std::string& name) {
  for (int i = 0; i < ListCount(list); ++i)
    if (ListText(list, i, 1) == name) return SelectListRow(list, i);
  return false;
}

HWND OpenTakeoverPage(HWND main) {
  HWND tab = FindControl(main, WC_TABCONTROLA), list = Control(main, IDC_TAKEOVER_ENTRIES);
  RECT item{};
  E2E_REQUIRE(tab && TabItemRect(tab, 2, &item), "no third tab on the main window");
  PostClick(tab, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  E2E_REQUIRE(WaitUntil([&] { return IsWindowVisible(list) && ListCount(list) > 0; }),
              "the start-up entries page did not show");
  return list;
}

// A shortcut as the shell writes one; the path in the ANSI code page.
bool WriteShortcut(const std::string& path, const std::string& target, const std::string& args) {
  IShellLinkA* shell_link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                   reinterpret_cast<void**>(&shell_link));
  const bool saved =
      shell_link &&
      SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(shell_link->SetPath(target.c_str())) &&
      SUCCEEDED(shell_link->SetArguments(args.c_str())) && SUCCEEDED(file->Save(wide, TRUE));
  if (file) file->Release();
  if (shell_link) shell_link->Release();
  return saved;
}

std::string FolderOf(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
  return path;
}

// Waits for a box of the program, checks that its text says all this and answers it.
void AnswerBoxSaying(DWORD pid, const std::vector<std::string>& parts, const std::string& answer) {
  HWND box = WaitForMessageBox(pid);
  const std::string text = box ? ReadBox(box).text : "(no box)";
  for (const std::string& part : parts) E2E_CHECK(text.find(part) != std::string::npos, text);
  E2E_CHECK(ClickButton(box, answer) && WaitUntilGone(box), OpenBoxes(pid));
}

// How often the program was started with the arguments.
long Starts(const std::string& exe, const std::string& args) {
  const std::vector<Mark> marks = ReadMarks();
  return std::count_if(marks.begin(), marks.end(),
                       [&](const Mark& m) { return m.exe == exe && m.args == args; });
}

// Link.lnk in the user's Startup folder, starting the target with the arguments.
std::string MakeStartupLink(const std::string& target, const char* arguments) {
  const std::string link = FolderOf(CSIDL_STARTUP) + "\\Link.lnk";
  E2E_REQUIRE(WriteShortcut(link, target, arguments), "no shortcut");
  return link;
}

// Selects the row of that name that is, or is not, taken over.
bool SelectEntry(HWND list, const std::string& name, bool kept) {
  for (int i = 0; i < ListCount(list); ++i)
    if (ListText(list, i, 1) == name && (ListText(list, i, 0).find("取り込み済み") == 0) == kept)
      return SelectListRow(list, i);
  return false;
}

}  // namespace

E2E_CASE(takeover_entries) {
  CoInitialize(nullptr);
  const std::string marker = AppPath("marker.exe"), solo = AppPath("solo.exe"),
                    linked = AppPath("linked.exe");
  CopyFileA(marker.c_str(), solo.c_str(), FALSE);
  CopyFileA(marker.c_str(), linked.c_str(), FALSE);
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}, {"Wait", "1"}});
  WriteItemFile(
      ItemFile(RowKeys(0, "既存", marker, "", "--row", "0", "00002359", "000/00", "", "1")));
  const auto sz = [](const std::string& text) { return text + std::string(1, '\0'); };
  E2E_REQUIRE(
      WriteRegValue(HKEY_CURRENT_USER, kRun, "Dup", REG_SZ, sz("\"" + marker + "\" --dup")) &&
          WriteRegValue(HKEY_CURRENT_USER, kRun, "Solo", REG_SZ, sz(solo + " --solo")) &&
          WriteRegValue(HKEY_LOCAL_MACHINE, kRun, "Machine", REG_SZ, sz(solo + " --m")) &&
          WriteRegValue(HKEY_CURRENT_USER, kRun, "Morvelin", REG_SZ,
                        sz(AppPath("morvelin.exe /N"))),
      "the Run values could not be seeded");
  const std::string link = MakeStartupLink(linked, "--link");
  const std::string link_bytes = ReadFileBytes(link);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = OpenTakeoverPage(main);
  const std::vector<std::string> listed = PageRows(list);
  for (const std::string& row : {"このユーザー (Run)|Dup|\"" + marker + "\" --dup|重複",
                                 "このユーザー (Run)|Solo|" + solo + " --solo|",
                                 "全ユーザー (Run)|Machine|" + solo + " --m|",
                                 "スタートアップ フォルダ|Link.lnk|" + linked + " --link|"})
    E2E_CHECK(std::count(listed.begin(), listed.end(), row) == 1,
              Describe(row) + " in " + Describe(listed));
  // The machine's entry is only listed, and must not start during the log-on below.
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRun, "Machine");

  for (const char* name : {"Solo", "Link.lnk"}) {
    SelectNamed(list, name);
    PressCommand(main, IDC_TAKE_OVER_BUTTON);
    AnswerBoxSaying(program.pid, {"「" + std::string(name) + "」をﾘｽﾄの最後に取り込み"}, kOk);
    E2E_CHECK(WaitUntil([&] {
                return SelectNamed(list, name) &&
                       ListText(list, ListSelection(list), 0).find("取り込み済み") == 0;
              }),
              Describe(PageRows(list)));
  }
  CancelAndExpectExit(program, main);

  // At log-on Wine starts what is left, the program the rest, in the list's order and spaced.
  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  std::string log;  // written at the run's end
  E2E_CHECK(WaitUntil([&] {
              return (log = ReadFileBytes(AppPath("Morvelin.log"))).find("  2 ") !=
                     std::string::npos;
            }),
            "no report");
  // Each once: Wine no longer starts the two taken over, the log-on run does.
  E2E_CHECK(WaitUntil([] { return ReadMarks().size() == 4; }), Describe(ReadMarks().size()));
  for (const auto& [exe, args] :
       {std::pair{marker, "--dup"}, {marker, "--row"}, {solo, "--solo"}, {linked, "--link"}})
    E2E_CHECK_EQ_AS(exe + " " + args, Starts(exe, args), 1L);
  for (const char* line :
       {"ﾛｸﾞｵﾝ起動 3行 間隔 1秒", "  0 既存: 起動しました", "  1 Solo (取り込み): 起動しました",
        "  2 Link (取り込み): 起動しました"})
    E2E_CHECK(log.find(line) != std::string::npos, Describe(log));

  // Given back: the shortcut is there again byte for byte, its row removed, and Wine starts it.
  program = StartProgram();
  main = StartAndWaitForMain(program);
  list = OpenTakeoverPage(main);
  E2E_REQUIRE(SelectNamed(list, "Link.lnk"), Describe(PageRows(list)));
  PressCommand(main, IDC_GIVE_BACK_BUTTON);
  AnswerBoxSaying(program.pid, {"「Link.lnk」を元の場所に戻しました: 「" + link, "「Link」を削除"},
                  kYes);
  E2E_CHECK(WaitUntil([] { return ReadWindowValue("Count").bytes == SzBytes("2"); }),
            "the row stays");
  E2E_CHECK_EQ(ReadFileBytes(link), link_bytes);
  CancelAndExpectExit(program, main);
  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  E2E_CHECK(WaitUntil([&] { return Starts(linked, "--link") == 2; }),
            "Wine did not start the shortcut again");
  CoUninitialize();
}

// The uninstall gives back what was taken over before it removes the program's links and key.
E2E_CASE(takeover_uninstall) {
  CoInitialize(nullptr);
  const std::string solo = AppPath("solo.exe"), program_file = AppPath("morvelin.exe"),
                    link = FolderOf(CSIDL_STARTUP) + "\\Link.lnk",
                    own = FolderOf(CSIDL_STARTUP) + "\\Morvelin.lnk",
                    desktop = FolderOf(CSIDL_DESKTOPDIRECTORY) + "\\Morvelinへのショートカット.lnk";
  CopyFileA(AppPath("marker.exe").c_str(), solo.c_str(), FALSE);
  const std::string solo_bytes = "\"" + solo + "\" --solo" + std::string(1, '\0');
  E2E_REQUIRE(WriteRegValue(HKEY_CURRENT_USER, kRun, "Solo", REG_SZ, solo_bytes) &&
                  WriteShortcut(link, solo, "--link") && WriteShortcut(own, program_file, "/N") &&
                  WriteShortcut(desktop, program_file, ""),
              "the entries could not be seeded");
  const std::string link_bytes = ReadFileBytes(link);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = OpenTakeoverPage(main);
  for (const char* name : {"Solo", "Link.lnk"}) {
    E2E_REQUIRE(SelectNamed(list, name), Describe(PageRows(list)));
    PressCommand(main, IDC_TAKE_OVER_BUTTON);
    AnswerBoxSaying(program.pid, {"をﾘｽﾄの最後に取り込み"}, kOk);
  }
  CancelAndExpectExit(program, main);

  program = StartProgram("/uninstall");
  E2E_CHECK(WaitForMessageBox(program.pid) && !MainWindow(program.pid, false), "a main window");
  AnswerBoxSaying(program.pid, {"Morvelinをｱﾝｲﾝｽﾄｰﾙしますか？"}, kYes);
  AnswerBoxSaying(program.pid, {"ｱﾝｲﾝｽﾄｰﾙしました", "ﾌｫﾙﾀﾞ「" + AppPath("") + "」"}, kOk);
  ExpectQuietExit(program);
  E2E_CHECK_EQ(ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo").bytes, solo_bytes);
  E2E_CHECK_EQ(ReadFileBytes(link), link_bytes);
  E2E_CHECK(!FileExists(own) && !FileExists(desktop), "the program's shortcuts are still there");
  E2E_CHECK(!RegKeyExists(HKEY_CURRENT_USER, "Software\\Brel\\Morvelin"), "the key is still there");

  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  E2E_CHECK(WaitUntil([&] { return Starts(solo, "--solo") == 1 && Starts(solo, "--link") == 1; }),
            Describe(ReadMarks().size()));
  CoUninitialize();
}

// Edits of the list not yet saved are named before taking over: No leaves everything on disk as
// it was, Yes saves them with the new row. The page's uninstall then puts the value back, removes
// the program's key and ends the program.
E2E_CASE(takeover_unsaved_edits_and_page_uninstall) {
  const std::string marker = AppPath("marker.exe"), solo = AppPath("solo.exe");
  CopyFileA(marker.c_str(), solo.c_str(), FALSE);
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}});
  WriteItemFile(
      ItemFile(RowKeys(0, "既存", marker, "", "--row", "0", "00002359", "000/00", "", "1")));
  const std::string solo_bytes = SzBytes("\"" + solo + "\" --solo"), items = ItemFileBytes();
  E2E_REQUIRE(WriteRegValue(HKEY_CURRENT_USER, kRun, "Solo", REG_SZ, solo_bytes),
              "the Run value could not be seeded");

  Process program = StartProgram();
  const HWND main = StartAndWaitForMain(program), titles = TitleList(main);
  PressCommand(main, IDC_SEPARATOR_BTN);
  E2E_REQUIRE(WaitUntil([&] { return ListCount(titles) == 2; }), "no separator was added");
  const HWND list = OpenTakeoverPage(main);
  const auto take_over_answering = [&](const char* answer) {
    E2E_REQUIRE(SelectNamed(list, "Solo"), Describe(PageRows(list)));
    PressCommand(main, IDC_TAKE_OVER_BUTTON);
    AnswerBoxSaying(program.pid, {"まだ保存していない変更があります", "「いいえ」を選ぶと何もせず"},
                    answer);
  };
  take_over_answering(kNo);
  E2E_CHECK(Responsive(main) && MessageBoxes(program.pid).empty(), OpenBoxes(program.pid));
  E2E_CHECK_EQ(ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo").bytes, solo_bytes);
  E2E_CHECK_EQ(ItemFileBytes(), items);
  E2E_CHECK_EQ(ReadWindowValue("Count").bytes, SzBytes("1"));
  E2E_CHECK_EQ(ListCount(titles), 2);  // the edit stays, unsaved

  take_over_answering(kYes);
  AnswerBoxSaying(program.pid, {"「Solo」をﾘｽﾄの最後に取り込み"}, kOk);
  E2E_CHECK(!ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo").exists, "the Run value stays");
  PressCommand(main, IDC_UNINSTALL_BUTTON);
  AnswerBoxSaying(program.pid, {"Morvelinをｱﾝｲﾝｽﾄｰﾙしますか？"}, kYes);
  AnswerBoxSaying(program.pid, {"ｱﾝｲﾝｽﾄｰﾙしました", "ﾌｫﾙﾀﾞ「" + AppPath("") + "」"}, kOk);
  ExpectQuietExit(program);
  const RegValue value = ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo");
  E2E_CHECK_EQ(value.type, static_cast<DWORD>(REG_SZ));
  E2E_CHECK_EQ(value.bytes, solo_bytes);
  E2E_CHECK(!RegKeyExists(HKEY_CURRENT_USER, "Software\\Brel\\Morvelin"), "the key is still there");
  // The edit was saved with the row: the separator stands before it.
  E2E_CHECK_EQ(ProfileValue(SavedItems(), "T2"), std::string("Solo"));
}

// Killed by its process id at staggered moments of taking over and giving back, the program puts
// right what was left at its next start, so that every entry stays in exactly one place and
// Wine's own log-on starts each once. Every round presses its button and kills the running
// program, and the notices of what was put right show that kills landed inside steps.
E2E_CASE(takeover_survives_kills) {
  CoInitialize(nullptr);
  const std::string marker = AppPath("marker.exe"), solo = AppPath("solo.exe"),
                    linked = AppPath("linked.exe");
  CopyFileA(marker.c_str(), solo.c_str(), FALSE);
  CopyFileA(marker.c_str(), linked.c_str(), FALSE);
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}});
  WriteItemFile(
      ItemFile(RowKeys(0, "既存", marker, "", "--row", "0", "00002359", "000/00", "", "1")));
  E2E_REQUIRE(WriteRegValue(HKEY_CURRENT_USER, kRun, "Solo", REG_SZ, SzBytes(solo + " --solo")) &&
                  WriteRegValue(HKEY_CURRENT_USER, kRun, "Morvelin", REG_SZ,
                                SzBytes(AppPath("morvelin.exe /N"))),
              "the Run values could not be seeded");
  const std::string link = MakeStartupLink(linked, "--link");
  std::string repairs;  // the notices of the starts that put things right
  int repaired_starts = 0;
  const auto start = [&](Process& program) {
    program = StartProgram();
    E2E_REQUIRE(
        WaitUntil([&] { return MainWindow(program.pid) || !MessageBoxes(program.pid).empty(); }),
        "neither window nor notice");
    for (HWND box : MessageBoxes(program.pid)) {
      const std::string text = ReadBox(box).text;
      repairs += text + "\n";
      // Only a kill inside a step leaves something to put right.
      repaired_starts += text.find("途中で終わっていたため") != std::string::npos;
      ClickButtonById(box, IDOK);
    }
    return StartAndWaitForMain(program);
  };
  // The one box of a step: after taking over what it did, when giving back whether the row goes.
  const auto answer_step = [](DWORD pid, bool giving_back) {
    HWND box = WaitForMessageBox(pid);
    return box && ClickButton(box, giving_back ? kYes : kOk);
  };
  // Where each entry shows that a step has begun: its kept record, or its original back.
  const std::string kept_values = "Software\\Brel\\Morvelin\\Adopted\\Run",
                    kept_files = "Software\\Brel\\Morvelin\\Adopted\\Startup";
  const auto begun = [&](const std::string& name, bool giving_back) {
    if (giving_back)
      return name == "Solo" ? ReadRegValue(HKEY_CURRENT_USER, kRun, name).exists
                            : GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    return ReadRegValue(HKEY_CURRENT_USER, name == "Solo" ? kept_values : kept_files, name).exists;
  };
  constexpr int kAtFirstSign = -1;
  for (const int moment : {kAtFirstSign, 0, 5, 25}) {
    for (const std::string name : {"Solo", "Link.lnk"}) {
      bool kept_first = false;
      for (const bool second : {false, true}) {
        Process program;
        const HWND main = start(program);
        // Both steps are killed at each moment, first the one the entry's state allows.
        if (!second) kept_first = begun(name, false);
        const bool giving_back = kept_first != second;
        // Each in one place: where the system starts it, or a row of the list. Rows past
        // "Count", which a killed save can leave in the file, are no rows.
        const KeyValues items = SavedItems();
        const int count = std::atoi(ReadWindowValue("Count").bytes.c_str());
        const auto has_row = [&](const std::string& file) {
          for (int i = 0; i < count; ++i)
            if (ProfileValue(items, "F" + std::to_string(i)) == file) return true;
          return false;
        };
        const std::string round = "the round " + name +
                                  (giving_back ? " giving back " : " taking over ") +
                                  Describe(moment);
        E2E_CHECK_EQ_AS("Solo before " + round,
                        ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo").exists, !has_row(solo));
        E2E_CHECK(!FileExists(AppPath("Morvelin.ini.new")), "a half save left before " + round);
        E2E_CHECK_EQ_AS("Link before " + round,
                        GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES,
                        !has_row(linked));
        const HWND list = OpenTakeoverPage(main);
        const int step = giving_back ? IDC_GIVE_BACK_BUTTON : IDC_TAKE_OVER_BUTTON;
        // The first kill may have left the entry where the second step cannot begin: the
        // other step, run to its end, brings it there.
        if (!SelectEntry(list, name, giving_back)) {
          E2E_REQUIRE(SelectEntry(list, name, !giving_back),
                      round + ": " + Describe(PageRows(list)));
          PressCommand(main, giving_back ? IDC_TAKE_OVER_BUTTON : IDC_GIVE_BACK_BUTTON);
          E2E_REQUIRE(answer_step(program.pid, !giving_back) &&
                          WaitUntil([&] { return SelectEntry(list, name, giving_back); }),
                      round + ":" + OpenBoxes(program.pid) + " " + Describe(PageRows(list)));
        }
        E2E_REQUIRE(WaitUntil([&] { return IsWindowEnabled(Control(main, step)) != FALSE; }),
                    "the button is disabled in " + round);
        PressCommand(main, step);
        if (moment == kAtFirstSign) {
          const ULONGLONG limit = GetTickCount64() + kWaitLimitMs;
          while (!begun(name, giving_back) && GetTickCount64() < limit) {
          }
          E2E_CHECK(begun(name, giving_back), "the step did not begin in " + round);
        } else {
          E2E_CHECK(!giving_back || answer_step(program.pid, true), "no row question in " + round);
          Sleep(static_cast<DWORD>(moment));  // the moment of the kill, not a wait
        }
        DWORD code = 0;
        E2E_CHECK(TerminateProcess(program.handle, 9) && WaitForExit(program, &code) && code == 9,
                  "the program was not killed in " + round + " (exit code " + Describe(code) + ")" +
                      OpenBoxes(program.pid));
      }
    }
  }
  Process program;
  CancelAndExpectExit(program, start(program));
  Log("repairs: " + repairs);
  E2E_CHECK(repaired_starts > 0, "no kill landed inside a step");

  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  E2E_CHECK(WaitUntil([] {
              return ReadFileBytes(AppPath("Morvelin.log")).find("ﾛｸﾞｵﾝ起動") !=
                         std::string::npos &&
                     ReadMarks().size() >= 3;
            }),
            Describe(ReadMarks().size()));
  for (const auto& [exe, args] : {std::pair{marker, "--row"}, {solo, "--solo"}, {linked, "--link"}})
    E2E_CHECK_EQ_AS(exe + " " + args, Starts(exe, args), 1L);
  CoUninitialize();
}
