// Per-row timing at log-on: a row that starts with the run, one five seconds later and one for
// weekdays only, read back from the markers' own start records and from the report.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";
const char kAppFolder[] = "C:\\e2e";
const char kAllDay[] = "00002359";

// The arguments of each start so far, oldest first, with when its record was written.
std::vector<std::pair<ULONGLONG, std::string>> Starts() {
  std::vector<std::pair<ULONGLONG, std::string>> starts;
  for (const Mark& mark : ReadMarks()) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(AppPath("marks\\" + mark.file).c_str(), GetFileExInfoStandard, &data);
    starts.push_back({(static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime,
                      mark.args});
  }
  std::sort(starts.begin(), starts.end());
  return starts;
}

// Seconds of the day of "hh:mm:ss" found at the given place of a line; -1 when there is none.
int SecondsAt(const std::string& line, size_t at) {
  int h = 0, m = 0, s = 0;
  if (at == std::string::npos || sscanf(line.c_str() + at, "%d:%d:%d", &h, &m, &s) != 3) return -1;
  return h * 3600 + m * 60 + s;
}

}  // namespace

E2E_CASE(logon_timing_delay_and_weekdays) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const bool weekday = now.wDayOfWeek >= 1 && now.wDayOfWeek <= 5;
  const KeyValues items = Join({
      RowKeys(0, "今", kMarker, kAppFolder, "--now", "0", kAllDay, "000/00", "", "1"),
      RowKeys(1, "後", kMarker, kAppFolder, "--later", "0", kAllDay, "000/00", "", "1"),
      RowKeys(2, "平日", kMarker, kAppFolder, "--weekday", "0", kAllDay, "000/00", "", "1"),
      {{"Delay1", "5"}, {"Days2", "0111110"}},
  });
  WriteSettings({{"Lanc", "0"}, {"Count", "3"}});
  WriteItemFile(ItemFile(items));
  const std::string before = ItemFileBytes();

  // Without the launcher the program stays until its delayed row has started, then ends.
  Process program = StartProgram("/N");
  ExpectQuietExit(program);
  const size_t expected = weekday ? 3 : 2;
  WaitUntil([&] { return ReadMarks().size() >= expected; });
  const auto starts = Starts();
  E2E_REQUIRE(starts.size() == expected, "starts: " + Describe(static_cast<int>(starts.size())));
  E2E_CHECK_EQ_AS("first", starts.front().second, std::string("--now"));
  E2E_CHECK_EQ_AS("last", starts.back().second, std::string("--later"));
  if (weekday) E2E_CHECK_EQ_AS("weekday row", starts[1].second, std::string("--weekday"));
  // Five seconds after the first start at least (less a little for the file times).
  E2E_CHECK(starts.back().first - starts.front().first >= 49'000'000ull,
            "the delayed row came too early");

  std::string log;
  E2E_REQUIRE(ReadFileBytes(AppPath("Morvelin.log"), &log), "no report");
  const size_t row1 = log.find("  1 後: 起動しました ");
  E2E_REQUIRE(row1 != std::string::npos, "row 1: " + Describe(log));
  E2E_CHECK(log.find("(遅延の指定で 5秒待機)", row1) < log.find("\r\n", row1), "no reason given");
  // The row's own start time is five seconds or more after the run's.
  const int run_time = SecondsAt(log, 11);
  const int row_time = SecondsAt(log, row1 + std::string("  1 後: 起動しました ").size());
  E2E_CHECK(run_time >= 0 && row_time >= 0 && (row_time - run_time + 86400) % 86400 >= 5,
            "start times: " + Describe(log));
  static const char* kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
  const std::string day_line = weekday
                                   ? "  2 平日: 起動しました\r\n"
                                   : std::string("  2 平日: ｽｷｯﾌﾟ 曜日 月火水木金 のみ (本日 ") +
                                         kDays[now.wDayOfWeek] + ")\r\n";
  E2E_CHECK(log.find(day_line) != std::string::npos, "row 2: " + Describe(log));
  E2E_CHECK_EQ_AS("item file", ItemFileBytes(), before);
}
