// Start conditions at log-on: a row waiting for a port, for a folder, and for the window of the
// row started before it, each read back from the markers' own records.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";

// Runs the rows at log-on without the launcher, which ends once its run is over, and returns
// the marks oldest first.
std::vector<Mark> RunAndReadMarks(const KeyValues& items, size_t expected,
                                  const std::function<void()>& meanwhile = {}) {
  WriteItemFile(ItemFile(items));
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}});
  Process program = StartProgram("/N");
  if (meanwhile) meanwhile();
  ExpectQuietExit(program);
  WaitUntil([&] { return ReadMarks().size() >= expected; });
  std::vector<Mark> marks = ReadMarks();
  std::sort(marks.begin(), marks.end(),
            [](const Mark& a, const Mark& b) { return a.created < b.created; });
  return marks;
}

std::string LogText() {
  std::string bytes;
  return ReadFileBytes(AppPath("Morvelin.log"), &bytes) ? bytes : "<missing>";
}

}  // namespace

E2E_CASE(logon_condition_port) {
  // The server opens its port 3 s after its start; the client asks once, when it starts.
  const std::vector<Mark> marks =
      RunAndReadMarks(Join({
                          RowKeys(0, "ｻｰﾊﾞ", kMarker, "C:\\e2e", "--serve 47011", "0", "00002359",
                                  "000/00", "", "1"),
                          RowKeys(1, "ｸﾗｲｱﾝﾄ", kMarker, "C:\\e2e", "--probe 47011", "0", "00002359",
                                  "000/00", "", "1"),
                          {{"Need1", "3"}, {"NeedOf1", "127.0.0.1:47011"}, {"NeedLimit1", "20"}},
                      }),
                      2);
  E2E_REQUIRE(marks.size() == 2, "starts: " + Describe(static_cast<int>(marks.size())));
  E2E_CHECK_EQ_AS("client", marks[1].args + " " + marks[1].port, std::string("--probe 47011 open"));
  E2E_CHECK(LogText().find("[条件 '127.0.0.1:47011' への接続を ") != std::string::npos,
            "the report: " + LogText());
}

E2E_CASE(logon_condition_folder) {
  const std::string folder = AppPath("arrives");
  ULONGLONG made = 0;
  const std::vector<Mark> marks = RunAndReadMarks(
      Join({
          RowKeys(0, "先", kMarker, "C:\\e2e", "--first", "0", "00002359", "000/00", "", "1"),
          RowKeys(1, "後", kMarker, "C:\\e2e", "--after-folder", "0", "00002359", "000/00", "",
                  "1"),
          {{"Need1", "2"}, {"NeedOf1", folder}},
      }),
      2, [&] {
        E2E_REQUIRE(WaitUntil([] { return ReadMarks().size() == 1; }),
                    "the first row left no mark");
        // The first row's mark came; the waiting one must not have started in the meantime.
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        made = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
        E2E_CHECK(CreateDirectoryA(folder.c_str(), nullptr), "the folder was not made");
      });
  E2E_REQUIRE(marks.size() == 2, "starts: " + Describe(static_cast<int>(marks.size())));
  E2E_CHECK(marks[1].args == "--after-folder" && marks[1].created >= made,
            "the waiting row started before its folder");
}

E2E_CASE(logon_condition_after_slow_window) {
  const std::vector<Mark> marks = RunAndReadMarks(
      Join({
          RowKeys(0, "遅い", kMarker, "C:\\e2e", "--slow-window", "0", "00002359", "000/00", "",
                  "1"),
          RowKeys(1, "次", kMarker, "C:\\e2e", "--next", "0", "00002359", "000/00", "", "1"),
          {{"Need1", "1"}},
      }),
      2);
  E2E_REQUIRE(marks.size() == 2, "starts: " + Describe(static_cast<int>(marks.size())));
  // The slow marker shows its window 2 s after its start; the next row only after that.
  E2E_CHECK(marks[1].args == "--next" && marks[1].created - marks[0].created >= 20'000'000ull,
            "the next row did not wait for the window");
}
