// The log-on report, "Skip" and "Wait": what the report says about each row, a program that
// already runs not started twice, spaced launches cut short by a quit, and the options page
// keeping both settings.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";
const char kSecondMarker[] = "C:\\e2e\\marker2.exe";
const char kAppFolder[] = "C:\\e2e";
const char kAllDay[] = "00002359";

// mm/dd of today, as the program's once dates hold it.
std::string Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char today[16];
  wsprintfA(today, "%02u/%02u", t.wMonth, t.wDay);
  return today;
}

// A one-minute band two hours from now, always outside: "HHMMHHMM" and its report form.
std::pair<std::string, std::string> BandOutsideNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  const int minutes = (t.wHour * 60 + t.wMinute + 120) % (24 * 60);
  char stored[16];
  char shown[16];
  wsprintfA(stored, "%02d%02d%02d%02d", minutes / 60, minutes % 60, minutes / 60, minutes % 60);
  wsprintfA(shown, "%02d:%02d-%02d:%02d", minutes / 60, minutes % 60, minutes / 60, minutes % 60);
  return {stored, shown};
}

std::string LogBytes() {
  std::string bytes;
  return ReadFileBytes(AppPath("Morvelin.log"), &bytes) ? bytes : "<missing>";
}

// The report's lines, the run line's date and time left out.
std::vector<std::string> LogLines() {
  std::vector<std::string> lines;
  const std::string bytes = LogBytes();
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line[0] != ' ' && line.size() > 20) line = line.substr(20);
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// Marks of starts so far, in the order their processes were made, as "exe args".
struct TimedMark {
  std::string line;
  ULONGLONG created = 0;  // 100 ns units
};
std::vector<TimedMark> TimedMarks() {
  std::vector<TimedMark> marks;
  for (const Mark& mark : ReadMarks()) marks.push_back({mark.exe + " " + mark.args, mark.created});
  std::sort(marks.begin(), marks.end(),
            [](const TimedMark& a, const TimedMark& b) { return a.created < b.created; });
  return marks;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

std::vector<std::string> MarkLines() {
  std::vector<std::string> lines;
  for (const TimedMark& mark : TimedMarks()) lines.push_back(mark.line);
  return lines;
}

// Chooses from the resident launcher's menu as a user would: a right press on its icon, then
// the entry's key ("x" quits).
void QuitFromTrayMenu(const Process& program, const std::string& key = "x") {
  HWND tray = nullptr;
  E2E_REQUIRE(WaitUntil([&] {
                tray = FindWindowA(nullptr, "Wine System Tray");
                return tray && IsWindowVisible(tray);
              }),
              "no icon in the notification area");
  POINT cell{4, 10};
  ClientToScreen(tray, &cell);
  // A press right after a started program or the driver took the focus may only take it back.
  bool opened = false;
  for (int press = 0; press < 3 && !opened; ++press)
    opened = RunXdotool("mousemove " + std::to_string(cell.x + press) + " " +
                        std::to_string(cell.y) + " click 3") &&
             WaitUntil([&] { return !TopWindows("#32768", program.pid, true).empty(); }, 3000);
  E2E_REQUIRE(opened, "no menu opened on the press");
  E2E_CHECK(RunXdotool("key " + key), "xdotool key failed");
}

// Shift held on the display while it lives, released even when the case stops. Wine takes real
// keys only through a window of its own with the input focus: one of the driver's holds it.
struct ShiftHeld {
  HWND holder = CreateWindowA("STATIC", "MorvelinShiftHolder", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              600, 400, 200, 100, nullptr, nullptr, nullptr, nullptr);
  bool held = RunXdotool("search --name MorvelinShiftHolder windowfocus") &&
              RunXdotool("keydown shift") &&
              WaitUntil([] { return GetAsyncKeyState(VK_SHIFT) < 0; });
  ~ShiftHeld() {
    RunXdotool("keyup shift");
    WaitUntil([] { return GetAsyncKeyState(VK_SHIFT) >= 0; });  // read before the holder goes
    DestroyWindow(holder);
  }
};

bool StartStayingMarker(const char* path, Process* process) {
  std::string command = std::string("\"") + path + "\" --stay";
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path, command.data(), nullptr, nullptr, FALSE, 0, nullptr, kAppFolder,
                      &start_info, &info))
    return false;
  CloseHandle(info.hThread);
  process->handle = info.hProcess;
  process->pid = info.dwProcessId;
  return true;
}

}  // namespace

