// The log-on start ("/N") of the real program: which items it starts, with which arguments,
// folder and window state, what it writes back into the item file, and whether it ends or
// stays resident.

// clang-format off
#include <windows.h>
#include <tlhelp32.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";
const char kAppFolder[] = "C:\\e2e";
constexpr int kMinutesPerDay = 24 * 60;

struct LocalNow {
  int minutes = 0;    // of the day
  std::string today;  // mm/dd
};

LocalNow ReadNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char today[16];
  std::snprintf(today, sizeof today, "%02u/%02u", t.wMonth % 100u, t.wDay % 100u);
  return {t.wHour * 60 + t.wMinute, today};
}

// The driver and the program must see the same day: keep clear of midnight.
LocalNow SettledNow() {
  LocalNow now = ReadNow();
  if (now.minutes >= kMinutesPerDay - 3) {
    Log("waiting for the day to change");
    const std::string day = now.today;
    WaitUntil([&] { return ReadNow().today != day; }, 6 * 60 * 1000);
    now = ReadNow();
  }
  return now;
}

std::string HourMinute(int minutes) {
  const int m = ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", m / 60, m % 60);
  return text;
}

// A band from now + from to now + to, in minutes, wrapped around the day.
std::string Band(const LocalNow& now, int from, int to) {
  return HourMinute(now.minutes + from) + HourMinute(now.minutes + to);
}

bool MarkersRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool running = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !running;
       more = Process32Next(snapshot, &entry))
    running = lstrcmpiA(entry.szExeFile, "marker.exe") == 0;
  CloseHandle(snapshot);
  return running;
}

// Every start the markers recorded, once all of them have ended, as "args | cwd | show",
// sorted; a start of something other than the marker is recorded as a failure.
std::vector<std::string> Launches() {
  E2E_CHECK(WaitUntil([] { return !MarkersRunning(); }), "markers still running");
  std::vector<std::string> launches;
  for (const Mark& mark : ReadMarks()) {
    E2E_CHECK_EQ_AS("started program", mark.exe, std::string(kMarker));
    launches.push_back(mark.args + " | " + mark.cwd + " | " + mark.show);
  }
  std::sort(launches.begin(), launches.end());
  return launches;
}

KeyValues WithValue(KeyValues keys, const std::string& key, const std::string& value) {
  for (auto& [k, v] : keys)
    if (k == key) v = value;
  return keys;
}

}  // namespace

E2E_CASE(logon_run_launches_due_rows) {
  const LocalNow now = SettledNow();
  const std::string in_band = Band(now, -60, 60);
  const std::string once = "1" + now.today;
  const std::string japanese = "--row 0 \"two words\" ソフト表示";
  const KeyValues items = Join({
      RowKeys(0, "起動", kMarker, "C:\\windows", japanese, "0", in_band, "000/00", "", "1"),
      RowKeys(1, "過去", kMarker, "", "--row 1", "0", Band(now, -180, -120), "100/00", "", "1"),
      // No file: nothing else about the row matters.
      RowKeys(2, "-", "", "", "--row 2", "0", "00002359", "100/00", "", "1"),
      RowKeys(3, "無効", kMarker, "", "--row 3", "0", in_band, "100/00", "", "0"),
      RowKeys(4, "今日済み", kMarker, "", "--row 4", "0", in_band, once, "", "1"),
      RowKeys(5, "毎日", kMarker, "", "--row 5", "1", in_band, "100/00", "", "1"),
      // Titled like a separator but with a file; its band reaches round the day past now.
      RowKeys(6, "-", kMarker, kAppFolder, "--row 6", "2", Band(now, -60, -120), "000/00", "", "1"),
      RowKeys(7, "不正", kMarker, "", "--row 7", "x", in_band, "100/00", "", "1"),
      RowKeys(8, "未来", kMarker, "", "--row 8", "0", Band(now, 120, 180), "000/00", "", "1"),
      RowKeys(9, "五", kMarker, kAppFolder, "--row 9", "5", in_band, "000/00", "", "1"),
      RowKeys(10, "空帯", kMarker, "", "--row 10", "0", "", "000/00", "", "1"),
      // Beyond Count.
      RowKeys(11, "余り", kMarker, "", "--row 11", "0", "00002359", "000/00", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "11"}});
  WriteItemFile(ItemFile(items));

  Process program = StartProgram("/N");
  // The faulty window state is reported, and the rows after it still start.
  AnswerBox(program.pid, "Morvelin", "'x' は整数ではありません.", {kOk}, IconKind::Error, kOk,
            "bad-state");
  ExpectQuietExit(program);

  E2E_CHECK_EQ_AS("launches (args | cwd | show)", Launches(),
                  (std::vector<std::string>{
                      japanese + " | C:\\windows | 1",
                      "--row 5 | C:\\e2e | 2",
                      "--row 6 | C:\\e2e | 3",
                      "--row 9 | C:\\e2e | 6",
                  }));
  // Only the once items that were due or already ran today get today's date.
  E2E_CHECK_EQ_AS("item file after the run", SavedItems(),
                  WithValue(WithValue(items, "D4", once), "D5", once));
  E2E_CHECK_EQ_AS("registry Count", ReadWindowValue("Count").bytes, SzBytes("11"));
}

