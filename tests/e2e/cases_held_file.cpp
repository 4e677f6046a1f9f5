// The item file held by another program as the log-on run starts (a sync client, a backup or a
// scanner at log-on): a brief hold is waited out, a long one ends in a clear report.

// clang-format off
#include <windows.h>
// clang-format on

#include <string>

#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

const char kMarker[] = "C:\\e2e\\marker.exe";
const char kLog[] = "Morvelin.log";

// Starts the marker holding the item file without sharing for that long; returns once the
// file is held.
Process HoldItemFile(int milliseconds) {
  const std::string line = std::string("\"") + kMarker + "\" --hold " +
                           std::to_string(milliseconds) + " " + ItemFilePath();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string command = line;
  E2E_REQUIRE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started),
              "the holder did not start");
  CloseHandle(started.hThread);
  const bool held = WaitUntil([] {
    const HANDLE file = CreateFileA(ItemFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
  });
  E2E_REQUIRE(held, "the holder never held the item file");
  return Process{started.hProcess, started.dwProcessId};
}

void WriteTwoRows() {
  WriteSettings({{"Lanc", "0"}, {"Count", "2"}});
  WriteItemFile(ItemFile(
      Join({RowKeys(0, "一", kMarker, "", "--row 0", "0", "00002359", "000/00", "", "1"),
            RowKeys(1, "二", kMarker, "", "--row 1", "0", "00002359", "000/00", "", "1")})));
}

std::string LogText() {
  std::string bytes;
  return ReadFileBytes(AppPath(kLog), &bytes) ? bytes : "<missing>";
}

}  // namespace

// Held for three seconds: the run waits, launches every due row and names the wait.
E2E_CASE(item_file_held_briefly_at_logon) {
  WriteTwoRows();
  const Process holder = HoldItemFile(3000);
  const Process program = StartProgram("/N");
  ExpectQuietExit(program);
  WaitUntil([] { return ReadMarks().size() >= 2; });
  E2E_CHECK_EQ_AS("rows launched", ReadMarks().size(), static_cast<size_t>(2));
  const std::string log = LogText();
  E2E_CHECK(log.find("ｱｲﾃﾑﾌｧｲﾙが他のﾌﾟﾛｸﾞﾗﾑに使用されていたため、") != std::string::npos &&
                log.find("秒待ってから起動しました\r\n  0 一: 起動しました") != std::string::npos,
            "no word of the wait in the log: " + Describe(log));
  DWORD code = 0;
  E2E_CHECK(WaitForExit(holder, &code), "the holder is still running");
  CloseHandle(holder.handle);
}

// Held for fifteen seconds: after its wait the run gives up, says so and launches nothing.
E2E_CASE(item_file_held_long_at_logon) {
  WriteTwoRows();
  const Process holder = HoldItemFile(15000);
  const Process program = StartProgram("/N");
  HWND box = WaitForMessageBox(program.pid);
  E2E_REQUIRE(box != nullptr, "no word of the held file");
  const std::string text = ReadBox(box).text;
  E2E_CHECK(
      text.rfind(ItemFilePath() + " を読み込めません: ", 0) == 0 &&
          text.find("秒待ってもアイテムファイルは使用中のままだったため、何も起動しませんでした"
                    "。") != std::string::npos,
      "box: " + Describe(text));
  E2E_CHECK(ClickButton(box, kOk), "no OK in the box");
  ExpectQuietExit(program);
  E2E_CHECK(ReadMarks().empty(), "a row was launched from an unread list");
  const std::string log = LogText();
  E2E_CHECK(log.find("ｱｲﾃﾑﾌｧｲﾙを読み込めないため、何も起動しませんでした: ") != std::string::npos &&
                log.find("秒待っても他のﾌﾟﾛｸﾞﾗﾑに使用されたままでした") != std::string::npos,
            "no clear report in the log: " + Describe(log));
  TerminateProcess(holder.handle, 0);
  CloseHandle(holder.handle);
}