E2E_CASE(logon_report_every_outcome) {
  // A file of a type nothing opens, and a program that is not there.
  E2E_REQUIRE(WriteFileBytes(AppPath("data.zzq"), "x"), "no data file");
  const auto [band, band_shown] = BandOutsideNow();
  const KeyValues items = Join({
      RowKeys(0, "起動", kMarker, kAppFolder, "--row 0", "0", kAllDay, "000/00", "", "1"),
      RowKeys(1, "無効", kMarker, "", "--row 1", "0", kAllDay, "000/00", "", "0"),
      RowKeys(2, "夜", kMarker, "", "--row 2", "0", band, "000/00", "", "1"),
      RowKeys(3, "済み", kMarker, "", "--row 3", "0", kAllDay, "1" + Today(), "", "1"),
      RowKeys(4, "-", "", "", "", "0", "00000000", "000/00", "", "0"),
      RowKeys(5, "無い", "C:\\e2e\\missing.exe", "", "", "0", kAllDay, "000/00", "", "1"),
      RowKeys(6, "不明な種類", "C:\\e2e\\data.zzq", "", "", "0", kAllDay, "000/00", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "7"}});
  WriteItemFile(ItemFile(items));

  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  // The marker may still be writing its record when the program has ended.
  E2E_CHECK(WaitUntil([] { return !ReadMarks().empty(); }), "the first row did not start");
  E2E_CHECK_EQ_AS("launches", MarkLines(),
                  std::vector<std::string>{std::string(kMarker) + " --row 0"});

  const std::vector<std::string> lines = LogLines();
  E2E_REQUIRE(lines.size() == 7, "report lines: " + Describe(lines));
  E2E_CHECK_EQ_AS("run line", lines[0], std::string("ﾛｸﾞｵﾝ起動 7行 一斉起動"));
  E2E_CHECK(StartsWith(lines[1], "  0 起動: 起動しました"), "row 0: " + Describe(lines[1]));
  E2E_CHECK_EQ_AS("row 1", lines[2], std::string("  1 無効: ｽｷｯﾌﾟ 無効"));
  E2E_CHECK(StartsWith(lines[3], "  2 夜: ｽｷｯﾌﾟ 時間帯 " + band_shown + " 外 ("),
            "row 2: " + Describe(lines[3]));
  E2E_CHECK_EQ_AS("row 3", lines[4], std::string("  3 済み: ｽｷｯﾌﾟ 本日起動済み"));
  // The separator, row 4, is no entry of the report.
  E2E_CHECK(StartsWith(lines[5], "  5 無い: 起動できませんでした: "),
            "row 5: " + Describe(lines[5]));
  // The shell's own answer, not what its inner steps left behind ("%1 is not a valid program").
  E2E_CHECK_EQ_AS("row 6", lines[6],
                  std::string("  6 不明な種類: 起動できませんでした: "
                              "このファイルを開くプログラムが登録されていません"));

  // The next run adds to the report; the file stays Shift-JIS with CR LF.
  Process again = StartProgram("/N");
  ExpectQuietExit(again);
  E2E_CHECK_EQ_AS("lines after two runs", LogLines().size(), size_t{14});
  E2E_CHECK(LogBytes().find("\n") == LogBytes().find("\r\n") + 1, "lines end in CR LF");
}

E2E_CASE(logon_skip_running_program) {
  E2E_REQUIRE(CopyFileA(kMarker, kSecondMarker, FALSE), "could not copy the marker");
  Process staying;
  E2E_REQUIRE(StartStayingMarker(kMarker, &staying), "the running marker did not start");
  E2E_REQUIRE(WaitUntil([] { return ReadMarks().size() == 1; }), "the running marker left no mark");
  const KeyValues items = Join({
      // The path differs from the running one in case only.
      RowKeys(0, "起動中", "c:\\E2E\\MARKER.exe", kAppFolder, "--again", "0", kAllDay, "000/00", "",
              "1"),
      RowKeys(1, "別", kSecondMarker, kAppFolder, "--other", "0", kAllDay, "000/00", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}, {"Skip", "1"}});
  WriteItemFile(ItemFile(items));

  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  E2E_CHECK(WaitUntil([] { return ReadMarks().size() >= 2; }), "the other row did not start");
  E2E_CHECK_EQ_AS("starts", MarkLines(),
                  (std::vector<std::string>{std::string(kMarker) + " --stay",
                                            std::string(kSecondMarker) + " --other"}));
  const std::vector<std::string> lines = LogLines();
  E2E_REQUIRE(lines.size() == 3, "report lines: " + Describe(lines));
  E2E_CHECK_EQ_AS("run line", lines[0],
                  std::string("ﾛｸﾞｵﾝ起動 2行 一斉起動 起動中のｱﾌﾟﾘは起動しない"));
  E2E_CHECK_EQ_AS("skipped row", lines[1], std::string("  0 起動中: ｽｷｯﾌﾟ 起動中"));
  TerminateProcess(staying.handle, 0);
  CloseHandle(staying.handle);
}

