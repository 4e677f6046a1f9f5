// The log-on history window: opened from the options page over a history file, a bar per row in
// the chart, and a row picked with the mouse shows its figures.

// clang-format off
#include <windows.h>
// clang-format on

#include <algorithm>
#include <string>
#include <vector>

#include "../../resources/resource_ids.h"
#include "e2e_internal.h"
#include "e2e_support.h"
#include "program_steps.h"

using namespace e2e;

namespace {

// The run part of a bar and the processor time inside it, as the window paints them.
constexpr DWORD kRunColour = 0x4682D2;
constexpr DWORD kHeavyColour = 0xDC4628;

// The screen rows of the window where a run bar starts: one per bar.
std::vector<int> BarTops(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const Image image =
      CaptureScreen({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
  std::vector<int> tops;
  bool in_bar = false;
  // The chart only: the row list under it has a highlight of its own.
  const int chart_bottom =
      WindowRect(FindControl(window, nullptr, IDC_HISTORY_ROWS)).top - origin.y;
  for (int y = 0; y < std::min(image.height, chart_bottom); ++y) {
    bool run = false;
    for (int x = 0; x < image.width && !run; ++x) {
      const DWORD pixel = image.pixels[static_cast<size_t>(y) * image.width + x] & 0xFFFFFF;
      run = pixel == kRunColour || pixel == kHeavyColour;
    }
    if (run && !in_bar) tops.push_back(y);
    in_bar = run;
  }
  return tops;
}

}  // namespace

E2E_CASE(history_window_shows_a_bar_per_row) {
  WriteSettings({{"Count", "0"}});
  E2E_REQUIRE(WriteFileBytes(AppPath("Morvelin.hst"),
                             "L\t2026/12/01 08:00:00\t4000\r\nR\t0\t1000\t3000\t400\t\tﾒｰﾙ\r\n"
                             "L\t2026/12/02 08:00:00\t6000\r\n"
                             "R\t0\t0\t1500\t200\t\tﾒｰﾙ\r\n"
                             "R\t500\t2500\t4000\t1800\tC:\\ﾈｯﾄ\tﾊﾞｯｸｱｯﾌﾟ\r\n"
                             "R\t1000\t1000\t6000\t300\t\tｴﾃﾞｨﾀ\r\n"),
              "the history file cannot be written");
  Process program = StartProgram();
  HWND main = StartAndWaitForMain(program);
  E2E_REQUIRE(main != nullptr, "no main window");
  ShowOptionsPage(main);
  PressCommand(main, IDC_HISTORY_BUTTON);
  HWND window = nullptr;
  WaitUntil([&] {
    const auto found = TopWindows("TLogOnHistory", program.pid, true);
    window = found.empty() ? nullptr : found.front();
    return window != nullptr;
  });
  E2E_REQUIRE(window != nullptr, "the history window did not open");
  E2E_CHECK_EQ(TextOf(window), std::string("ﾛｸﾞｵﾝ履歴"));
  HWND rows = Control(window, IDC_HISTORY_ROWS);
  HWND figures = Control(window, IDC_HISTORY_FIGURES);
  E2E_CHECK_EQ(SendOrZero(rows, LB_GETCOUNT, 0, 0), 3);
  std::vector<int> tops;
  E2E_CHECK(WaitUntil([&] { return (tops = BarTops(window)).size() == 3; }),
            "bars seen: " + Describe(tops.size()));
  E2E_CHECK(TextOf(figures).rfind("ﾒｰﾙ\r\n", 0) == 0, Describe(TextOf(figures)));
  SaveScreenshot("history-window", window);
  // A click on the second bar picks its row: its figures, with what it waited for and the
  // suggestion for the heaviest row.
  if (tops.size() == 3) {
    RECT client{};
    GetClientRect(window, &client);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 10, tops[1] + 2));
    E2E_CHECK(WaitUntil([&] { return TextOf(figures).rfind("ﾊﾞｯｸｱｯﾌﾟ\r\n", 0) == 0; }),
              Describe(TextOf(figures)));
    const std::string shown = TextOf(figures);
    E2E_CHECK(shown.find("待ったもの: C:\\ﾈｯﾄ") != std::string::npos, Describe(shown));
    E2E_CHECK(shown.find("ｱｲﾄﾞﾙ時に起動") != std::string::npos, Describe(shown));
    E2E_CHECK_EQ(SendOrZero(rows, LB_GETCURSEL, 0, 0), 1);
  }
  // The keys of a dialog: Tab from the list to the figures, Escape there closes the window.
  const auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                              : nullptr;
  };
  const auto press = [](HWND to, WPARAM key) {
    PostMessageA(to, WM_KEYDOWN, key, 0);
    PostMessageA(to, WM_KEYUP, key, 0);
  };
  press(rows, VK_TAB);
  E2E_CHECK(WaitUntil([&] { return focus() == figures; }), "Tab left the focus on the list");
  press(figures, VK_ESCAPE);
  E2E_CHECK(WaitUntil([&] { return !IsWindowVisible(window); }), "Escape left the window open");
  CancelAndExpectExit(program, main);
}
