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
const char kAllDay[] = "00002359";

// The page's rows as "place|name|command|mark".
std::vector<std::string> PageRows(HWND list) {
  std::vector<std::string> rows;
  for (int i = 0; i < ListCount(list); ++i)
    rows.push_back(ListText(list, i, 0) + "|" + ListText(list, i, 1) + "|" + ListText(list, i, 2) +
                   "|" + ListText(list, i, 3));
  return rows;
}

int RowNamed(HWND list, const std::string& name) {
  for (int i = 0; i < ListCount(list); ++i)
    if (ListText(list, i, 1) == name) return i;
  return -1;
}

HWND OpenStartupPage(HWND main) {
  HWND tab = FindControl(main, WC_TABCONTROLA);
  RECT item{};
  E2E_REQUIRE(tab && TabItemRect(tab, 2, &item), "no third tab on the main window");
  PostClick(tab, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  HWND list = Control(main, IDC_STARTUP_ENTRIES);
  E2E_REQUIRE(WaitUntil([&] { return IsWindowVisible(list) && ListCount(list) > 0; }),
              "the start-up entries page did not show");
  return list;
}

// Selects the named row and presses the page's button; true when the page then shows `then`.
bool Press(HWND main, HWND list, const std::string& name, int button, const std::string& then) {
  if (!SelectListRow(list, RowNamed(list, name))) return false;
  if (!IsWindowEnabled(Control(main, button))) return false;
  PressCommand(main, button);
  return WaitUntil([&] {
    const int row = RowNamed(list, name);
    return row >= 0 && ListText(list, row, 0) == then;
  });
}

// How many starts each program had, "exe args" each, in the order they started.
std::vector<std::string> Starts() {
  std::vector<std::pair<ULONGLONG, std::string>> timed;
  for (const Mark& mark : ReadMarks()) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(AppPath("marks\\" + mark.file).c_str(), GetFileExInfoStandard, &data);
    timed.push_back({(ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) |
                         data.ftLastWriteTime.dwLowDateTime,
                     mark.exe + " " + mark.args});
  }
  std::sort(timed.begin(), timed.end());
  std::vector<std::string> lines;
  for (const auto& [when, line] : timed) lines.push_back(line);
  return lines;
}

void ClearMarks() {
  for (const Mark& mark : ReadMarks()) DeleteFileA(AppPath("marks\\" + mark.file).c_str());
}

// Wine's log-on processing, then the program's report, which it writes at the run's end.
void LogOn(size_t runs) {
  E2E_REQUIRE(WinExec("wineboot.exe", SW_SHOWNORMAL) > 31, "wineboot did not start");
  E2E_REQUIRE(WaitUntil([&] {
                std::string log;
                ReadFileBytes(AppPath("Morvelin.log"), &log);
                size_t found = 0;
                for (size_t at = log.find("ﾛｸﾞｵﾝ起動"); at != std::string::npos;
                     at = log.find("ﾛｸﾞｵﾝ起動", at + 1))
                  ++found;
                return found == runs;
              }),
              "the log-on run did not report");
}

}  // namespace