E2E_CASE(logon_wait_spaces_launches_and_quit_stops_them) {
  const KeyValues items = Join({
      RowKeys(0, "一", kMarker, kAppFolder, "--first", "0", kAllDay, "100/00", "", "1"),
      RowKeys(1, "二", kMarker, kAppFolder, "--second", "0", kAllDay, "100/00", "", "1"),
      RowKeys(2, "三", kMarker, kAppFolder, "--third", "0", kAllDay, "100/00", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "3"}, {"Wait", "2"}});
  WriteItemFile(ItemFile(items));

  // Without the launcher the process ends after the last of the spaced launches.
  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  WaitUntil([] { return ReadMarks().size() >= 3; });
  const std::vector<TimedMark> marks = TimedMarks();
  E2E_REQUIRE(marks.size() == 3, "starts: " + Describe(MarkLines()));
  E2E_CHECK_EQ_AS("order", MarkLines(),
                  (std::vector<std::string>{std::string(kMarker) + " --first",
                                            std::string(kMarker) + " --second",
                                            std::string(kMarker) + " --third"}));
  // Two seconds apart at least (less a timer's early firing).
  for (size_t i = 1; i < marks.size(); ++i)
    E2E_CHECK(marks[i].created - marks[i - 1].created >= 19'000'000ull,
              "launch " + std::to_string(i) + " came too early");
  KeyValues saved = SavedItems();
  for (const auto& [key, value] : saved)
    if (key == "D0" || key == "D1" || key == "D2")
      E2E_CHECK_EQ_AS(key, value.substr(0, 1), std::string("1"));

  // Resident, with a long wait: a quit from the tray menu after the first launch stops the rest.
  for (const Mark& mark : ReadMarks()) DeleteFileA(AppPath("marks\\" + mark.file).c_str());
  WriteSettings({{"Lanc", "1"}, {"Count", "3"}, {"Wait", "60"}});
  WriteItemFile(ItemFile(items));
  Process resident = StartProgram("/N");
  E2E_REQUIRE(WaitUntil([] { return ReadMarks().size() == 1; }), "the first row did not start");
  QuitFromTrayMenu(resident);
  DWORD code = 99;
  E2E_CHECK(WaitForExit(resident, &code), "quit did not end the program");
  E2E_CHECK_EQ_AS("starts", MarkLines(),
                  std::vector<std::string>{std::string(kMarker) + " --first"});
  saved = SavedItems();
  E2E_CHECK(ProfileValue(saved, "D0").substr(0, 1) == "1" && ProfileValue(saved, "D0") != "100/00",
            "the started row has no date");
  E2E_CHECK_EQ_AS("D1", ProfileValue(saved, "D1"), std::string("100/00"));
  E2E_CHECK_EQ_AS("D2", ProfileValue(saved, "D2"), std::string("100/00"));
  const std::vector<std::string> lines = LogLines();
  E2E_REQUIRE(lines.size() >= 4, "report lines: " + Describe(lines));
  E2E_CHECK_EQ_AS("row 1", lines[lines.size() - 2], std::string("  1 二: 未起動 (終了により中止)"));
  E2E_CHECK_EQ_AS("row 2", lines[lines.size() - 1], std::string("  2 三: 未起動 (終了により中止)"));
}

