// Per-row timing at log-on: a row that starts with the run, one five seconds later and one for
// weekdays only, read back from the markers' own records.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

E2E_CASE(logon_timing_delay_and_weekdays) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const bool weekday = now.wDayOfWeek >= 1 && now.wDayOfWeek <= 5;
  const char* marker = "C:\\e2e\\marker.exe";
  WriteItemFile(ItemFile(Join({
      RowKeys(0, "今", marker, "C:\\e2e", "--now", "0", "00002359", "000/00", "", "1"),
      RowKeys(1, "後", marker, "C:\\e2e", "--later", "0", "00002359", "000/00", "", "1"),
      RowKeys(2, "平日", marker, "C:\\e2e", "--weekday", "0", "00002359", "000/00", "", "1"),
      {{"Delay1", "5"}, {"Days2", "0111110"}},
  })));
  WriteSettings({{"Lanc", "0"}, {"Count", "3"}});

  // Without the launcher the program stays until its delayed row has started, then ends.
  Process program = StartProgram("/N");
  FILETIME made{}, unused{};
  GetProcessTimes(program.handle, &made, &unused, &unused, &unused);
  const ULONGLONG program_made = (ULONGLONG{made.dwHighDateTime} << 32) | made.dwLowDateTime;
  ExpectQuietExit(program);
  const size_t expected = weekday ? 3 : 2;
  WaitUntil([&] { return ReadMarks().size() >= expected; });
  // Each start with the time its process was made, oldest first.
  std::vector<std::pair<ULONGLONG, std::string>> starts;
  for (const Mark& mark : ReadMarks()) starts.push_back({mark.created, mark.args});
  std::sort(starts.begin(), starts.end());
  E2E_REQUIRE(starts.size() == expected, "starts: " + Describe(static_cast<int>(starts.size())));
  // The rows of the run's start come in either order; the delayed one comes last.
  E2E_CHECK(starts.back().second == "--later" &&
                (starts[0].second == "--now" || starts[1].second == "--now"),
            "order of the starts");
  // Five seconds after the program's own start at least (less a timer's early firing).
  E2E_CHECK(program_made != 0 && starts.back().first - program_made >= 49'000'000ull,
            "the delay was cut short");
}
