// Start conditions at log-on, read back from the markers' own records: a client waits for its
// server's port, a row for the window of the slow one before it, another for a folder.

#include <windows.h>

#include <string>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

E2E_CASE(logon_conditions_port_window_folder) {
  const char* marker = "C:\\e2e\\marker.exe";
  const auto row = [&](int i, const char* args) {
    return RowKeys(i, args, marker, "C:\\e2e", args, "0", "00002359", "000/00", "", "1");
  };
  const std::string folder = AppPath("arrives");
  WriteItemFile(ItemFile(Join({row(0, "--serve 47011"),
                               row(1, "--probe 47011"),
                               row(2, "--slow-window"),
                               row(3, "--next"),
                               row(4, "--folder"),
                               {{"Need1", "3"},
                                {"NeedOf1", "127.0.0.1:47011"},
                                {"Need3", "1"},
                                {"Need4", "2"},
                                {"NeedOf4", folder}}})));
  WriteSettings({{"Lanc", "0"}, {"Count", "5"}});
  Process program = StartProgram("/N");
  const auto mark = [](const std::string& args) {
    for (const Mark& m : ReadMarks())
      if (m.args == args) return m;
    return Mark{};
  };
  E2E_REQUIRE(WaitUntil([&] { return !mark("--next").args.empty(); }), "--next never started");
  E2E_CHECK(mark("--folder").args.empty(), "the folder's row started before its folder");
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  E2E_CHECK(CreateDirectoryA(folder.c_str(), nullptr), "the folder was not made");
  ExpectQuietExit(program);
  E2E_REQUIRE(WaitUntil([&] { return ReadMarks().size() == 5; }), "not every row started");
  E2E_CHECK_EQ_AS("the client found the port", mark("--probe 47011").port, std::string("open"));
  // The slow marker shows its window 2 s after its start; the next row only after that.
  E2E_CHECK(mark("--next").created - mark("--slow-window").created >= 20'000'000ull,
            "the next row did not wait for the window");
  E2E_CHECK(mark("--folder").created >= ((ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime),
            "the folder's row did not wait for it");
  std::string log;
  ReadFileBytes(AppPath("Morvelin.log"), &log);
  // Met, not started at the limit: a refused try gives way to the next.
  const size_t line = log.find("[条件 '127.0.0.1:47011' への接続を ");
  const std::string part =
      line == std::string::npos ? "" : log.substr(line, log.find(']', line) - line);
  E2E_CHECK(part.ends_with("秒待って成立"), "report: " + log);
  // The run's timeline is kept once it ends: one log-on, a started row for each of the five.
  std::string history;
  ReadFileBytes(AppPath("Morvelin.hst"), &history);
  int started = 0;  // rows whose start field (due, started, ...) is a time
  for (size_t at = history.find("\nR\t"); at != std::string::npos;
       at = history.find("\nR\t", at + 1)) {
    const size_t start = history.find('\t', at + 3) + 1;
    started += start != 0 && history.compare(start, 1, "-") != 0;
  }
  E2E_CHECK(history.starts_with("L\t") && started == 5, "history: " + history);
}