E2E_CASE(logon_options_round_trip) {
  WriteSettings({{"Count", "0"}});
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "no main window");
  ShowOptionsPage(main);
  HWND skip = Control(main, IDC_SKIP_RUNNING_CHECK_BOX);
  HWND wait = Control(main, IDC_WAIT_EDIT);
  E2E_REQUIRE(skip && wait, "the new options are missing");
  E2E_CHECK(!IsChecked(skip), "Skip is on by default");
  E2E_CHECK_EQ_AS("Wait by default", TextOf(wait), std::string("0"));
  // An earlier-format registry gets no new values from an OK that leaves them alone.
  OkAndExpectExit(program, main);
  E2E_CHECK(!ReadWindowValue("Skip").exists && !ReadWindowValue("Wait").exists,
            "new values written without being set");

  program = StartProgram();
  main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "no main window");
  ShowOptionsPage(main);
  skip = Control(main, IDC_SKIP_RUNNING_CHECK_BOX);
  wait = Control(main, IDC_WAIT_EDIT);
  Click(skip);
  SetText(wait, "7");
  SaveScreenshot("options-page", main);
  OkAndExpectExit(program, main);
  E2E_CHECK_EQ_AS("Skip", ReadWindowValue("Skip").bytes, SzBytes("1"));
  E2E_CHECK_EQ_AS("Wait", ReadWindowValue("Wait").bytes, SzBytes("7"));

  program = StartProgram();
  main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "no main window");
  ShowOptionsPage(main);
  E2E_CHECK(IsChecked(Control(main, IDC_SKIP_RUNNING_CHECK_BOX)), "Skip did not come back");
  E2E_CHECK_EQ_AS("Wait read back", TextOf(Control(main, IDC_WAIT_EDIT)), std::string("7"));
  // No report yet: the log button says so.
  PostButtonCommand(main, IDC_LOG_BUTTON);
  AnswerBox(program.pid, "情報", "ﾛｸﾞはまだありません。ﾛｸﾞｵﾝ時の起動の後に作られます。", {kOk},
            IconKind::Information, kOk);
  CancelAndExpectExit(program, main);
}

// Typed over the shown value, Wait is saved as shown: a number past the range is brought into it
// on the screen when the field is left (99) or when Update is pressed in it (75).
E2E_CASE(wait_saves_what_it_shows) {
  for (const auto& [before, typed] : {std::pair{"45", "75"}, {"0", "99"}}) {
    WriteSettings({{"Count", "0"}, {"Wait", before}});
    Process program = StartProgram();
    HWND main = StartAndWaitForMain(program);
    ShowOptionsPage(main);
    HWND wait = Control(main, IDC_WAIT_EDIT);
    PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(wait), TRUE);
    for (const char* c = typed; *c; ++c) PostMessageA(wait, WM_CHAR, WPARAM(*c), 1);
    E2E_REQUIRE(WaitUntil([&] { return TextOf(wait) == typed; }), typed);
    if (typed[0] == '9') PostMessageA(main, WM_NEXTDLGCTL, 0, FALSE);
    E2E_CHECK(WaitUntil([&] { return typed[0] == '7' || TextOf(wait) == "60"; }), "left: 99");
    PressCommand(main, IDC_UPDATE_BTN);
    E2E_CHECK(WaitUntil([&] { return ReadWindowValue("Wait").bytes == SzBytes("60"); }), typed);
    E2E_CHECK_EQ_AS(std::string(typed) + " shown after Update", TextOf(wait), std::string("60"));
    CancelAndExpectExit(program, main);
  }
}

// Shift held at /N: nothing starts, no once date moves, the report says why; "今すぐ起動" starts.
E2E_CASE(logon_shift_held_starts_nothing_until_asked) {
  WriteSettings({{"Lanc", "1"}, {"Count", "2"}});
  WriteItemFile(ItemFile(
      Join({RowKeys(0, "毎回", kMarker, kAppFolder, "--row 0", "0", kAllDay, "000/00", "", "1"),
            RowKeys(1, "一回", kMarker, kAppFolder, "--row 1", "0", kAllDay, "100/00", "", "1")})));
  std::optional<ShiftHeld> shift(std::in_place);
  E2E_REQUIRE(shift->held, "Shift could not be held on the display");
  Process program = StartProgram("/N");
  E2E_CHECK(WaitUntil([] { return LogLines().size() >= 2; }), "no report");
  shift.reset();
  E2E_CHECK_EQ_AS("report", LogLines(),
                  (std::vector<std::string>{"ﾛｸﾞｵﾝ起動 2行 一斉起動",
                                            "  Shiftｷｰが押されていたため、何も起動しませんでした。"
                                            "ﾀｽｸﾄﾚｲのﾒﾆｭｰの「今すぐ起動」で起動できます"}));
  E2E_CHECK(ReadMarks().empty() && ProfileValue(SavedItems(), "D1") == "100/00", "a row ran");
  QuitFromTrayMenu(program, "n");
  E2E_CHECK(WaitUntil([] { return ReadMarks().size() == 2; }), "starts: " + Describe(MarkLines()));
}