E2E_CASE(takeover_startup_entries) {
  CoInitialize(nullptr);
  const std::string marker = AppPath("marker.exe"), solo = AppPath("solo.exe"),
                    linked = AppPath("linked.exe");
  E2E_REQUIRE(CopyFileA(marker.c_str(), solo.c_str(), FALSE) &&
                  CopyFileA(marker.c_str(), linked.c_str(), FALSE),
              "the marker could not be copied");
  WriteSettings({{"Lanc", "0"}, {"Count", "1"}, {"Wait", "1"}});
  WriteItemFile(ItemFile(RowKeys(0, "既存", marker, "", "--row", "0", kAllDay, "000/00", "", "1")));
  const auto sz = [](const std::string& text) { return text + std::string(1, '\0'); };
  E2E_REQUIRE(
      WriteRegValue(HKEY_CURRENT_USER, kRun, "Dup", REG_SZ, sz("\"" + marker + "\" --dup")) &&
          WriteRegValue(HKEY_CURRENT_USER, kRun, "Solo", REG_SZ, sz(solo + " --solo")) &&
          WriteRegValue(HKEY_LOCAL_MACHINE, kRun, "Machine", REG_SZ, sz(solo + " --machine")),
      "the Run values could not be seeded");
  char startup[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, startup);
  const std::string link = std::string(startup) + "\\Link.lnk";
  IShellLinkA* shell_link = nullptr;
  IPersistFile* file = nullptr;
  E2E_REQUIRE(
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shell_link))) &&
          SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))),
      "no shell link object");
  shell_link->SetPath(linked.c_str());
  shell_link->SetArguments("--link");
  std::wstring wide(link.begin(), link.end());
  E2E_REQUIRE(SUCCEEDED(file->Save(wide.c_str(), TRUE)), "the Startup shortcut was not written");
  file->Release();
  shell_link->Release();
  const std::string link_bytes = ReadFileBytes(link);

  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  HWND list = OpenStartupPage(main);
  SaveScreenshot("page", main, list);
  const std::vector<std::string> listed = PageRows(list);
  for (const std::string& row :
       {"HKCU Run|Dup|\"" + marker + "\" --dup|重複", "HKCU Run|Solo|" + solo + " --solo|",
        "HKLM Run|Machine|" + solo + " --machine|", "ｽﾀｰﾄｱｯﾌﾟ|Link.lnk|" + linked + " --link|"})
    E2E_CHECK(std::count(listed.begin(), listed.end(), row) == 1,
              Describe(row) + " in " + Describe(listed));
  // The machine's entry is never taken over.
  E2E_CHECK(SelectListRow(list, RowNamed(list, "Machine")) &&
                WaitUntil([&] { return !IsWindowEnabled(Control(main, IDC_ADOPT_BUTTON)); }),
            "the machine's entry can be taken over");
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRun, "Machine");

  // A file in the way of the kept copy: the shortcut stays, and the program says so.
  E2E_REQUIRE(WriteFileBytes(AppPath("Adopted"), "in the way"), "no file in the way");
  SelectListRow(list, RowNamed(list, "Link.lnk"));
  PressCommand(main, IDC_ADOPT_BUTTON);
  const HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "no message on the failure");
  E2E_CHECK(ReadBox(box).text.find("元の登録はそのままです") != std::string::npos,
            Describe(ReadBox(box).text));
  ClickButton(box, kOk);
  E2E_CHECK_EQ(ReadFileBytes(link), link_bytes);
  DeleteFileA(AppPath("Adopted").c_str());

  E2E_REQUIRE(Press(main, list, "Solo", IDC_ADOPT_BUTTON, "取り込み済み(Run)"),
              Describe(PageRows(list)));
  E2E_REQUIRE(Press(main, list, "Link.lnk", IDC_ADOPT_BUTTON, "取り込み済み(ｽﾀｰﾄｱｯﾌﾟ)"),
              Describe(PageRows(list)));
  E2E_CHECK(!ReadRegValue(HKEY_CURRENT_USER, kRun, "Solo").exists, "Solo is still in Run");
  E2E_CHECK(!FileExists(link), "the shortcut is still in the Startup folder");
  const KeyValues saved = SavedItems();
  E2E_CHECK_EQ(ProfileValue(saved, "F1") + " " + ProfileValue(saved, "A1"), solo + " --solo");
  E2E_CHECK_EQ(ProfileValue(saved, "F2") + " " + ProfileValue(saved, "A2"), linked + " --link");
  CancelAndExpectExit(program, main);

  // At log-on Wine starts what is left, and the program the rest, in the list's order and spaced.
  E2E_REQUIRE(WriteRegValue(HKEY_CURRENT_USER, kRun, "Morvelin", REG_SZ,
                            sz(AppPath("morvelin.exe") + " /N")),
              "no log-on entry for the program");
  LogOn(1);
  E2E_REQUIRE(WaitUntil([] { return ReadMarks().size() >= 4; }), Describe(Starts()));
  std::vector<std::string> starts = Starts();
  const auto position = [&](const std::string& line) {
    return std::find(starts.begin(), starts.end(), line) - starts.begin();
  };
  E2E_CHECK_EQ_AS("starts", starts.size(), size_t{4});
  E2E_CHECK(position(marker + " --row") < position(solo + " --solo") &&
                position(solo + " --solo") < position(linked + " --link") &&
                position(linked + " --link") < static_cast<long long>(starts.size()),
            Describe(starts));
  std::string log;
  ReadFileBytes(AppPath("Morvelin.log"), &log);
  for (const char* line :
       {"ﾛｸﾞｵﾝ起動 3行 間隔 1秒", "  0 既存: 起動しました", "  1 Solo (取り込み): 起動しました",
        "  2 Link (取り込み): 起動しました"})
    E2E_CHECK(log.find(line) != std::string::npos, Describe(log));

  // Given back: the shortcut is there again byte for byte, its row removed, and Wine starts it.
  program = StartProgram();
  main = StartAndWaitForMain(program);
  list = OpenStartupPage(main);
  E2E_REQUIRE(SelectListRow(list, RowNamed(list, "Link.lnk")), Describe(PageRows(list)));
  PressCommand(main, IDC_GIVE_BACK_BUTTON);
  E2E_CHECK(AnswerBox(program.pid, kInformation, "ﾘｽﾄの「Link」を削除しますか？", {kYes, kNo},
                      IconKind::Information, kYes),
            OpenBoxes(program.pid));
  E2E_CHECK(WaitUntil([&] { return FileExists(link); }), "the shortcut did not come back");
  E2E_CHECK_EQ(ReadFileBytes(link), link_bytes);
  E2E_CHECK(!FileExists(AppPath("Adopted\\Link.lnk")), "the kept copy stays");
  E2E_CHECK(WaitUntil([] { return ReadWindowValue("Count").bytes == SzBytes("2"); }),
            "the row was not removed");
  CancelAndExpectExit(program, main);
  ClearMarks();
  LogOn(2);
  E2E_REQUIRE(WaitUntil([&] {
                starts = Starts();
                return std::count(starts.begin(), starts.end(), linked + " --link") == 1;
              }),
              "Wine did not start the shortcut again: " + Describe(Starts()));
  CoUninitialize();
}