E2E_CASE(logon_once_per_day) {
  const LocalNow now = SettledNow();
  const KeyValues items = Join({
      RowKeys(0, "毎日一回", kMarker, kAppFolder, "--daily", "0", "00002359", "100/00", "", "1"),
      RowKeys(1, "毎回", kMarker, kAppFolder, "--always", "0", "00002359", "012/31", "", "1"),
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}});
  WriteItemFile(ItemFile(items));
  const KeyValues after_first = WithValue(items, "D0", "1" + now.today);

  Process first = StartProgram("/N");
  ExpectQuietExit(first);
  E2E_CHECK_EQ_AS("first start of the day", Launches(),
                  (std::vector<std::string>{"--always | C:\\e2e | 1", "--daily | C:\\e2e | 1"}));
  E2E_CHECK_EQ_AS("item file after the first start", SavedItems(), after_first);

  // The second start the same day reads the date the first one wrote.
  Process second = StartProgram("/N");
  ExpectQuietExit(second);
  E2E_CHECK_EQ_AS("after the second start", Launches(),
                  (std::vector<std::string>{"--always | C:\\e2e | 1", "--always | C:\\e2e | 1",
                                            "--daily | C:\\e2e | 1"}));
  E2E_CHECK_EQ_AS("item file after the second start", SavedItems(), after_first);
}

E2E_CASE(logon_resident) {
  // "Lanc" is not stored: the launcher option defaults to on.
  WriteSettings({{"Count", "1"}});
  WriteItemFile(ItemFile(
      RowKeys(0, "常駐前", kMarker, kAppFolder, "--first", "0", "00002359", "000/00", "", "1")));

  Process program = StartProgram("/N");
  E2E_CHECK(WaitUntil([] { return !ReadMarks().empty(); }), "the item did not start");
  HWND main = nullptr;
  E2E_REQUIRE(WaitUntil([&] {
                main = MainWindow(program.pid, false);
                return main != nullptr && Responsive(main);
              }),
              "no hidden main window waiting for messages");
  SaveScreenshot("resident");
  E2E_CHECK(IsRunning(program), "the resident launcher ended by itself");
  E2E_CHECK_EQ_AS("visible windows of the resident launcher",
                  TopWindows(nullptr, program.pid, true).size(), size_t{0});
  E2E_CHECK_EQ_AS("launches", Launches(), std::vector<std::string>{"--first | C:\\e2e | 1"});

  PostMessageA(main, WM_CLOSE, 0, 0);
  ExpectQuietExit(program);
}
